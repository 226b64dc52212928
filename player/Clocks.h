#pragma once
// The card's clocks, and the wait on them that ends the show: kept apart from
// what they time, so the window, the web card and the tests each give their own.

#include <stdint.h>

// Local wall-clock time in milliseconds counted from a local midnight long
// ago, so that whole seconds and the time of day both follow from it.
class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual int64_t NowMs() = 0;
};

// Milliseconds on a clock that never goes back, such as the time since the
// system started: the final wait must not grow when the wall clock is set
// back (the end of daylight saving time, a time sync).
class SteadyClock {
 public:
  virtual ~SteadyClock() = default;
  virtual int64_t SteadyMs() = 0;
};

// Makes the system's 32-bit millisecond count, which starts again from 0
// every 49.7 days, into a reading that keeps growing. Each wrap is seen as
// long as the count is read at least once between two wraps.
class TickWidener {
 public:
  int64_t Widen(uint32_t ticks);

 private:
  uint32_t last_ = 0;
  int64_t wraps_ = 0;  // 2^32 for every wrap seen
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

// Returns once the steady clock's whole seconds have advanced by seconds
// since the call. With refresh, pending messages are served on every pass and the wait
// between passes ends at the first message; without, nothing is served.
// False if a key press ended the show during the wait.
bool Delay(int32_t seconds, bool refresh, SteadyClock& clock, MessageWaiter& waiter);
