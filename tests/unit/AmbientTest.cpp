#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "player/Ambient.h"
#include "player/SceneCanvas.h"

namespace {

constexpr int64_t kDay = 86400000;

int64_t At(int hours, int minutes, int seconds, int ms, int day = 0) {
  return day * kDay + ((hours * 60 + minutes) * 60 + seconds) * int64_t{1000} + ms;
}

// One timeline, now, in milliseconds. The wall clock reads it shifted by
// however far it has been set; the steady clock reads it as it is, or, with
// viaTicks, through the system's 32-bit tick count and its widening.
class FakeClock : public LocalClock, public SteadyClock {
 public:
  explicit FakeClock(int64_t start) : now(start) {}
  int64_t NowMs() override { return now + wallSetBy; }
  int64_t SteadyMs() override {
    ++reads;
    return viaTicks ? ticks.Widen(static_cast<uint32_t>(now)) : now;
  }
  int64_t now;
  int64_t wallSetBy = 0;
  bool viaTicks = false;
  TickWidener ticks;
  int reads = 0;
};

// Time moves only when Delay waits. Messages arrive at the times listed;
// a wait for messages ends at the first one due.
class FakeWaiter : public MessageWaiter {
 public:
  explicit FakeWaiter(FakeClock& clock) : clock_(clock) {}

  bool PumpMessages() override {
    ++pumps;
    pumpedAt.push_back(clock_.now);
    // A Delay that spins instead of waiting would never see time move here;
    // let it finish so the counts below fail instead of the test hanging.
    if (pumps % 100000 == 0) clock_.now += 1000;
    if (pumps - 1 == keyAtPump) ended = true;
    return !ended;
  }
  void WaitForMessageOrMs(uint32_t milliseconds) override {
    if (ended) waitedAfterEnd = true;
    if (waits.size() > 10000) ended = true;  // a wait that never ends fails instead of hanging
    waits.push_back(milliseconds);
    int64_t until = clock_.now + milliseconds;
    for (int64_t due : messagesAt) {
      if (due > clock_.now && due < until) {
        until = due;
        break;
      }
    }
    clock_.now = until;
    AfterWait();
  }
  void Sleep(uint32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    clock_.now += milliseconds;
    AfterWait();
  }

  std::vector<int64_t> messagesAt;  // ascending
  int keyAtPump = -1;
  int jumpAtWait = -1;  // the wall clock is set by jumpBy after that wait
  int64_t jumpBy = 0;

  int pumps = 0;
  bool ended = false;
  bool waitedAfterEnd = false;
  std::vector<int64_t> pumpedAt;
  std::vector<uint32_t> waits;
  std::vector<uint32_t> sleeps;

 private:
  void AfterWait() {
    if (static_cast<int>(waits.size() + sleeps.size()) - 1 == jumpAtWait) clock_.wallSetBy += jumpBy;
  }
  FakeClock& clock_;
};

struct Painted {
  CardPicture picture;
  float x, y;
};

class SurfaceRecorder : public PictureSurface {
 public:
  void PaintPicture(CardPicture which, float x, float y) override { paints.push_back({which, x, y}); }
  std::vector<Painted> paints;
};

}  // namespace

// ---- Delay ------------------------------------------------------------------

TEST(Delay, TwelveSecondsFromLateInASecondEndAtTheTwelfthChange) {
  FakeClock clock(At(10, 0, 0, 900));
  FakeWaiter waiter(clock);
  EXPECT_TRUE(Delay(12, true, clock, waiter));
  EXPECT_EQ(clock.now, At(10, 0, 12, 0));  // 11.1 s after the call
  EXPECT_EQ(waiter.pumps, 13);
  EXPECT_EQ(waiter.pumpedAt.back(), At(10, 0, 12, 0));
  EXPECT_TRUE(waiter.sleeps.empty());
}

TEST(Delay, TwelveSecondsFromTheStartOfASecondLastTwelve) {
  FakeClock clock(At(10, 0, 0, 0));
  FakeWaiter waiter(clock);
  EXPECT_TRUE(Delay(12, true, clock, waiter));
  EXPECT_EQ(clock.now, At(10, 0, 12, 0));
}

