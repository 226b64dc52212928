// The card's SceneCanvas in the browser: every call goes to the page's host
// script (card.js), which records the show against a virtual clock while
// PlayScene runs, then replays it in real time. The star and the snow come
// from the card's own Ambient, ticked by the page's timers.

#include <stdint.h>

#include "player/Ambient.h"
#include "player/CardTexts.h"
#include "player/Scene.h"
#include "web/ReferenceScreen.h"
#include "web/SceneCanvasState.h"

#define IMPORT(name) extern "C" __attribute__((import_module("card"), import_name(#name)))
IMPORT(paint) void JsPaint(int which, float x, float y);
IMPORT(text) void JsText(const wchar_t* text, size_t length, int32_t x, int32_t y, double points);
IMPORT(measure) double JsMeasure(const wchar_t* text, size_t length, double points);
IMPORT(label) void JsLabel(const wchar_t* caption, size_t length, int left, int top, int width);
IMPORT(timer) void JsTimer(int which);
IMPORT(sleep) void JsSleep(uint32_t milliseconds);
IMPORT(chime) void JsChime();
IMPORT(end) void JsEnd();
IMPORT(steady_ms) double JsSteadyMs();
IMPORT(local_ms) double JsLocalMs();
#undef IMPORT

namespace {

const wchar_t kCreditLine[] = CARD_CREDIT_LINE;

class BrowserCanvas : public SceneCanvasState,
                      private LocalClock,
                      private SteadyClock,
                      private MessageWaiter {
 public:
  void Start(int width, int height) {
    width_ = width;
    height_ = height;
    points_ = kWindowFontPoints;
  }

  void PaintPicture(CardPicture which, float x, float y) override { JsPaint(static_cast<int>(which), x, y); }
  int ScaleWidth() const override { return width_; }
  int ScaleHeight() const override { return height_; }
  void DrawOutlinedText(const WideString& text, int32_t x, int32_t y) override {
    JsText(text.c_str(), text.length(), x, y, points_);
  }
  double TextWidth(const WideString& text) override { return JsMeasure(text.c_str(), text.length(), points_); }
  void SetLabelVisible(bool visible) override {
    if (visible) JsLabel(kCreditLine, sizeof(kCreditLine) / sizeof(wchar_t) - 1, labelLeft_, labelTop_, labelWidth_);
  }
  void EnableTimer1() override { JsTimer(1); }
  void EnableTimer2() override { JsTimer(2); }
  // A key press ends the replay, not the recording.
  void Sleep(uint32_t milliseconds) override { JsSleep(milliseconds); }
  bool PumpMessages() override { return true; }
  bool PlayChime() override {
    JsChime();
    JsSleep(200);
    return true;
  }
  bool Delay(int32_t seconds, bool refresh) override {
    return ::Delay(seconds, refresh, static_cast<SteadyClock&>(*this), static_cast<MessageWaiter&>(*this));
  }
  void EndShow() override { JsEnd(); }

  void TickStar() { ambient_.Timer1_Timer(*this, starX_, starY_); }
  void TickSnow() {
    ambient_.Timer2_Timer(*this, static_cast<int16_t>(width_ / 2), static_cast<int16_t>(height_ / 2), *this);
  }

 private:
  int64_t NowMs() override { return static_cast<int64_t>(JsLocalMs()); }
  int64_t SteadyMs() override { return static_cast<int64_t>(JsSteadyMs()); }
  void WaitForMessageOrMs(uint32_t milliseconds) override { JsSleep(milliseconds); }

  Ambient ambient_;
  int width_ = 0;
  int height_ = 0;
};

BrowserCanvas canvas;
WideString senders;

}  // namespace

#define EXPORT(name) extern "C" __attribute__((export_name(#name)))

// Room for the names, one code point per wchar_t, written by the page.
EXPORT(senders_buffer) wchar_t* SendersBuffer(size_t length) {
  senders = WideString::Repeat(L' ', length);
  return const_cast<wchar_t*>(senders.c_str());
}

EXPORT(reference_width) int ReferenceWidth() { return kReferenceWidth; }
EXPORT(reference_height) int ReferenceHeight() { return kReferenceHeight; }

// The whole show on the reference screen, recorded by the page as it goes.
EXPORT(play) void Play() {
  canvas.Start(kReferenceWidth, kReferenceHeight);
  PlayScene(canvas, CARD_GREETING_TEXT, senders);
}

EXPORT(tick_star) void TickStar() { canvas.TickStar(); }
EXPORT(tick_snow) void TickSnow() { canvas.TickSnow(); }
