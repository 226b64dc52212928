#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/WideString.h"
#include "player/Scene.h"
#include "player/SceneCanvas.h"

namespace {

enum class Kind {
  Paint,
  Text,
  Measure,
  SetFontSize,
  LabelWidth,
  LabelLeft,
  LabelTop,
  LabelVisible,
  Timer1,
  Timer2,
  Star,
  Sleep,
  Pump,
  Chime,
  Delay,
  EndShow,
};

struct Event {
  Kind kind;
  CardPicture picture = CardPicture::picGreen;
  float x = 0, y = 0;       // Paint
  long long a = 0, b = 0;   // Text x/y, label values, star, sleep ms, delay seconds/refresh
  std::wstring text;        // Text, Measure
  double fontSize = 0;      // at Text and Measure; the new size at SetFontSize
};

const char* PictureName(CardPicture p) {
  switch (p) {
    case CardPicture::picGreen: return "picGreen";
    case CardPicture::picRed: return "picRed";
    case CardPicture::imgCandle: return "imgCandle";
    case CardPicture::imgStar0: return "imgStar0";
    case CardPicture::imgStar1: return "imgStar1";
    case CardPicture::imgPupNeve: return "imgPupNeve";
    case CardPicture::imgNeve: return "imgNeve";
  }
  return "?";
}

// A window stand-in that writes down every call. Text is as wide as the font
// size times its length times charWidth. A key press can be made to arrive
// at the pause numbered keyAtPause (pumps, chimes and the final Delay count,
// from 0): that pause reports the end of the show.
class Recorder : public SceneCanvas {
 public:
  Recorder(int width, int height) : width_(width), height_(height) {}

  std::vector<Event> events;
  double charWidth = 0.5;
  long keyAtPause = -1;
  long pauses = 0;
  bool ended = false;
  bool calledAfterEnd = false;
  int endShows = 0;

  void PaintPicture(CardPicture which, float x, float y) override {
    Event e = Make(Kind::Paint);
    e.picture = which;
    e.x = x;
    e.y = y;
    events.push_back(e);
  }
  int ScaleWidth() const override { return width_; }
  int ScaleHeight() const override { return height_; }
  void DrawOutlinedText(const WideString& text, int32_t x, int32_t y) override {
    Event e = Make(Kind::Text);
    e.text.assign(text.c_str(), text.length());
    e.a = x;
    e.b = y;
    e.fontSize = font_;
    events.push_back(e);
  }
  double TextWidth(const WideString& text) override {
    Event e = Make(Kind::Measure);
    e.text.assign(text.c_str(), text.length());
    e.fontSize = font_;
    events.push_back(e);
    return font_ * static_cast<double>(text.length()) * charWidth;
  }
  double FontSize() const override { return font_; }
  void SetFontSize(double points) override {
    Event e = Make(Kind::SetFontSize);
    e.fontSize = points;
    events.push_back(e);
    font_ = points;
  }
  void SetLabelWidth(int width) override { Record(Kind::LabelWidth, width); }
  void SetLabelLeft(int left) override {
    Record(Kind::LabelLeft, left);
    labelLeft_ = left;
  }
  void SetLabelTop(int top) override {
    Record(Kind::LabelTop, top);
    labelTop_ = top;
  }
  int LabelLeft() const override { return labelLeft_; }
  int LabelTop() const override { return labelTop_; }
  void SetLabelVisible(bool visible) override { Record(Kind::LabelVisible, visible ? 1 : 0); }
  void EnableTimer1() override { Record(Kind::Timer1); }
  void EnableTimer2() override { Record(Kind::Timer2); }
  void SetStar(int16_t starX, int16_t starY) override { Record(Kind::Star, starX, starY); }
  void Sleep(uint32_t milliseconds) override { Record(Kind::Sleep, milliseconds); }
  bool PumpMessages() override {
    Record(Kind::Pump);
    return Pause();
  }
  bool PlayChime() override {
    Record(Kind::Chime);
    return Pause();
  }
  bool Delay(int32_t seconds, bool refresh) override {
    Record(Kind::Delay, seconds, refresh ? 1 : 0);
    return Pause();
  }
  void EndShow() override {
    Record(Kind::EndShow);
    ++endShows;
  }

