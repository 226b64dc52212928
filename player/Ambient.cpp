#include "player/Ambient.h"

#include <string.h>

#include "common/HalfEven.h"

namespace {

// SplitMix64's finaliser: every input bit reaches every output bit.
uint64_t Mix(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

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