TEST(Delay, WaitsForTheNextSecondInsteadOfSpinning) {
  FakeClock clock(At(10, 0, 0, 900));
  FakeWaiter waiter(clock);
  Delay(12, true, clock, waiter);
  // One wait per clock second, each exactly up to the next one.
  std::vector<uint32_t> expected(12, 1000);
  expected[0] = 100;
  EXPECT_EQ(waiter.waits, expected);
  EXPECT_LE(clock.reads, 14);  // the start, then one look per pass
}

TEST(Delay, ServesEachMessageAsItArrivesAndStillEndsOnTheSecond) {
  FakeClock clock(At(10, 0, 0, 900));
  FakeWaiter waiter(clock);
  for (int64_t t = At(10, 0, 1, 0) + 50; t < At(10, 0, 13, 0); t += 200) waiter.messagesAt.push_back(t);
  EXPECT_TRUE(Delay(12, true, clock, waiter));
  EXPECT_EQ(clock.now, At(10, 0, 12, 0));
  // Every message that came in the wait was pumped the moment it came.
  for (int64_t due : waiter.messagesAt) {
    if (due >= At(10, 0, 12, 0)) break;
    EXPECT_NE(std::find(waiter.pumpedAt.begin(), waiter.pumpedAt.end(), due), waiter.pumpedAt.end()) << due;
  }
  for (uint32_t ms : waiter.waits) {
    EXPECT_GE(ms, 1u);
    EXPECT_LE(ms, 1000u);
  }
}

TEST(Delay, ZeroOrLessMakesOnePass) {
  for (int32_t seconds : {0, -5}) {
    FakeClock clock(At(10, 0, 0, 900));
    FakeWaiter waiter(clock);
    EXPECT_TRUE(Delay(seconds, true, clock, waiter));
    EXPECT_EQ(waiter.pumps, 1) << seconds;
    EXPECT_TRUE(waiter.waits.empty()) << seconds;
    EXPECT_EQ(clock.now, At(10, 0, 0, 900)) << seconds;
  }
}

TEST(Delay, WithoutRefreshNothingIsServed) {
  FakeClock clock(At(10, 0, 0, 900));
  FakeWaiter waiter(clock);
  waiter.messagesAt = {At(10, 0, 2, 0) + 10, At(10, 0, 5, 0) + 10};
  EXPECT_TRUE(Delay(12, false, clock, waiter));
  EXPECT_EQ(waiter.pumps, 0);
  EXPECT_TRUE(waiter.waits.empty());  // a message would wake it for nothing
  EXPECT_EQ(waiter.sleeps.size(), 12u);
  EXPECT_EQ(clock.now, At(10, 0, 12, 0));
}

TEST(Delay, AKeyPressEndsTheWait) {
  FakeClock clock(At(10, 0, 0, 900));
  FakeWaiter waiter(clock);
  waiter.keyAtPump = 3;
  EXPECT_FALSE(Delay(12, true, clock, waiter));
  EXPECT_EQ(waiter.pumps, 4);
  EXPECT_FALSE(waiter.waitedAfterEnd);
  EXPECT_EQ(clock.now, At(10, 0, 3, 0));
}

TEST(Delay, EndsAfterTheSameSecondsWhenTheWallClockIsSet) {
  // Set back an hour (the end of daylight saving time), then forward an hour.
  for (int64_t by : {-At(1, 0, 0, 0), At(1, 0, 0, 0)}) {
    FakeClock clock(At(10, 0, 0, 900));
    FakeWaiter waiter(clock);
    waiter.jumpAtWait = 4;
    waiter.jumpBy = by;
    EXPECT_TRUE(Delay(12, true, clock, waiter)) << by;
    EXPECT_EQ(clock.now, At(10, 0, 12, 0)) << by;
    EXPECT_EQ(clock.NowMs(), At(10, 0, 12, 0) + by) << "the wall clock was set";
    EXPECT_EQ(waiter.waits.size(), 12u) << by;
  }
}

TEST(Delay, CountsOnWhenTheSystemsTickCountWraps) {
  // 5.204 s before the 32-bit count starts again from 0, 92 ms into a second.
  constexpr int64_t kStart = 4294962092;
  FakeClock clock(kStart);
  clock.viaTicks = true;
  FakeWaiter waiter(clock);
  EXPECT_TRUE(Delay(12, true, clock, waiter));
  EXPECT_EQ(clock.now, 4294974000);  // the twelfth second after 4,294,962
  EXPECT_EQ(waiter.waits.size(), 12u);
}