  std::vector<Event> Of(Kind kind) const {
    std::vector<Event> found;
    for (const Event& e : events) {
      if (e.kind == kind) found.push_back(e);
    }
    return found;
  }
  std::vector<Event> Paints(CardPicture picture) const {
    std::vector<Event> found;
    for (const Event& e : Of(Kind::Paint)) {
      if (e.picture == picture) found.push_back(e);
    }
    return found;
  }
  const Event* Find(Kind kind) const {
    for (const Event& e : events) {
      if (e.kind == kind) return &e;
    }
    return nullptr;
  }

 private:
  Event Make(Kind kind) {
    if (ended) calledAfterEnd = true;
    Event e;
    e.kind = kind;
    return e;
  }
  void Record(Kind kind, long long a = 0, long long b = 0) {
    Event e = Make(kind);
    e.a = a;
    e.b = b;
    events.push_back(e);
  }
  bool Pause() {
    if (pauses++ == keyAtPause) ended = true;
    return !ended;
  }

  int width_;
  int height_;
  double font_ = 32;
  int labelLeft_ = 56;  // designed place, overwritten in phase 1
  int labelTop_ = 48;
};

// One line per call, positions to a tenth of a pixel: for comparing whole
// stretches of the show.
std::string Describe(const Event& e) {
  char line[160];
  switch (e.kind) {
    case Kind::Paint: snprintf(line, sizeof(line), "paint %s %.1f %.1f", PictureName(e.picture), e.x, e.y); break;
    case Kind::Text: snprintf(line, sizeof(line), "text %lld %lld %.0fpt", e.a, e.b, e.fontSize); break;
    case Kind::Measure: snprintf(line, sizeof(line), "measure %.0fpt", e.fontSize); break;
    case Kind::SetFontSize: snprintf(line, sizeof(line), "font %.0f", e.fontSize); break;
    case Kind::LabelWidth: snprintf(line, sizeof(line), "label width %lld", e.a); break;
    case Kind::LabelLeft: snprintf(line, sizeof(line), "label left %lld", e.a); break;
    case Kind::LabelTop: snprintf(line, sizeof(line), "label top %lld", e.a); break;
    case Kind::LabelVisible: snprintf(line, sizeof(line), "label visible %lld", e.a); break;
    case Kind::Timer1: snprintf(line, sizeof(line), "timer1 on"); break;
    case Kind::Timer2: snprintf(line, sizeof(line), "timer2 on"); break;
    case Kind::Star: snprintf(line, sizeof(line), "star %lld %lld", e.a, e.b); break;
    case Kind::Sleep: snprintf(line, sizeof(line), "sleep %lld", e.a); break;
    case Kind::Pump: snprintf(line, sizeof(line), "pump"); break;
    case Kind::Chime: snprintf(line, sizeof(line), "chime"); break;
    case Kind::Delay: snprintf(line, sizeof(line), "delay %lld %lld", e.a, e.b); break;
    case Kind::EndShow: snprintf(line, sizeof(line), "end show"); break;
  }
  return line;
}

std::vector<std::string> Describe(const std::vector<Event>& events, size_t from) {
  std::vector<std::string> lines;
  for (size_t i = from; i < events.size(); ++i) lines.push_back(Describe(events[i]));
  return lines;
}

const WideString kGreeting = L"Buon Natale e felice anno nuovo";  // 31 characters
const WideString kSenders = L"Anna e Mario";                       // 12 characters

Recorder Play(int width, int height, const WideString& senders = kSenders) {
  Recorder canvas(width, height);
  PlayScene(canvas, kGreeting, senders);
  return canvas;
}

struct Point {
  int32_t x, y;
};

const Point kTurnPoints800x600[10] = {{710, 463}, {140, 419}, {660, 378}, {190, 341}, {610, 304},
                                      {240, 268}, {560, 228}, {290, 194}, {510, 163}, {340, 139}};

// Stamps per run, runs 1 to 12.
const int kRunStamps[12] = {61, 56, 51, 46, 41, 36, 31, 26, 21, 16, 6, 4};

size_t RunStart(int run) {  // index of the first stamp of run (1-based)
  size_t index = 0;
  for (int r = 1; r < run; ++r) index += static_cast<size_t>(kRunStamps[r - 1]);
  return index;
}

}  // namespace

