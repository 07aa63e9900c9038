#pragma once

#include <cstdint>
#include <optional>
#include <span>

// How a track bar's position or a radio group's item stands for the value its cell stores,
// where the two differ: a row's `.Coding` column points at one of these, and the page's
// controls and the command line's headless rows both apply it, so that they agree. A
// position outside the control's range is brought into it by both alike (the track bar and
// the setting text clamp), so a coding need not know the range.
//
//   constexpr TPositionCoding kKm{.Kind = pcScaled, .LoadFactor = 0.006, .StoreFactor = 166.7};
//   {.Name = "tbService", .Kind = ckTrackBar, ..., .Coding = &kKm}

// The nearest integer, halves to the even neighbour, whatever rounding mode the floating
// point unit is in.
int RoundHalfEven(double value);

enum TPositionCodingKind : uint8_t {
  // position = stored × LoadFactor; stored = position × StoreFactor; both rounded half to
  // even (kilometres shown for a count of 6-metre units).
  pcScaled,
  // position = stored + Offset (a count from 1 stored from 0).
  pcOffset,
  // The stored byte read as a signed 8-bit number; the position's low byte is stored.
  pcSignedByte,
  // Position i stands for the stored value Values[i]; a stored value no position stands for
  // leaves the control as it is, and a position without a value leaves the cell as it is.
  pcMap,
  // The four-bit pulse length code of a door or lock drive: code 8 is the shortest pulse
  // (position 0), codes 0 to 7 the longer ones (positions 1 to 8).
  pcDoorPulse,
  // A time byte: positions up to 100 are stored as they are, the ones above 27 higher, so
  // that the bytes 101 to 127 are never used (stored b < 128 is position b, else b − 27).
  pcTimeByte,
  // The position is the bits of Mask; the other bits of the cell (flags kept beside the
  // value) are stored as they are.
  pcMasked,
  // A module's own arithmetic that no kind above states: ToPosition and ToStored.
  pcFunctions,
};

struct TPositionCoding {
  TPositionCodingKind Kind = pcScaled;
  double LoadFactor = 1.0;
  double StoreFactor = 1.0;
  int Offset = 0;
  std::span<const int> Values = {};
  int Mask = 0;
  std::optional<int> (*ToPosition)(int stored) = nullptr;
  int (*ToStored)(int position, int stored) = nullptr;

  // The position of a stored value; nullopt when the value has none.
  std::optional<int> Position(int stored) const;
  // The value to store for a position; `stored`, the cell's present value, when it has none.
  int Stored(int position, int stored) const;
};

// nullptr when the coding is sound, else what is wrong with it.
constexpr const char* CodingProblem(const TPositionCoding& coding) {
  switch (coding.Kind) {
    case pcScaled:
      return coding.LoadFactor > 0 && coding.StoreFactor > 0 ? nullptr : "scale not positive";
    case pcOffset:
    case pcSignedByte:
    case pcDoorPulse:
    case pcTimeByte:
      return nullptr;
    case pcMasked:
      return coding.Mask != 0 ? nullptr : "mask empty";
    case pcMap:
      return coding.Values.empty() ? "map without values" : nullptr;
    case pcFunctions:
      return coding.ToPosition != nullptr && coding.ToStored != nullptr ? nullptr
                                                                        : "functions missing";
  }
  return "unknown coding";
}
