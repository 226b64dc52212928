#include "forms/Font.h"

#include "forms/Twips.h"

UniqueFont CreatePointFont(const FontSpec& font, int dpi) {
  return UniqueFont(CreateFontW(PointsToFontHeight(font.points, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                                font.italic, font.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face));
}

int DisplayDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kStandardDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kStandardDpi;
}

int MeasureTextWidth(HDC dc, const wchar_t* text, size_t length) {
  SIZE size = {0, 0};
  if (length == 0 || !GetTextExtentPoint32W(dc, text, static_cast<int>(length), &size)) return 0;
  return size.cx;
}
