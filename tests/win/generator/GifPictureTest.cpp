// Pictures made from decoded GIF pixels: transparent pixels leave what lies
// behind, opaque ones show their colour, on a real device context.

#include <gtest/gtest.h>

#include "forms/GifPicture.h"

TEST(IconFromPixels, TransparentPixelsLeaveTheBackground) {
  const GifImage::Pixel pixels[6] = {0xFFFF0000u, 0x00000000u, 0xFF0000FFu,
                                     0x00000000u, 0xFFFFFFFFu, 0xFF000000u};
  HICON icon = IconFromPixels(pixels, 3, 2);
  ASSERT_NE(icon, nullptr);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, 8, 8};
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  FillRect(dc, &all, green);
  ASSERT_TRUE(DrawIconEx(dc, 2, 3, icon, 3, 2, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetPixel(dc, 2, 3), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 128, 0));
  EXPECT_EQ(GetPixel(dc, 4, 3), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 2, 4), RGB(0, 128, 0));
  EXPECT_EQ(GetPixel(dc, 3, 4), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 4, 4), RGB(0, 0, 0));  // opaque black stays black
  EXPECT_EQ(GetPixel(dc, 1, 3), RGB(0, 128, 0));
  SelectObject(dc, old);
  DeleteObject(green);
  DeleteObject(bitmap);
  DeleteDC(dc);
  DestroyIcon(icon);
}