// ---- The garland --------------------------------------------------------

TEST(StampGreen, PaintsThenPausesFortyMillisecondsThenPumps) {
  Recorder canvas(800, 600);
  EXPECT_TRUE(StampGreen(canvas, 123.5f, 45.375f));
  std::vector<std::string> expected = {"paint picGreen 123.5 45.4", "sleep 40", "pump"};
  EXPECT_EQ(Describe(canvas.events, 0), expected);
  EXPECT_EQ(canvas.events[0].x, 123.5f);  // passed on unchanged, fraction and all
  EXPECT_EQ(canvas.events[0].y, 45.375f);
}

TEST(StampGreen, ReportsAKeyPressInItsPump) {
  Recorder canvas(800, 600);
  canvas.keyAtPause = 0;
  EXPECT_FALSE(StampGreen(canvas, 0, 0));
}

TEST(Garland, HasThreeHundredNinetyFiveStampsEachPacedAndPumped) {
  Recorder canvas = Play(800, 600);
  const std::vector<Event>& ev = canvas.events;
  size_t stamps = 0;
  for (size_t i = 0; i < ev.size(); ++i) {
    if (ev[i].kind != Kind::Paint || ev[i].picture != CardPicture::picGreen) continue;
    ++stamps;
    ASSERT_LT(i + 2, ev.size());
    EXPECT_EQ(Describe(ev[i + 1]), "sleep 40");
    EXPECT_EQ(ev[i + 2].kind, Kind::Pump);
  }
  EXPECT_EQ(stamps, 395u);
}

TEST(Garland, TurnPointsOf800x600) {
  Recorder canvas(800, 600);
  Garland garland = {};
  ASSERT_TRUE(DrawGarland(canvas, 100, 700, 500.0f, garland));
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(garland.TurnPoints[i][0], kTurnPoints800x600[i].x) << "row " << i;
    EXPECT_EQ(garland.TurnPoints[i][1], kTurnPoints800x600[i].y) << "row " << i;
  }
  EXPECT_EQ(canvas.Paints(CardPicture::picGreen).size(), 395u);
}

TEST(Garland, RunsGoBackAndForthWithTheirOwnFall) {
  Recorder canvas = Play(800, 600);
  std::vector<Event> stamps = canvas.Paints(CardPicture::picGreen);
  ASSERT_EQ(stamps.size(), 395u);
  const double falls[11] = {0.6, 0.8, 0.8, 0.8, 0.9, 1, 1.3, 1.3, 1.5, 1.5, 2};
  for (int run = 1; run <= 11; ++run) {
    size_t first = RunStart(run);
    float step = (run % 2 == 1) ? 10.0f : -10.0f;
    for (int k = 1; k < kRunStamps[run - 1]; ++k) {
      const Event& before = stamps[first + k - 1];
      const Event& after = stamps[first + k];
      EXPECT_EQ(after.x - before.x, step) << "run " << run << " stamp " << k;
      EXPECT_NEAR(before.y - after.y, falls[run - 1], 1e-4) << "run " << run << " stamp " << k;
    }
  }
  // Each run starts where the previous one turned, one fall higher.
  for (int run = 2; run <= 11; ++run) {
    const Event& last = stamps[RunStart(run) - 1];
    const Event& next = stamps[RunStart(run)];
    EXPECT_NEAR(last.y - next.y, falls[run - 2], 1e-4) << "run " << run;
  }
}

