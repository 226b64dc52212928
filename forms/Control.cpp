#include "forms/Control.h"

#include "forms/Form.h"

Control::Control(Form& form) : form_(form) { form.AddControl(this); }

void Control::Invalidate() const {
  if (!visible_ || !form_.hwnd()) return;
  RECT r = {left_, top_, left_ + width_, top_ + height_};
  InvalidateRect(form_.hwnd(), &r, FALSE);
}

void Control::Move(int left, int top, int width, int height) {
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  Invalidate();
  visible_ = visible;
  Invalidate();
}
