#pragma once
// A windowless picture that shows an icon at its natural size, which need
// not be square (an icon of 32 x 33 or 21 x 22 pixels).

#include "forms/Control.h"
#include "winapi/Handles.h"

class IconPicture : public Control {
 public:
  explicit IconPicture(Form& form) : Control(form) {}

  // Loads the icon resource's image of the given size; the picture takes
  // that size and keeps its position.
  bool LoadIconResource(HINSTANCE instance, int id, int width, int height);
  HICON Picture() const { return icon_.get(); }
  void Paint(HDC dc) const override;

 private:
  UniqueIcon icon_;
};