TEST(Garland, WorkedExample800x600Stamps) {
  Recorder canvas = Play(800, 600);
  std::vector<Event> stamps = canvas.Paints(CardPicture::picGreen);
  ASSERT_EQ(stamps.size(), 395u);
  EXPECT_EQ(stamps[0].x, 100.0f);
  EXPECT_EQ(stamps[0].y, 500.0f);
  EXPECT_EQ(stamps[60].x, 700.0f);  // run 1 ends at R
  EXPECT_EQ(stamps[61].x, 700.0f);  // run 2 starts back at R

  size_t run11 = RunStart(11);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(stamps[run11 + k].x, 350.0f + 10 * k);

  size_t run12 = RunStart(12);
  const double ys[4] = {126.5, 116.5, 106.5, 96.5};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(stamps[run12 + k].x, 410.0f);
    EXPECT_NEAR(stamps[run12 + k].y, ys[k], 0.01);
  }
}

TEST(Garland, SameTreeOnEveryScreenOnlyMoved) {
  std::vector<Event> small = Play(800, 600).Paints(CardPicture::picGreen);
  std::vector<Event> large = Play(1024, 768).Paints(CardPicture::picGreen);
  ASSERT_EQ(small.size(), 395u);
  ASSERT_EQ(large.size(), 395u);
  for (size_t i = 0; i < small.size(); ++i) {
    EXPECT_EQ(large[i].x - small[i].x, 112.0f) << i;
    EXPECT_NEAR(large[i].y - small[i].y, 168.0, 0.01) << i;
  }
}

// ---- The worked examples --------------------------------------------------

TEST(WorkedExample, CreditLinePlaced800x600) {
  Recorder canvas = Play(800, 600);
  std::vector<std::string> expected = {"label width 600", "label left 110", "label top 540"};
  EXPECT_EQ(Describe(std::vector<Event>(canvas.events.begin(), canvas.events.begin() + 3), 0), expected);
  EXPECT_EQ(canvas.events[3].kind, Kind::Paint);  // then straight into the garland
}

TEST(WorkedExample, OrnamentsAndCandlesAtTheTurningPoints800x600) {
  Recorder canvas = Play(800, 600);
  std::vector<Event> baubles = canvas.Paints(CardPicture::picRed);
  std::vector<Event> candles = canvas.Paints(CardPicture::imgCandle);
  ASSERT_EQ(baubles.size(), 10u);
  ASSERT_EQ(candles.size(), 10u);
  EXPECT_EQ(baubles[0].x, 710.0f);
  EXPECT_EQ(baubles[0].y, 487.0f);
  EXPECT_EQ(candles[0].x, 710.0f);
  EXPECT_EQ(candles[0].y, 455.0f);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(baubles[i].x, static_cast<float>(kTurnPoints800x600[i].x)) << i;
    EXPECT_EQ(baubles[i].y, static_cast<float>(kTurnPoints800x600[i].y + 24)) << i;
    EXPECT_EQ(candles[i].x, static_cast<float>(kTurnPoints800x600[i].x)) << i;
    EXPECT_EQ(candles[i].y, static_cast<float>(kTurnPoints800x600[i].y - 8)) << i;
  }
}

TEST(WorkedExample, StarAndItsRoundedCorner800x600) {
  Recorder canvas = Play(800, 600);
  std::vector<Event> stars = canvas.Paints(CardPicture::imgStar0);
  ASSERT_EQ(stars.size(), 1u);
  EXPECT_EQ(stars[0].x, 402.0f);
  EXPECT_NEAR(stars[0].y, 66.5, 0.01);
  // Only single-precision y lands just above 66.5, so the corner rounds up.
  ASSERT_NE(canvas.Find(Kind::Star), nullptr);
  EXPECT_EQ(canvas.Find(Kind::Star)->a, 402);
  EXPECT_EQ(canvas.Find(Kind::Star)->b, 67);
  EXPECT_TRUE(canvas.Paints(CardPicture::imgStar1).empty());
}

