#pragma once
// A small GIF reader for the generator's pictures: GDI shows no GIFs, and
// the banner's animation needs its frames one by one anyway. It reads the
// file in place (the bytes must outlive it) and composes each frame onto a
// canvas as a viewer would, honouring transparency and the frames' disposal.

#include <stddef.h>
#include <stdint.h>

class GifImage {
 public:
  // Pixels of the canvas: 0xAARRGGBB, alpha 0 (transparent) or 255.
  using Pixel = uint32_t;
  static constexpr int kMaxFrames = 64;

  GifImage() = default;
  ~GifImage();
  GifImage(const GifImage&) = delete;
  GifImage& operator=(const GifImage&) = delete;

  // Reads the header and finds every frame; false for what is not a GIF
  // with at least one frame. Damaged frame data is not an error: what
  // decodes is shown, the rest stays as the canvas was.
  bool Open(const unsigned char* data, size_t size);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int FrameCount() const { return frameCount_; }
  // The frame's delay in hundredths of a second, as stored (0 when none).
  int Delay(int frame) const;
  // The frame the canvas shows now; -1 before the first Advance.
  int Current() const { return current_; }

  // Disposes of the shown frame as it asks, then draws the next one; after
  // the last frame the animation starts again on a cleared canvas.
  // False when the canvas could not be had.
  bool Advance();
  const Pixel* Canvas() const { return canvas_; }

 private:
  struct Frame {
    int left, top, width, height;
    int delay;
    int disposal;
    int transparent;  // colour index, or -1
    bool interlaced;
    const unsigned char* palette;  // 3 bytes per colour
    int paletteSize;
    size_t dataOffset;  // the LZW minimum code size byte
  };

  void Draw(const Frame& frame);
  void Dispose(const Frame& frame);
  void ClearRect(int left, int top, int width, int height);

  const unsigned char* data_ = nullptr;
  size_t size_ = 0;
  int width_ = 0, height_ = 0;
  const unsigned char* globalPalette_ = nullptr;
  int globalPaletteSize_ = 0;
  Frame frames_[kMaxFrames] = {};
  int frameCount_ = 0;
  int current_ = -1;
  Pixel* canvas_ = nullptr;
  Pixel* saved_ = nullptr;  // what a "restore to previous" frame covered
};

// Decodes one GIF LZW stream (the sub-blocks after the minimum code size
// byte, still in their blocks) into colour indexes; returns how many were
// written, at most capacity. Stops at the end code, at damaged data or at
// the end of the bytes.
size_t DecodeGifLzw(const unsigned char* blocks, size_t size, int minCodeSize, unsigned char* out,
                    size_t capacity);
