#pragma once
// Windowless drawing controls: a straight line, and a filled box with a
// one-pixel border.

#include "forms/Control.h"

class Line : public Control {
 public:
  explicit Line(Form& form) : Control(form) {}
  // End points in pixels of the form's client area; the end point itself is
  // drawn too, as the designs mean it.
  void SetPoints(int x1, int y1, int x2, int y2);
  void SetColor(COLORREF color);
  void Paint(HDC dc) const override;

 private:
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  COLORREF color_ = RGB(0, 0, 0);
};

class Shape : public Control {
 public:
  explicit Shape(Form& form) : Control(form) {}
  void SetColors(COLORREF fill, COLORREF border);
  void Paint(HDC dc) const override;

 private:
  COLORREF fill_ = RGB(255, 255, 255);
  COLORREF border_ = RGB(0, 0, 0);
};
