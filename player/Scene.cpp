#include "player/Scene.h"

#include "common/HalfEven.h"
#include "player/CardLook.h"

namespace {

constexpr int32_t W = 600;  // base of the tree and width of the credit line
constexpr int16_t D = 50;   // narrowing at each turn
constexpr int16_t S = 10;   // step between two stamps
static_assert(kTextLimit == W + 60, "a line of text may be 60 pixels wider than the tree");

int32_t Rounded(double value) { return static_cast<int32_t>(RoundHalfEven(value)); }

// y is single precision and falls by double-precision amounts; the worked
// positions of the tree follow from storing each result back as a single.
float Fall(float y, double amount) { return ToSingle(static_cast<double>(y) - amount); }

struct Run {
  bool rightward;
  double fall;  // per stamp
};

// Runs 1 to 11; run 12 is the short vertical one at the top.
const Run kRuns[11] = {
    {true, 0.6},  {false, 0.8}, {true, 0.8},  {false, 0.8}, {true, 0.9}, {false, 1},
    {true, 1.3},  {false, 1.3}, {true, 1.5},  {false, 1.5}, {true, 2},
};

// The credit line is placed now and shown later. Gives L and R of
// the first run and the base's y.
void PlaceCreditLine(SceneCanvas& canvas, int32_t& L, int32_t& R, float& y) {
  canvas.SetLabelWidth(W);
  L = Rounded((canvas.ScaleWidth() - W) / 2.0);
  canvas.SetLabelLeft(L + 10);
  y = ToSingle(canvas.ScaleHeight() - 100.0);
  canvas.SetLabelTop(Rounded(y + 40.0));
  R = W + L;
}

// Baubles and candles, from the bottom of the tree upwards, one chime for
// each pair.
bool HangOrnaments(SceneCanvas& canvas, const Garland& garland) {
  for (int32_t i = 0; i <= 9; ++i) {
    float x = static_cast<float>(garland.TurnPoints[i][0]);
    int32_t y = garland.TurnPoints[i][1];
    canvas.PaintPicture(CardPicture::picRed, x, static_cast<float>(y + 24));
    canvas.PaintPicture(CardPicture::imgCandle, x, static_cast<float>(y - 8));
    if (!canvas.PlayChime()) return false;
    canvas.Sleep(100);
  }
  return true;
}

// The 48-pixel star centred over the 32-pixel top of the garland.
void PutStar(SceneCanvas& canvas, float x, float y) {
  y = Fall(y, 10);
  float starLeft = ToSingle(x - 8.0);
  float starTop = ToSingle(y - 10.0);
  canvas.PaintPicture(CardPicture::imgStar0, starLeft, starTop);
  canvas.SetStar(static_cast<int16_t>(RoundHalfEven(starLeft)), static_cast<int16_t>(RoundHalfEven(starTop)));
}

// The twinkling star and the snow begin.
bool StartAnimations(SceneCanvas& canvas) {
  canvas.EnableTimer1();
  canvas.EnableTimer2();
  if (!canvas.PlayChime()) return false;
  for (int i = 0; i < 3; ++i) {
    canvas.Sleep(100);
    if (!canvas.PumpMessages()) return false;
  }
  return true;
}

// The credit line shows, the snowman at its left end.
bool ShowCreditLine(SceneCanvas& canvas) {
  int left = canvas.LabelLeft();
  int top = canvas.LabelTop();
  canvas.PaintPicture(CardPicture::imgPupNeve, static_cast<float>(left - 36), static_cast<float>(top - 8));
  canvas.SetLabelVisible(true);
  if (!canvas.PumpMessages()) return false;
  return canvas.PlayChime();
}

// Centred in the window.
int32_t CentredLeft(SceneCanvas& canvas, const WideString& text) {
  return Rounded((canvas.ScaleWidth() - canvas.TextWidth(text)) / 2.0);
}

// The greeting, centred.
void WriteGreeting(SceneCanvas& canvas, const WideString& greetingText) {
  int32_t L = CentredLeft(canvas, greetingText);
  int32_t t = canvas.ScaleHeight() - 200;
  canvas.DrawOutlinedText(greetingText, L, t);
  canvas.Sleep(200);
}

// A senders' field never written holds only NULs, which would show as junk
// glyphs.
bool HasTextToShow(const WideString& text) {
  for (size_t i = 0; i < text.length(); ++i) {
    if (text[i] != L'\0') return true;
  }
  return false;
}

// The names, smaller until they fit; the smaller font stays.
void WriteSenders(SceneCanvas& canvas, const WideString& sendersText) {
  if (!HasTextToShow(sendersText)) return;
  int32_t w = Rounded(canvas.TextWidth(sendersText));
  while (w >= kTextLimit) {
    double smaller = canvas.FontSize() - 2;
    // A font cannot get smaller than nothing: the step fails and the show
    // goes on with the size it has.
    if (smaller <= 0) break;
    canvas.SetFontSize(smaller);
    w = Rounded(canvas.TextWidth(sendersText));
  }
  int32_t L = CentredLeft(canvas, sendersText);
  int32_t t = canvas.ScaleHeight() - 140;
  canvas.DrawOutlinedText(sendersText, L, t);
}

}  // namespace

bool StampGreen(SceneCanvas& canvas, float x, float y) {
  canvas.PaintPicture(CardPicture::picGreen, x, y);
  canvas.Sleep(40);
  return canvas.PumpMessages();
}

bool DrawGarland(SceneCanvas& canvas, int32_t L, int32_t R, float y, Garland& garland) {
  float x = 0;
  for (int run = 0; run < 11; ++run) {
    const Run& r = kRuns[run];
    if (r.rightward) {
      for (x = static_cast<float>(L); x <= R; x = ToSingle(x + static_cast<double>(S))) {
        if (!StampGreen(canvas, x, y)) return false;
        y = Fall(y, r.fall);
      }
    } else {
      for (x = static_cast<float>(R); x >= L; x = ToSingle(x - static_cast<double>(S))) {
        if (!StampGreen(canvas, x, y)) return false;
        y = Fall(y, r.fall);
      }
    }
    if (run == 10) break;  // the last run leaves no turning point
    garland.TurnPoints[run][0] = Rounded(x);
    garland.TurnPoints[run][1] = Rounded(y);
    if (r.rightward) {
      L += D;
    } else {
      R -= (run == 9) ? 2 * D : D;
    }
  }
  // Run 12 climbs straight up at the x that run 11 left; its end is fixed at
  // the start.
  float top = ToSingle(y - 30.0);
  for (; y >= top; y = ToSingle(y - static_cast<double>(S))) {
    if (!StampGreen(canvas, x, y)) return false;
  }
  garland.x = x;
  garland.y = y;
  return true;
}

void PlayScene(SceneCanvas& canvas, const WideString& greetingText, const WideString& sendersText) {
  int32_t L = 0;
  int32_t R = 0;
  float y = 0;
  PlaceCreditLine(canvas, L, R, y);

  Garland garland = {};
  if (!DrawGarland(canvas, L, R, y, garland)) return;
  if (!HangOrnaments(canvas, garland)) return;
  PutStar(canvas, garland.x, garland.y);
  if (!StartAnimations(canvas)) return;
  if (!ShowCreditLine(canvas)) return;
  WriteGreeting(canvas, greetingText);
  WriteSenders(canvas, sendersText);

  // The last look, then the same ending as a key press.
  if (!canvas.PumpMessages()) return;
  if (!canvas.Delay(12, true)) return;
  canvas.EndShow();
}