TEST(TickWidener, EachWrapAddsTheCountsRange) {
  constexpr int64_t kWrap = int64_t{1} << 32;
  TickWidener ticks;
  EXPECT_EQ(ticks.Widen(0xFFFFFF00u), 0xFFFFFF00ll);
  EXPECT_EQ(ticks.Widen(0xFFFFFF00u), 0xFFFFFF00ll);  // the same reading is no wrap
  EXPECT_EQ(ticks.Widen(0x10u), kWrap + 0x10);
  EXPECT_EQ(ticks.Widen(0x7FFFFFFFu), kWrap + 0x7FFFFFFF);
  EXPECT_EQ(ticks.Widen(0x5u), 2 * kWrap + 5);
}

TEST(Delay, ExactOnReadingsCountedFromLongAgo) {
  // About 420 years of milliseconds, as a clock counting from 1601 gives.
  constexpr int day = 154000;
  FakeClock clock(At(10, 0, 0, 999, day));
  FakeWaiter waiter(clock);
  EXPECT_TRUE(Delay(12, true, clock, waiter));
  EXPECT_EQ(clock.now, At(10, 0, 12, 0, day));
  ASSERT_FALSE(waiter.waits.empty());
  EXPECT_EQ(waiter.waits.front(), 1u);
  EXPECT_EQ(waiter.waits.back(), 1000u);
}

// ---- The time of day and RandomInt -------------------------------------------

TEST(TimeOfDay, SecondsSinceMidnightWithTheFraction) {
  EXPECT_DOUBLE_EQ(SecondsSinceMidnight(At(10, 0, 0, 900)), 36000.9);
  EXPECT_DOUBLE_EQ(SecondsSinceMidnight(At(10, 0, 0, 900, 154000)), 36000.9);
  EXPECT_DOUBLE_EQ(SecondsSinceMidnight(At(23, 59, 59, 999, 154000)), 86399.999);
  EXPECT_DOUBLE_EQ(SecondsSinceMidnight(At(0, 0, 0, 0, 3)), 0.0);
  EXPECT_DOUBLE_EQ(SecondsSinceMidnight(At(23, 59, 59, 999)), 86399.999);
}

TEST(RandomInt, ZeroToZeroIsAlwaysZero) {
  Ambient ambient;
  FakeClock clock(At(10, 0, 0, 900));
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(ambient.RandomInt(0, 0, clock), 0);
    clock.now += 7;
  }
}

TEST(RandomInt, ZeroOrOneAboutEquallyOften) {
  Ambient ambient;
  FakeClock clock(At(10, 0, 0, 900));
  int ones = 0;
  for (int i = 0; i < 10000; ++i) {
    int32_t r = ambient.RandomInt(0, 1, clock);
    ASSERT_TRUE(r == 0 || r == 1) << r;
    ones += r;
    clock.now += 200;
  }
  EXPECT_GT(ones, 4700);
  EXPECT_LT(ones, 5300);
}

TEST(RandomInt, EveryValueOfTheClosedRangeComesOut) {
  Ambient ambient;
  FakeClock clock(At(9, 30, 0, 0));
  std::set<int32_t> seen;
  for (int i = 0; i < 2000; ++i) {
    int32_t r = ambient.RandomInt(5, 11, clock);
    ASSERT_GE(r, 5);
    ASSERT_LE(r, 11);
    seen.insert(r);
    clock.now += 1;
  }
  EXPECT_EQ(seen.size(), 7u);
}

TEST(RandomInt, CallsWithinOneClockReadingAreUnrelated) {
  Ambient ambient;
  FakeClock clock(At(10, 0, 0, 900));  // never moves
  std::set<int32_t> seen;
  int repeats = 0;
  int32_t previous = -1;
  int counts[10] = {};
  for (int i = 0; i < 1000; ++i) {
    int32_t r = ambient.RandomInt(0, 999, clock);
    seen.insert(r);
    if (r == previous) ++repeats;
    previous = r;
    ++counts[r / 100];
  }
  EXPECT_GT(seen.size(), 550u);  // about 632 for a uniform draw
  EXPECT_LT(repeats, 5);
  for (int bucket : counts) {
    EXPECT_GT(bucket, 60);
    EXPECT_LT(bucket, 140);
  }
}

