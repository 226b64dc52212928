#include "forms/LineShape.h"

#include "winapi/Handles.h"

void Line::SetPoints(int x1, int y1, int x2, int y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  int left = x1 < x2 ? x1 : x2, top = y1 < y2 ? y1 : y2;
  int right = x1 < x2 ? x2 : x1, bottom = y1 < y2 ? y2 : y1;
  Move(left, top, right - left + 1, bottom - top + 1);
}

void Line::SetColor(COLORREF color) {
  color_ = color;
  Invalidate();
}

void Line::Paint(HDC dc) const {
  if (!Visible()) return;
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, color_));
  SelectionGuard selected(dc, pen.get());
  MoveToEx(dc, x1_, y1_, nullptr);
  LineTo(dc, x2_, y2_);
  SetPixel(dc, x2_, y2_, color_);  // LineTo leaves out the last point
}

void Shape::SetColors(COLORREF fill, COLORREF border) {
  fill_ = fill;
  border_ = border;
  Invalidate();
}

void Shape::Paint(HDC dc) const {
  if (!Visible()) return;
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, border_));
  UniqueGdiObject brush(CreateSolidBrush(fill_));
  SelectionGuard selectedPen(dc, pen.get());
  SelectionGuard selectedBrush(dc, brush.get());
  Rectangle(dc, Left(), Top(), Left() + Width(), Top() + Height());
}
