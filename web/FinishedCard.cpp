// Built for the build machine and run by the build: plays the card's scene to
// its end and prints the pictures it leaves on the screen, one per line
// ("paint WHICH X Y", "label LEFT TOP WIDTH"), for the page's static picture,
// the one that shows where scripts do not run. Some snow from the card's own
// Ambient, on a fixed clock, so the picture is the same at every build: only
// flakes that fit the screen whole, since a window of its shape shows it to
// the edges.

#include <stdio.h>

#include "common/HalfEven.h"
#include "player/Ambient.h"
#include "player/CardTexts.h"
#include "player/Scene.h"
#include "web/ReferenceScreen.h"
#include "web/SceneCanvasState.h"

namespace {

constexpr int kFlakes = 24;
constexpr long kFlakeSize = 32;  // the flake's icon, square

class FinishedCanvas : public SceneCanvasState, public LocalClock, public SteadyClock, public MessageWaiter {
 public:
  void PaintPicture(CardPicture which, float x, float y) override {
    long left = RoundHalfEven(x), top = RoundHalfEven(y);
    if (which == CardPicture::imgNeve) {
      if (left + kFlakeSize > kReferenceWidth || top + kFlakeSize > kReferenceHeight) return;
      ++flakes_;
    }
    printf("paint %d %ld %ld\n", static_cast<int>(which), left, top);
  }
  int ScaleWidth() const override { return kReferenceWidth; }
  int ScaleHeight() const override { return kReferenceHeight; }
  void DrawOutlinedText(const WideString&, int32_t, int32_t) override {}
  // The static page sets the words as text; their width does not matter here.
  double TextWidth(const WideString& text) override { return static_cast<double>(text.length()); }
  void SetLabelVisible(bool visible) override {
    if (visible) printf("label %d %d %d\n", labelLeft_, labelTop_, labelWidth_);
  }
  void EnableTimer1() override {}
  void EnableTimer2() override {}
  void Sleep(uint32_t milliseconds) override { now_ += milliseconds; }
  bool PumpMessages() override { return true; }
  bool PlayChime() override { return true; }
  bool Delay(int32_t seconds, bool refresh) override { return ::Delay(seconds, refresh, *this, *this); }
  void EndShow() override {}

  int64_t NowMs() override { return now_ += 200; }
  int64_t SteadyMs() override { return now_; }
  void WaitForMessageOrMs(uint32_t milliseconds) override { now_ += milliseconds; }

  void Snow() {
    Ambient ambient;
    while (flakes_ < kFlakes) {
      ambient.Timer2_Timer(*this, kReferenceWidth / 2, kReferenceHeight / 2, *this);
    }
    ambient.Timer1_Timer(*this, starX_, starY_);
  }

 private:
  int64_t now_ = 0;
  int flakes_ = 0;
};

}  // namespace

int main() {
  FinishedCanvas canvas;
  PlayScene(canvas, CARD_GREETING_TEXT, L"");
  canvas.Snow();
  return 0;
}
