#pragma once
// What keeps the card alive around the show: the twinkling star, the
// snowfall, their random numbers, and the whole-second wait that ends it.

#include <stdint.h>

#include "player/SceneCanvas.h"

// Local wall-clock time in milliseconds counted from a local midnight long
// ago, so that whole seconds and the time of day both follow from it.
class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual int64_t NowMs() = 0;
};

// Seconds since the last midnight, with the fraction.
double SecondsSinceMidnight(int64_t ms);

// How Delay lets the window live between looks at the clock.
class MessageWaiter {
 public:
  virtual ~MessageWaiter() = default;
  // False once a key press has ended the show.
  virtual bool PumpMessages() = 0;
  // Returns when a message arrives or after milliseconds, whichever is first.
  virtual void WaitForMessageOrMs(uint32_t milliseconds) = 0;
  // Does not pump.
  virtual void Sleep(uint32_t milliseconds) = 0;
};

// Returns once the clock's whole seconds have advanced by seconds since the
// call. With refresh, pending messages are served on every pass and the wait
// between passes ends at the first message; without, nothing is served.
// False if a key press ended the show during the wait.
bool Delay(int32_t seconds, bool refresh, LocalClock& clock, MessageWaiter& waiter);

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
