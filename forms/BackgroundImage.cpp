#include "forms/BackgroundImage.h"

BackgroundImage::~BackgroundImage() {
  if (dc_ && original_) SelectObject(dc_.get(), original_);
}

bool BackgroundImage::Resize(int width, int height, COLORREF fill) {
  if (width == width_ && height == height_ && dc_) return true;
  HDC screen = GetDC(nullptr);
  UniqueMemoryDc dc(CreateCompatibleDC(screen));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1));
  ReleaseDC(nullptr, screen);
  if (!dc || !bitmap) return false;
  HGDIOBJ original = SelectObject(dc.get(), bitmap.get());
  RECT all = {0, 0, width, height};
  UniqueGdiObject brush(CreateSolidBrush(fill));
  FillRect(dc.get(), &all, static_cast<HBRUSH>(brush.get()));
  if (dc_) BitBlt(dc.get(), 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
  if (dc_ && original_) SelectObject(dc_.get(), original_);
  dc_ = static_cast<UniqueMemoryDc&&>(dc);
  bitmap_ = static_cast<UniqueBitmap&&>(bitmap);
  original_ = original;
  width_ = width;
  height_ = height;
  return true;
}

void BackgroundImage::Fill(COLORREF fill) {
  if (!dc_) return;
  RECT all = {0, 0, width_, height_};
  UniqueGdiObject brush(CreateSolidBrush(fill));
  FillRect(dc_.get(), &all, static_cast<HBRUSH>(brush.get()));
}
