#pragma once
// The card's size rules, kept apart from the window so they can be checked.

#include "common/HalfEven.h"

constexpr short kMinimumScreenWidth = 800;
constexpr short kMinimumScreenHeight = 600;

// Half a screen measure, halves rounded to even (1023 and 1025 both give 512).
inline short HalfOfScreen(short pixels) { return static_cast<short>(RoundHalfEven(pixels / 2.0)); }

inline bool ScreenTooSmall(short width, short height) {
  return width < kMinimumScreenWidth || height < kMinimumScreenHeight;
}
