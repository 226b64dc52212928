#include "forms/ScratchSurface.h"

ScratchSurface::~ScratchSurface() {
  if (dc_ && original_) SelectObject(dc_.get(), original_);
}

HDC ScratchSurface::Get(HDC like, int width, int height) {
  if (bitmap_ && width <= width_ && height <= height_) return dc_.get();
  if (!dc_) dc_.Reset(CreateCompatibleDC(like));
  if (!dc_) return nullptr;
  const int w = width > width_ ? width : width_, h = height > height_ ? height : height_;
  UniqueBitmap bigger(CreateCompatibleBitmap(like, w, h));
  if (!bigger) return nullptr;
  HGDIOBJ replaced = SelectObject(dc_.get(), bigger.get());
  if (!original_) original_ = replaced;
  bitmap_ = static_cast<UniqueBitmap&&>(bigger);  // the smaller one, now deselected, goes
  width_ = w;
  height_ = h;
  return dc_.get();
}
