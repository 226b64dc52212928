#include "forms/PictureHolder.h"

bool PictureHolder::LoadIconResource(HINSTANCE instance, int id, int width, int height) {
  icon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, 0)));
  Move(Left(), Top(), width, height);
  return static_cast<bool>(icon_);
}

bool PictureHolder::LoadIconImage(const unsigned char* image, size_t length, int width, int height) {
  icon_.Reset(image ? CreateIconFromResourceEx(const_cast<PBYTE>(image), static_cast<DWORD>(length), TRUE,
                                               0x00030000, width, height, LR_DEFAULTCOLOR)
                    : nullptr);
  Move(Left(), Top(), width, height);
  return static_cast<bool>(icon_);
}

// An icon is drawn in two steps, its mask and then its colours; on a window
// the first step alone can be seen, as a black shape. So the picture is
// composed over a copy of what lies beneath it, its own rectangle only, and
// put back in one blit.
void PictureHolder::PaintAt(HDC dc, int x, int y, ScratchSurface& scratch) const {
  if (!icon_) return;
  const int width = Width(), height = Height();
  HDC composed = scratch.Get(dc, width, height);
  if (!composed) {
    DrawIconEx(dc, x, y, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
    return;
  }
  BitBlt(composed, 0, 0, width, height, dc, x, y, SRCCOPY);
  DrawIconEx(composed, 0, 0, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
  BitBlt(dc, x, y, width, height, composed, 0, 0, SRCCOPY);
}

// The form paints its controls off screen, so nothing is composed twice.
void PictureHolder::Paint(HDC dc) const {
  if (Visible() && icon_) DrawIconEx(dc, Left(), Top(), icon_.get(), Width(), Height(), 0, nullptr, DI_NORMAL);
}
