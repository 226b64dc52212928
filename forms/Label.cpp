#include "forms/Label.h"

void Label::SetCaption(const WideString& caption) {
  caption_ = caption;
  Invalidate();
}

void Label::SetFont(const FontSpec& font) {
  font_ = CreatePointFont(font, DisplayDpi());
  Invalidate();
}

void Label::SetColors(COLORREF text, COLORREF back, bool opaque) {
  text_ = text;
  back_ = back;
  opaque_ = opaque;
  Invalidate();
}

void Label::SetBorder(bool border) {
  border_ = border;
  Invalidate();
}

void Label::Paint(HDC dc) const {
  if (!Visible()) return;
  RECT r = {Left(), Top(), Left() + Width(), Top() + Height()};
  if (opaque_) {
    UniqueGdiObject brush(CreateSolidBrush(back_));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
  }
  if (border_) {
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    InflateRect(&r, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
  }
  UINT flags = alignment_ | (singleLine_ ? DT_SINGLELINE | DT_NOCLIP : DT_WORDBREAK) | (noPrefix_ ? DT_NOPREFIX : 0);
  SelectionGuard font(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc, text_);
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.length()), &r, flags);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}
