#pragma once
// Designs are measured in twips (1/1440 inch); windows in pixels at the
// display's real resolution.

#include "common/HalfEven.h"

constexpr int kTwipsPerInch = 1440;
constexpr int kStandardDpi = 96;

inline int TwipsToPixels(int twips, int dpi) {
  return static_cast<int>(RoundHalfEven(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

// A length designed in pixels at the standard 96 dots per inch (15 twips
// each), scaled to the display's setting.
inline int DesignPixels(int pixelsAt96, int dpi) { return TwipsToPixels(pixelsAt96 * 15, dpi); }

// Font height in pixels for a size in points (negative: character height).
inline int PointsToFontHeight(double points, int dpi) {
  return -static_cast<int>(RoundHalfEven(points * dpi / 72.0));
}
