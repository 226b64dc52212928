#pragma once
// Rounding used wherever a position or a size becomes whole: to the nearest
// integer, halves to the even neighbour (462.5 -> 462, 463.5 -> 464).

// The largest whole number not above value, for |value| < 2^63 (positions,
// milliseconds, seconds). Our own, because the C library's floor brings
// unwind tables that cost the 64-bit generator a kilobyte it lacks.
inline double FloorWhole(double value) {
  double truncated = static_cast<double>(static_cast<long long>(value));
  return truncated > value ? truncated - 1.0 : truncated;
}

inline long RoundHalfEven(double value) {
  double whole = FloorWhole(value);
  double fraction = value - whole;
  if (fraction > 0.5) return static_cast<long>(whole) + 1;
  if (fraction < 0.5) return static_cast<long>(whole);
  long w = static_cast<long>(whole);
  return (w % 2 == 0) ? w : w + 1;
}

// Forces a value through single precision even where the x87 unit would keep
// more, so the 32-bit card computes exactly what the 64-bit twin computes.
inline float ToSingle(double value) {
  volatile float stored = static_cast<float>(value);
  return stored;
}
