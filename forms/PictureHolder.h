#pragma once
// A control that owns one picture (an icon with its transparency mask) and,
// when visible, shows it unscaled at its position. Icons need not be square
// (32 x 33, 21 x 22).

#include "forms/Control.h"
#include "forms/ScratchSurface.h"
#include "winapi/Handles.h"

class PictureHolder : public Control {
 public:
  explicit PictureHolder(Form& form) : Control(form) {}

  // Loads the icon resource's image of that size; the holder takes the size
  // and keeps its position.
  bool LoadIconResource(HINSTANCE instance, int id, int width, int height);
  bool LoadIconResource(HINSTANCE instance, int id, int size) { return LoadIconResource(instance, id, size, size); }
  // The same from an icon image held in memory (header, palette, colours,
  // mask, as an icon resource holds it).
  bool LoadIconImage(const unsigned char* image, size_t length, int width, int height);
  HICON Picture() const { return icon_.get(); }

  // Draws the picture at a point of dc, composed on scratch; transparent
  // pixels leave dc untouched.
  void PaintAt(HDC dc, int x, int y, ScratchSurface& scratch) const;
  void Paint(HDC dc) const override;

 private:
  UniqueIcon icon_;
};
