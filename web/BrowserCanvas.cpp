// The card's SceneCanvas in the browser: every call goes to the page's host
// script (card.js), which records the show against a virtual clock while
// PlayScene runs, then replays it in real time. The star and the snow come
// from the card's own Ambient, ticked by the page's timers.
//
// The page lays the scene out on a screen the shape of its window, so the
// screen's size comes from the page; so does the smallest font that still
// reads there, below which a line of names is broken in two instead.

#include <stdint.h>

#include "player/Ambient.h"
#include "player/CardLook.h"
#include "player/CardTexts.h"
#include "cardfile/CardLayout.h"
#include "common/WholeCharacters.h"
#include "player/Scene.h"
#include "player/ShowTimings.h"
#include "web/ReferenceScreen.h"
#include "web/SceneCanvasState.h"

#define IMPORT(name) extern "C" __attribute__((import_module("card"), import_name(#name)))
IMPORT(paint) void JsPaint(int which, float x, float y);
IMPORT(text) void JsText(const wchar_t* text, size_t length, int32_t x, int32_t y, double points, size_t breakAt);
IMPORT(measure) double JsMeasure(const wchar_t* text, size_t length, double points);
IMPORT(label) void JsLabel(const wchar_t* caption, size_t length, int left, int top, int width);
IMPORT(timer) void JsTimer(int which, uint32_t intervalMs);
IMPORT(sleep) void JsSleep(uint32_t milliseconds);
IMPORT(chime) void JsChime();
IMPORT(end) void JsEnd();
IMPORT(steady_ms) double JsSteadyMs();
IMPORT(local_ms) double JsLocalMs();
#undef IMPORT

namespace {

const wchar_t kCreditLine[] = CARD_CREDIT_LINE;

// How a text is set: on one line, or broken at the space breakAt (0: none).
struct Setting {
  double width;
  size_t breakAt;
};

class BrowserCanvas : public SceneCanvasState,
                      private LocalClock,
                      private SteadyClock,
                      private MessageWaiter {
 public:
  void Start(int width, int height, double minimumPoints) {
    width_ = width;
    height_ = height;
    minimumPoints_ = minimumPoints;
    points_ = kWindowFontPoints;
  }

  void PaintPicture(CardPicture which, float x, float y) override { JsPaint(static_cast<int>(which), x, y); }
  int ScaleWidth() const override { return width_; }
  int ScaleHeight() const override { return height_; }
  void DrawOutlinedText(const WideString& text, int32_t x, int32_t y) override {
    JsText(text.c_str(), text.length(), x, y, points_, Set(text).breakAt);
  }
  double TextWidth(const WideString& text) override { return Set(text).width; }
  void SetLabelVisible(bool visible) override {
    if (visible) JsLabel(kCreditLine, sizeof(kCreditLine) / sizeof(wchar_t) - 1, labelLeft_, labelTop_, labelWidth_);
  }
  void EnableTimer1() override { JsTimer(1, CardTimerMs(1)); }
  void EnableTimer2() override { JsTimer(2, CardTimerMs(2)); }
  // A key press ends the replay, not the recording.
  void Sleep(uint32_t milliseconds) override { JsSleep(milliseconds); }
  bool PumpMessages() override { return true; }
  bool PlayChime() override {
    JsChime();
    JsSleep(kChimePauseMs);
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

  double Measure(const wchar_t* text, size_t length) const { return JsMeasure(text, length, points_); }

  // One line while the scene may still make it smaller and readable; past
  // that, two lines at the space that makes the longer of them shortest.
  Setting Set(const WideString& text) const {
    Setting one = {Measure(text.c_str(), text.length()), 0};
    if (one.width < kTextLimit || points_ - 2 >= minimumPoints_) return one;
    Setting best = one;
    for (size_t i = 1; i + 1 < text.length(); ++i) {
      if (text[i] != L' ') continue;
      double left = Measure(text.c_str(), i);
      double right = Measure(text.c_str() + i + 1, text.length() - i - 1);
      double wider = left > right ? left : right;
      if (wider < best.width) best = {wider, i};
    }
    return best;
  }

  Ambient ambient_;
  int width_ = 0;
  int height_ = 0;
  double minimumPoints_ = 0;
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

// The names a link brought, as the names field keeps them: at most 70 UTF-16
// units of whole characters. Returns how many code points stay.
EXPORT(keep_whole_senders) size_t KeepWholeSenders() {
  senders = WholeCharacters(senders, SendersFieldLength);
  return senders.length();
}

EXPORT(reference_width) int ReferenceWidth() { return kReferenceWidth; }
// How the letters and the credit line look, as the card window draws them.
EXPORT(letter_fill) uint32_t LetterFill() { return kLetterFill; }
EXPORT(letter_shadow) uint32_t LetterShadow() { return kLetterShadow; }
EXPORT(shadow_offset) int32_t ShadowOffset() { return kShadowOffset; }
EXPORT(credit_band) uint32_t CreditBand() { return kCreditBand; }
EXPORT(credit_letters) uint32_t CreditLetters() { return kCreditLetters; }
EXPORT(reference_height) int ReferenceHeight() { return kReferenceHeight; }

// The whole show on a screen of width x height, recorded by the page as it
// goes; the ambient animations go on from where they were.
EXPORT(play) void Play(int width, int height, double minimumPoints) {
  canvas.Start(width, height, minimumPoints);
  PlayScene(canvas, CARD_GREETING_TEXT, senders);
}

EXPORT(tick_star) void TickStar() { canvas.TickStar(); }
EXPORT(tick_snow) void TickSnow() { canvas.TickSnow(); }
