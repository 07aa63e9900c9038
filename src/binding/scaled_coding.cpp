#include "binding/scaled_coding.h"

#include <cmath>

int RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction > 0.5) return static_cast<int>(below) + 1;
  if (fraction < 0.5) return static_cast<int>(below);
  return static_cast<int>(std::fmod(below, 2.0) == 0.0 ? below : below + 1.0);
}
