#include "forms/IconPicture.h"

bool IconPicture::LoadIconResource(HINSTANCE instance, int id, int width, int height) {
  icon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, 0)));
  Move(Left(), Top(), width, height);
  return static_cast<bool>(icon_);
}

void IconPicture::Paint(HDC dc) const {
  if (Visible() && icon_) DrawIconEx(dc, Left(), Top(), icon_.get(), Width(), Height(), 0, nullptr, DI_NORMAL);
}
