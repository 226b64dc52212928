#pragma once
// A small off-screen surface kept for the life of its owner: pictures are
// composed on it and shown in one blit, without making a device context and
// a bitmap for each of them.

#include <windows.h>

#include "winapi/Handles.h"

class ScratchSurface {
 public:
  ScratchSurface() = default;
  ~ScratchSurface();
  ScratchSurface(const ScratchSurface&) = delete;
  ScratchSurface& operator=(const ScratchSurface&) = delete;

  // A memory DC in the format of like, holding at least width x height
  // pixels (the corner at 0, 0 is theirs); null when the system has none.
  HDC Get(HDC like, int width, int height);

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ original_ = nullptr;  // the DC's own bitmap, put back before ours goes
  int width_ = 0;
  int height_ = 0;
};
