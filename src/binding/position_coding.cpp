#include "binding/position_coding.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kShortestPulseCode = 8;
// The time byte leaves out 101..127: 100 is the last position stored as it is.
constexpr int kTimeByteGapStart = 100;
constexpr int kTimeByteGapEnd = 128;
constexpr int kTimeByteGap = kTimeByteGapEnd - kTimeByteGapStart - 1;

}  // namespace

int RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction > 0.5) return static_cast<int>(below) + 1;
  if (fraction < 0.5) return static_cast<int>(below);
  return static_cast<int>(std::fmod(below, 2.0) == 0.0 ? below : below + 1.0);
}

std::optional<int> TPositionCoding::Position(int stored) const {
  switch (Kind) {
    case pcScaled:
      return RoundHalfEven(stored * LoadFactor);
    case pcOffset:
      return stored + Offset;
    case pcSignedByte:
      return static_cast<int8_t>(static_cast<uint8_t>(stored & 0xFF));
    case pcMap: {
      const auto found = std::find(Values.begin(), Values.end(), stored);
      if (found == Values.end()) return std::nullopt;
      return static_cast<int>(found - Values.begin());
    }
    case pcDoorPulse:
      return stored == kShortestPulseCode ? 0 : stored + 1;
    case pcTimeByte:
      return stored < kTimeByteGapEnd ? stored : stored - kTimeByteGap;
    case pcMasked:
      return stored & Mask;
    case pcFunctions:
      return ToPosition(stored);
  }
  return std::nullopt;
}

int TPositionCoding::Stored(int position, int stored) const {
  switch (Kind) {
    case pcScaled:
      return RoundHalfEven(position * StoreFactor);
    case pcOffset:
      return position - Offset;
    case pcSignedByte:
      return position & 0xFF;
    case pcMap:
      if (position < 0 || position >= static_cast<int>(Values.size())) return stored;
      return Values[static_cast<std::size_t>(position)];
    case pcDoorPulse:
      return position == 0 ? kShortestPulseCode : position - 1;
    case pcTimeByte:
      return position <= kTimeByteGapStart ? position : position + kTimeByteGap;
    case pcMasked:
      return (stored & ~Mask) | (position & Mask);
    case pcFunctions:
      return ToStored(position, stored);
  }
  return stored;
}
