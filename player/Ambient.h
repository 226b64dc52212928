#pragma once
// What keeps the card alive around the show: the twinkling star, the
// snowfall and their random numbers.

#include <stdint.h>

#include "player/Clocks.h"
#include "player/SceneCanvas.h"

class Ambient {
 public:
  // Bright and dark star in turn, at the star's place; the first tick paints
  // the bright one.
  void Timer1_Timer(PictureSurface& surface, int16_t starX, int16_t starY);
  // One flake somewhere in the upper half of the screen.
  void Timer2_Timer(PictureSurface& surface, int16_t halfScreenWidth, int16_t halfScreenHeight,
                    LocalClock& clock);
  // Uniform in low..high, reseeded from the time of day at every call.
  int32_t RandomInt(int32_t low, int32_t high, LocalClock& clock);

  int16_t StarPhase() const { return starPhase_; }

 private:
  void Reseed(double timeOfDay);
  float NextSingle();

  int16_t starPhase_ = 0;  // kept for the window's life, never reset
  uint64_t randomState_ = 0x2545F4914F6CDD1Dull;
};
