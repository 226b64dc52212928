#pragma once
// A windowless picture that shows a GIF resource (RT_RCDATA) at its natural
// size, transparent where the GIF is, and plays its animation from a window
// timer of the form.

#include "forms/Control.h"
#include "codecs/Gif.h"
#include "winapi/Handles.h"

class GifPicture : public Control {
 public:
  explicit GifPicture(Form& form) : Control(form) {}

  // Reads the resource and shows its first frame; the picture takes the
  // GIF's size and keeps its position.
  bool LoadGifResource(HINSTANCE instance, int id);
  // Shows the frames in turn, each for its own delay, using the given timer
  // of the form's window (which ends with the window).
  void StartAnimation(UINT_PTR timerId);
  // The form passes its timer ticks on; true when the tick was this picture's.
  bool OnTimer(UINT_PTR timerId);
  int CurrentFrame() const { return image_.Current(); }

  void Paint(HDC dc) const override;

 private:
  bool ShowCurrentFrame();
  void ArmTimer();

  GifImage image_;
  UniqueIcon frame_;
  UINT_PTR timerId_ = 0;
};

// An icon (colour with its transparency mask) from 0xAARRGGBB pixels, top row first.
HICON IconFromPixels(const GifImage::Pixel* pixels, int width, int height);
