#include "player/Ambient.h"

#include <string.h>

#include "common/HalfEven.h"

namespace {

constexpr double kMsPerDay = 86400000.0;

// Readings stay far below 2^53 ms, where a double holds them exactly; working
// in doubles spares the card the 64-bit division routines of the compiler's
// support library.
double WholeSeconds(int64_t ms) { return FloorWhole(static_cast<double>(ms) / 1000.0); }

uint32_t MsToNextSecond(int64_t ms) {
  double intoSecond = static_cast<double>(ms) - WholeSeconds(ms) * 1000.0;
  return static_cast<uint32_t>(static_cast<int32_t>(1000.0 - intoSecond));
}

// SplitMix64's finaliser: every input bit reaches every output bit.
uint64_t Mix(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

double SecondsSinceMidnight(int64_t ms) {
  double reading = static_cast<double>(ms);
  return (reading - FloorWhole(reading / kMsPerDay) * kMsPerDay) / 1000.0;
}

int64_t TickWidener::Widen(uint32_t ticks) {
  if (ticks < last_) wraps_ += int64_t{1} << 32;
  last_ = ticks;
  return wraps_ + ticks;
}

bool Delay(int32_t seconds, bool refresh, SteadyClock& clock, MessageWaiter& waiter) {
  double start = WholeSeconds(clock.SteadyMs());
  for (;;) {
    if (refresh && !waiter.PumpMessages()) return false;
    int64_t now = clock.SteadyMs();
    if (WholeSeconds(now) - start >= seconds) return true;
    // Nothing can change before the next second or the next message, so
    // waiting for them keeps the processor free.
    if (refresh) {
      waiter.WaitForMessageOrMs(MsToNextSecond(now));
    } else {
      waiter.Sleep(MsToNextSecond(now));
    }
  }
}

void Ambient::Timer1_Timer(PictureSurface& surface, int16_t starX, int16_t starY) {
  CardPicture star = (starPhase_ == 0) ? CardPicture::imgStar0 : CardPicture::imgStar1;
  surface.PaintPicture(star, starX, starY);
  ++starPhase_;
  if (starPhase_ > 1) starPhase_ = 0;
}

void Ambient::Timer2_Timer(PictureSurface& surface, int16_t halfScreenWidth, int16_t halfScreenHeight,
                           LocalClock& clock) {
  int16_t screenWidth = static_cast<int16_t>(2 * halfScreenWidth);
  int32_t x = RandomInt(0, screenWidth, clock);
  int32_t y = RandomInt(0, halfScreenHeight, clock);
  surface.PaintPicture(CardPicture::imgNeve, static_cast<float>(x), static_cast<float>(y));
}

int32_t Ambient::RandomInt(int32_t low, int32_t high, LocalClock& clock) {
  Reseed(SecondsSinceMidnight(clock.NowMs()));
  float r = NextSingle();
  int32_t n = high - low + 1;
  return static_cast<int32_t>(FloorWhole(static_cast<double>(r) * n + low));
}

// The clock reading is folded into the state, not put in its place, so two
// calls within one reading still differ.
void Ambient::Reseed(double timeOfDay) {
  uint64_t bits = 0;
  memcpy(&bits, &timeOfDay, sizeof(bits));
  randomState_ = Mix(randomState_ ^ bits);
}

float Ambient::NextSingle() {
  randomState_ += 0x9E3779B97F4A7C15ull;
  // 24 bits fit a single exactly, so r never rounds up to 1.
  uint32_t top = static_cast<uint32_t>(Mix(randomState_) >> 40);
  return static_cast<float>(top) * (1.0f / 16777216.0f);
}
