#include "forms/GifPicture.h"

#include <stdlib.h>
#include <string.h>

#include "forms/Form.h"
#include "winapi/Resource.h"

namespace {
// A frame without a delay of its own is shown for a tenth of a second, as
// browsers do.
constexpr UINT kDefaultDelayMs = 100;
}  // namespace

HICON IconFromPixels(const GifImage::Pixel* pixels, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  UniqueBitmap color(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ReleaseDC(nullptr, screen);
  if (!color || !bits) return nullptr;
  // Transparent pixels are black with alpha 0 in the colour image, so both
  // the mask and the alpha channel leave the background as it is.
  memcpy(bits, pixels, static_cast<size_t>(width) * height * sizeof(GifImage::Pixel));
  GdiFlush();
  size_t stride = static_cast<size_t>((width + 15) / 16) * 2;  // mask rows are whole 16-bit words
  auto* mask = static_cast<unsigned char*>(calloc(stride * height, 1));
  if (!mask) return nullptr;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((pixels[y * width + x] >> 24) == 0) mask[y * stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
  UniqueBitmap maskBitmap(CreateBitmap(width, height, 1, 1, mask));
  free(mask);
  if (!maskBitmap) return nullptr;
  ICONINFO icon = {TRUE, 0, 0, maskBitmap.get(), color.get()};
  return CreateIconIndirect(&icon);  // copies both bitmaps
}

bool GifPicture::LoadGifResource(HINSTANCE instance, int id) {
  // Resource bytes stay mapped for the life of the program: the GIF is read in place.
  size_t length = 0;
  const unsigned char* data = ResourceBytes(instance, id, RawDataResource(), length);
  if (!data || !image_.Open(data, length) || !image_.Advance()) return false;
  Move(Left(), Top(), image_.Width(), image_.Height());
  return ShowCurrentFrame();
}

bool GifPicture::ShowCurrentFrame() {
  frame_.Reset(IconFromPixels(image_.Canvas(), image_.Width(), image_.Height()));
  Invalidate();
  return static_cast<bool>(frame_);
}

void GifPicture::StartAnimation(UINT_PTR timerId) {
  timerId_ = timerId;
  if (image_.FrameCount() > 1) ArmTimer();
}

void GifPicture::ArmTimer() {
  int delay = image_.Delay(image_.Current());
  if (form_.hwnd()) SetTimer(form_.hwnd(), timerId_, delay > 0 ? static_cast<UINT>(delay) * 10 : kDefaultDelayMs, nullptr);
}

bool GifPicture::OnTimer(UINT_PTR timerId) {
  if (timerId_ == 0 || timerId != timerId_) return false;
  if (image_.Advance()) ShowCurrentFrame();
  ArmTimer();
  return true;
}

void GifPicture::Paint(HDC dc) const {
  if (Visible() && frame_) DrawIconEx(dc, Left(), Top(), frame_.get(), Width(), Height(), 0, nullptr, DI_NORMAL);
}