TEST(WorkedExample, SnowmanAndTexts800x600) {
  Recorder canvas = Play(800, 600);
  std::vector<Event> snowman = canvas.Paints(CardPicture::imgPupNeve);
  ASSERT_EQ(snowman.size(), 1u);
  EXPECT_EQ(snowman[0].x, 74.0f);
  EXPECT_EQ(snowman[0].y, 532.0f);

  std::vector<Event> texts = canvas.Of(Kind::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, L"Buon Natale e felice anno nuovo");
  EXPECT_EQ(texts[0].a, 152);  // (800 - 31 * 16) / 2
  EXPECT_EQ(texts[0].b, 400);
  EXPECT_EQ(texts[1].text, L"Anna e Mario");
  EXPECT_EQ(texts[1].a, 304);  // (800 - 12 * 16) / 2
  EXPECT_EQ(texts[1].b, 460);
}

TEST(WorkedExample, Figures1024x768) {
  Recorder canvas = Play(1024, 768);
  std::vector<Event> stamps = canvas.Paints(CardPicture::picGreen);
  ASSERT_EQ(stamps.size(), 395u);
  EXPECT_EQ(stamps[0].x, 212.0f);
  EXPECT_EQ(stamps[0].y, 668.0f);
  std::vector<Event> baubles = canvas.Paints(CardPicture::picRed);
  ASSERT_EQ(baubles.size(), 10u);
  EXPECT_EQ(baubles[0].x, 822.0f);  // row 0 (822, 631)
  EXPECT_EQ(baubles[0].y, 631.0f + 24);
  EXPECT_EQ(baubles[9].x, 452.0f);  // row 9 (452, 307)
  EXPECT_EQ(baubles[9].y, 307.0f + 24);
  ASSERT_NE(canvas.Find(Kind::Star), nullptr);
  EXPECT_EQ(canvas.Find(Kind::Star)->a, 514);
  EXPECT_EQ(canvas.Find(Kind::Star)->b, 235);

  Recorder direct(1024, 768);
  Garland garland = {};
  ASSERT_TRUE(DrawGarland(direct, 212, 812, 668.0f, garland));
  EXPECT_EQ(garland.TurnPoints[0][0], 822);
  EXPECT_EQ(garland.TurnPoints[0][1], 631);
  EXPECT_EQ(garland.TurnPoints[9][0], 452);
  EXPECT_EQ(garland.TurnPoints[9][1], 307);
}

TEST(WorkedExample, OddWidthsRoundTheHalfToEven) {
  for (int width : {1023, 1025}) {
    Recorder canvas = Play(width, 768);
    std::vector<Event> stamps = canvas.Paints(CardPicture::picGreen);
    ASSERT_FALSE(stamps.empty());
    EXPECT_EQ(stamps[0].x, 212.0f) << width;
    EXPECT_EQ(stamps[60].x, 812.0f) << width;  // R = 600 + L
    ASSERT_NE(canvas.Find(Kind::LabelLeft), nullptr);
    EXPECT_EQ(canvas.Find(Kind::LabelLeft)->a, 222) << width;
  }
}

// ---- Texts and the senders' names -----------------------------------------

TEST(SendersText, EmptyTextShrinksNothingAndDrawsNothing) {
  Recorder canvas = Play(800, 600, WideString());
  EXPECT_TRUE(canvas.Of(Kind::SetFontSize).empty());
  std::vector<Event> texts = canvas.Of(Kind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, L"Buon Natale e felice anno nuovo");
  EXPECT_EQ(canvas.FontSize(), 32);
  EXPECT_EQ(canvas.endShows, 1);
}

TEST(SendersText, FieldNeverWrittenDrawsNoSendersLine) {
  Recorder canvas = Play(800, 600, WideString::Repeat(L'\0', 70));
  std::vector<Event> texts = canvas.Of(Kind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, L"Buon Natale e felice anno nuovo");
  for (const Event& m : canvas.Of(Kind::Measure)) EXPECT_EQ(m.text, L"Buon Natale e felice anno nuovo");
  EXPECT_TRUE(canvas.Of(Kind::SetFontSize).empty());
  EXPECT_EQ(canvas.endShows, 1);  // the rest of the show goes on
}

TEST(SendersText, NulsAmongLettersStillDrawTheLine) {
  WideString senders(L"Anna\0\0", 6);
  Recorder canvas = Play(800, 600, senders);
  std::vector<Event> texts = canvas.Of(Kind::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].text, std::wstring(L"Anna\0\0", 6));
  EXPECT_EQ(texts[1].b, 460);
}

