#pragma once
// How the card's words look, written once for the card window and the web
// card: the scene's WebAssembly gives the colours to the page's script, and
// the build puts them into the page without scripts.

#include <stdint.h>

// Colours as 0xRRGGBB.
constexpr uint32_t kLetterFill = 0xFF0000;    // the outlined letters
constexpr uint32_t kLetterShadow = 0xE8E8E8;  // their light copy below
constexpr int32_t kShadowOffset = 3;          // pixels right and down
constexpr uint32_t kCreditBand = 0xFF0000;    // the credit line's band
constexpr uint32_t kCreditLetters = 0xFFFFFF;

// The same colour as Windows holds it, 0x00BBGGRR.
constexpr uint32_t WindowsColour(uint32_t rgb) { return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | rgb >> 16; }

// The widest a line of outlined text may be, in pixels: the tree's base and
// 60; the scene shrinks the font below it.
constexpr int32_t kTextLimit = 660;
