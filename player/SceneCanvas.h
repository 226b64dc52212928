#pragma once
// What the card's show draws through. The card window implements it with GDI;
// kept apart from the window so the show can be checked without one.

#include <stdint.h>

#include "common/WideString.h"
#include "player/PlayerResources.h"

// The window's picture holders whose pictures the show paints.
#define CARD_PICTURE_NAME(name, ...) name,
enum class CardPicture : uint8_t { CARD_PICTURES(CARD_PICTURE_NAME) };
#undef CARD_PICTURE_NAME

// Enough for the ambient animations, which only paint.
class PictureSurface {
 public:
  virtual ~PictureSurface() = default;
  // Natural size, top-left corner at (x, y), transparent pixels untouched.
  virtual void PaintPicture(CardPicture which, float x, float y) = 0;
};

class SceneCanvas : public PictureSurface {
 public:
  // Client area in pixels.
  virtual int ScaleWidth() const = 0;
  virtual int ScaleHeight() const = 0;

  // Outlined, shadowed letters in the window font; top-left at (x, y).
  virtual void DrawOutlinedText(const WideString& text, int32_t x, int32_t y) = 0;
  // Width in pixels of text in the current window font.
  virtual double TextWidth(const WideString& text) = 0;
  virtual double FontSize() const = 0;  // points
  virtual void SetFontSize(double points) = 0;

  // lblMessaggio, the credit line.
  virtual void SetLabelWidth(int width) = 0;
  virtual void SetLabelLeft(int left) = 0;
  virtual void SetLabelTop(int top) = 0;
  virtual int LabelLeft() const = 0;
  virtual int LabelTop() const = 0;
  virtual void SetLabelVisible(bool visible) = 0;

  virtual void EnableTimer1() = 0;
  virtual void EnableTimer2() = 0;
  // Where Timer1 repaints the star.
  virtual void SetStar(int16_t starX, int16_t starY) = 0;

  // The pauses. Those that pump return false once a key press has ended the
  // show; the window ends the process inside the pump, so it never does.
  virtual void Sleep(uint32_t milliseconds) = 0;  // does not pump
  virtual bool PumpMessages() = 0;
  virtual bool PlayChime() = 0;  // sound, 200 ms, pump
  virtual bool Delay(int32_t seconds, bool refresh) = 0;

  // The show's own ending, as a key press ends it. On the window it does not
  // return.
  virtual void EndShow() = 0;
};
