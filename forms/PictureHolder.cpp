#include "forms/PictureHolder.h"

bool PictureHolder::LoadIconResource(HINSTANCE instance, int id, int width, int height) {
  icon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, 0)));
  Move(Left(), Top(), width, height);
  return static_cast<bool>(icon_);
}

void PictureHolder::PaintAt(HDC dc, int x, int y) const {
  if (icon_) DrawIconEx(dc, x, y, icon_.get(), Width(), Height(), 0, nullptr, DI_NORMAL);
}

void PictureHolder::Paint(HDC dc) const {
  if (Visible()) PaintAt(dc, Left(), Top());
}
