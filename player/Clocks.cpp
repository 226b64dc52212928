#include "player/Clocks.h"

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
