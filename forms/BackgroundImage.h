#pragma once
// The persistent picture a form repaints itself from: a bitmap the size of
// the client area, kept in a memory device context.

#include <windows.h>

#include "winapi/Handles.h"

class BackgroundImage {
 public:
  BackgroundImage() = default;
  ~BackgroundImage();
  BackgroundImage(const BackgroundImage&) = delete;
  BackgroundImage& operator=(const BackgroundImage&) = delete;

  // Grows or shrinks to width x height; what was there stays, new parts get fill.
  bool Resize(int width, int height, COLORREF fill);
  void Fill(COLORREF fill);
  HDC dc() const { return dc_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ original_ = nullptr;  // the memory DC's own bitmap, put back before deleting ours
  int width_ = 0, height_ = 0;
};