TEST(RandomInt, TheTimeOfDayIsMixedIn) {
  FakeClock early(At(10, 0, 0, 900));
  FakeClock later(At(10, 0, 1, 100));
  FakeClock nextDay(At(10, 0, 0, 900, 1));
  Ambient a, b, c;
  std::vector<int32_t> first, second, third;
  for (int i = 0; i < 8; ++i) {
    first.push_back(a.RandomInt(0, 1000000, early));
    second.push_back(b.RandomInt(0, 1000000, later));
    third.push_back(c.RandomInt(0, 1000000, nextDay));
  }
  EXPECT_NE(first, second);
  EXPECT_EQ(first, third);  // the seed is the time of day, not the date
}

// ---- Timer1: the twinkling star ----------------------------------------------

TEST(Timer1, BrightFirstThenDarkAndBrightInTurn) {
  Ambient ambient;
  SurfaceRecorder surface;
  EXPECT_EQ(ambient.StarPhase(), 0);
  for (int tick = 0; tick < 6; ++tick) ambient.Timer1_Timer(surface, 402, 67);
  ASSERT_EQ(surface.paints.size(), 6u);
  for (int tick = 0; tick < 6; ++tick) {
    CardPicture expected = (tick % 2 == 0) ? CardPicture::imgStar0 : CardPicture::imgStar1;
    EXPECT_EQ(surface.paints[tick].picture, expected) << tick;
    EXPECT_EQ(surface.paints[tick].x, 402.0f);
    EXPECT_EQ(surface.paints[tick].y, 67.0f);
  }
  EXPECT_EQ(ambient.StarPhase(), 0);
}

TEST(Timer1, PhaseIsKeptWhileTheTimerIsOff) {
  Ambient ambient;
  SurfaceRecorder surface;
  FakeClock clock(At(10, 0, 0, 0));
  ambient.Timer1_Timer(surface, 514, 235);  // bright; the timer then goes off
  EXPECT_EQ(ambient.StarPhase(), 1);
  // Snow keeps falling meanwhile; it does not touch the star's phase.
  for (int i = 0; i < 5; ++i) ambient.Timer2_Timer(surface, 512, 384, clock);
  EXPECT_EQ(ambient.StarPhase(), 1);
  ambient.Timer1_Timer(surface, 514, 235);  // on again: dark, not bright
  EXPECT_EQ(surface.paints.back().picture, CardPicture::imgStar1);
  EXPECT_EQ(surface.paints.back().x, 514.0f);
  EXPECT_EQ(surface.paints.back().y, 235.0f);
}

// ---- Timer2: the snowfall ------------------------------------------------------

TEST(Timer2, FlakesCoverTheWholeWidthAndTheUpperHalfOf1024x768) {
  Ambient ambient;
  SurfaceRecorder surface;
  FakeClock clock(At(10, 0, 0, 0));
  for (int tick = 0; tick < 20000; ++tick) {
    ambient.Timer2_Timer(surface, 512, 384, clock);
    clock.now += 200;
  }
  ASSERT_EQ(surface.paints.size(), 20000u);
  float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
  for (const Painted& p : surface.paints) {
    ASSERT_EQ(p.picture, CardPicture::imgNeve);
    ASSERT_EQ(p.x, static_cast<float>(static_cast<int>(p.x)));  // whole pixels
    ASSERT_EQ(p.y, static_cast<float>(static_cast<int>(p.y)));
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  EXPECT_EQ(minX, 0.0f);
  EXPECT_EQ(maxX, 1024.0f);
  EXPECT_EQ(minY, 0.0f);
  EXPECT_EQ(maxY, 384.0f);
}

TEST(Timer2, DrawsXBeforeY) {
  FakeClock clock(At(10, 0, 0, 300));
  Ambient expectedOrder;
  std::vector<std::pair<int32_t, int32_t>> expected;
  for (int i = 0; i < 20; ++i) {
    int32_t x = expectedOrder.RandomInt(0, 1024, clock);
    int32_t y = expectedOrder.RandomInt(0, 384, clock);
    expected.push_back({x, y});
  }
  Ambient ambient;
  SurfaceRecorder surface;
  for (int i = 0; i < 20; ++i) ambient.Timer2_Timer(surface, 512, 384, clock);
  ASSERT_EQ(surface.paints.size(), 20u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(surface.paints[i].x, static_cast<float>(expected[i].first)) << i;
    EXPECT_EQ(surface.paints[i].y, static_cast<float>(expected[i].second)) << i;
  }
}