TEST(SendersText, LongTextShrinksTwoPointsAtATimeUntilBelow660) {
  // 60 characters: 960 px at 32 points, 660 px (still too wide) at 22, 600 at 20.
  WideString senders = WideString::Repeat(L'x', 60);
  Recorder canvas = Play(800, 600, senders);
  std::vector<Event> sizes = canvas.Of(Kind::SetFontSize);
  std::vector<double> points;
  for (const Event& e : sizes) points.push_back(e.fontSize);
  EXPECT_EQ(points, (std::vector<double>{30, 28, 26, 24, 22, 20}));

  std::vector<Event> texts = canvas.Of(Kind::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].fontSize, 32);  // the greeting comes first, full size
  EXPECT_EQ(texts[1].fontSize, 20);
  EXPECT_EQ(texts[1].a, 100);  // (800 - 600) / 2, measured at the new size
  EXPECT_EQ(texts[1].b, 460);
  EXPECT_EQ(canvas.FontSize(), 20);  // the smaller size stays
}

TEST(SendersText, WidthIsRoundedBeforeTheComparison) {
  // 659.5 rounds to 660 (half to even) and must shrink; 658.5 rounds to 658
  // and must not.
  WideString senders = WideString::Repeat(L'x', 32);
  Recorder tooWide(800, 600);
  tooWide.charWidth = 659.5 / (32.0 * 32);
  PlayScene(tooWide, kGreeting, senders);
  ASSERT_EQ(tooWide.Of(Kind::SetFontSize).size(), 1u);
  EXPECT_EQ(tooWide.FontSize(), 30);

  Recorder fits(800, 600);
  fits.charWidth = 658.5 / (32.0 * 32);
  PlayScene(fits, kGreeting, senders);
  EXPECT_TRUE(fits.Of(Kind::SetFontSize).empty());
}

TEST(SendersText, AFontThatCannotShrinkFurtherEndsTheLoop) {
  Recorder canvas(800, 600);
  canvas.charWidth = 1000;  // wide at any size
  PlayScene(canvas, kGreeting, kSenders);
  EXPECT_GT(canvas.FontSize(), 0);
  EXPECT_EQ(canvas.Of(Kind::Text).size(), 2u);
  EXPECT_EQ(canvas.endShows, 1);
}

TEST(Greeting, CentredWithHalvesRoundedToEven) {
  Recorder canvas(801, 600);  // (801 - 496) / 2 = 152.5
  PlayScene(canvas, kGreeting, kSenders);
  std::vector<Event> texts = canvas.Of(Kind::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].a, 152);
  EXPECT_EQ(texts[1].a, 304);  // (801 - 192) / 2 = 304.5
}

// ---- Order of the show -----------------------------------------------------

TEST(ShowOrder, EverythingAfterTheGarlandInOrder) {
  Recorder canvas = Play(800, 600);
  size_t lastStamp = 0;
  for (size_t i = 0; i < canvas.events.size(); ++i) {
    if (canvas.events[i].kind == Kind::Paint && canvas.events[i].picture == CardPicture::picGreen) lastStamp = i;
  }
  std::vector<std::string> expected = {"sleep 40", "pump"};
  for (const Point& p : kTurnPoints800x600) {
    char line[64];
    snprintf(line, sizeof(line), "paint picRed %d.0 %d.0", p.x, p.y + 24);
    expected.push_back(line);
    snprintf(line, sizeof(line), "paint imgCandle %d.0 %d.0", p.x, p.y - 8);
    expected.push_back(line);
    expected.push_back("chime");
    expected.push_back("sleep 100");
  }
  const char* rest[] = {
      "paint imgStar0 402.0 66.5", "star 402 67", "timer1 on", "timer2 on", "chime",
      "sleep 100", "pump", "sleep 100", "pump", "sleep 100", "pump",
      "paint imgPupNeve 74.0 532.0", "label visible 1", "pump", "chime",
      "measure 32pt", "text 152 400 32pt", "sleep 200",
      "measure 32pt", "measure 32pt", "text 304 460 32pt",
      "pump", "delay 12 1", "end show",
  };
  for (const char* line : rest) expected.push_back(line);
  EXPECT_EQ(Describe(canvas.events, lastStamp + 1), expected);
}

