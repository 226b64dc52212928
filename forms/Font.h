#pragma once
// Fonts described as the designs give them: a face and a size in points.

#include <windows.h>

#include "winapi/Handles.h"

struct FontSpec {
  const wchar_t* face;
  double points;
  bool bold;
  bool italic;
  bool underline;
};

UniqueFont CreatePointFont(const FontSpec& font, int dpi);

// Dots per inch of the display, vertically (what font sizes scale with).
int DisplayDpi();

// Width in pixels of a text in the font currently selected into dc.
int MeasureTextWidth(HDC dc, const wchar_t* text, size_t length);
