#pragma once
// The show's timings, written once for the card window and the web card
// (which receives them from the scene's WebAssembly).

#include <stdint.h>

// The card window's timers, one line each, in their designed creation order:
// the name, the number the scene enables it by, the interval in ms.
#define CARD_TIMERS(X) \
  X(Timer2, 2, 200)    \
  X(Timer1, 1, 1000)

// The interval of the timer of that number, in ms; 0 for no such timer.
constexpr uint32_t CardTimerMs(int number) {
#define CARD_TIMER_MS(name, timer, ms) \
  if (number == timer) return ms;
  CARD_TIMERS(CARD_TIMER_MS)
#undef CARD_TIMER_MS
  return 0;
}

// The pause after each chime, in ms.
constexpr uint32_t kChimePauseMs = 200;