TEST(ShowOrder, TwelveChimes) {
  Recorder canvas = Play(800, 600);
  EXPECT_EQ(canvas.Of(Kind::Chime).size(), 12u);
  // Nothing but the garland before the first one.
  size_t firstChime = 0;
  while (canvas.events[firstChime].kind != Kind::Chime) ++firstChime;
  EXPECT_EQ(canvas.Paints(CardPicture::picGreen).size(), 395u);
  for (size_t i = 0; i < firstChime; ++i) {
    const Event& e = canvas.events[i];
    EXPECT_TRUE(e.kind != Kind::Paint || e.picture == CardPicture::picGreen || e.picture == CardPicture::picRed ||
                e.picture == CardPicture::imgCandle);
  }
}

TEST(ShowOrder, TimersStartOnlyOnceTheStarIsSet) {
  Recorder canvas = Play(800, 600);
  const std::vector<Event>& ev = canvas.events;
  size_t star = ev.size(), timer1 = ev.size(), timer2 = ev.size();
  for (size_t i = 0; i < ev.size(); ++i) {
    if (ev[i].kind == Kind::Star) star = i;
    if (ev[i].kind == Kind::Timer1) timer1 = i;
    if (ev[i].kind == Kind::Timer2) timer2 = i;
  }
  ASSERT_LT(timer2, ev.size());
  EXPECT_LT(star, timer1);
  EXPECT_LT(timer1, timer2);
  EXPECT_EQ(canvas.Of(Kind::Timer1).size(), 1u);
  EXPECT_EQ(canvas.Of(Kind::Timer2).size(), 1u);
}

TEST(ShowOrder, EndsThroughEndShowExactlyOnce) {
  Recorder canvas = Play(800, 600);
  EXPECT_EQ(canvas.endShows, 1);
  EXPECT_EQ(canvas.events.back().kind, Kind::EndShow);
  EXPECT_FALSE(canvas.calledAfterEnd);
}

// ---- A key press ends the show where it lands -------------------------------

TEST(KeyPress, AtAnyPauseTheShowStopsThere) {
  Recorder full = Play(800, 600);
  const long pauses = full.pauses;
  ASSERT_EQ(pauses, 395 + 10 + 1 + 3 + 1 + 1 + 1 + 1);
  std::vector<std::string> whole = Describe(full.events, 0);
  for (long at = 0; at < pauses; ++at) {
    Recorder canvas(800, 600);
    canvas.keyAtPause = at;
    PlayScene(canvas, kGreeting, kSenders);
    ASSERT_FALSE(canvas.calledAfterEnd) << "pause " << at;
    EXPECT_EQ(canvas.endShows, 0) << "pause " << at;
    EXPECT_EQ(canvas.pauses, at + 1) << "pause " << at;
    // What happened is exactly the full show up to that pause.
    std::vector<std::string> done = Describe(canvas.events, 0);
    ASSERT_LE(done.size(), whole.size());
    EXPECT_TRUE(std::equal(done.begin(), done.end(), whole.begin())) << "pause " << at;
    Kind last = canvas.events.back().kind;
    EXPECT_TRUE(last == Kind::Pump || last == Kind::Chime || last == Kind::Delay) << "pause " << at;
  }
}

TEST(KeyPress, DuringTheGarlandNothingMoreIsDrawn) {
  Recorder canvas(800, 600);
  canvas.keyAtPause = 4;  // the fifth stamp's pump
  PlayScene(canvas, kGreeting, kSenders);
  EXPECT_EQ(canvas.Paints(CardPicture::picGreen).size(), 5u);
  EXPECT_EQ(canvas.Of(Kind::Paint).size(), 5u);
  EXPECT_TRUE(canvas.Of(Kind::Timer1).empty());
  EXPECT_TRUE(canvas.Of(Kind::Text).empty());
}
