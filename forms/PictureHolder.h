#pragma once
// A control that owns one picture (an icon with its transparency mask) and,
// when visible, shows it unscaled at its position.

#include "forms/Control.h"
#include "winapi/Handles.h"

class PictureHolder : public Control {
 public:
  explicit PictureHolder(Form& form) : Control(form) {}

  // Loads the icon resource at its natural size; the holder takes that size.
  bool LoadIconResource(HINSTANCE instance, int id, int size);
  HICON Picture() const { return icon_.get(); }

  // Draws the picture at a point of dc; transparent pixels leave dc untouched.
  void PaintAt(HDC dc, int x, int y) const;
  void Paint(HDC dc) const override;

 private:
  UniqueIcon icon_;
};
