#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

// Where the slave module keeps its event recordings and input sequences in its data flash.
// Each event's recording and sequence start where the module's own address records say, so
// the program reads and writes them there, and refuses a layout it cannot trust.

inline constexpr int kSlaveEvents = 8;
inline constexpr int kSlaveRecordBytes = 90;
inline constexpr int kSlaveSequenceBytes = 16;
inline constexpr int kSlaveSequenceStride = 64;
inline constexpr int kSlaveFlashBytes = 8192;
// Where the module leaves the factory: recordings 128 bytes apart from 0x1A00, sequences
// from 0x1800.
inline constexpr int kSlaveFactoryRecord = 0x1A00;
inline constexpr int kSlaveFactoryRecordStride = 128;
inline constexpr int kSlaveFactorySequences = 0x1800;

// An address record: two bytes, low byte first.
constexpr int SlaveRecordAddress(uint8_t low, uint8_t high) {
  return low + 256 * high;
}

struct TSlaveFlashLayout {
  std::array<int, kSlaveEvents> Records{};
  int Sequences = 0;

  // Event `event` (0 to 7): where its sequence starts.
  constexpr int SequenceAt(int event) const { return Sequences + event * kSlaveSequenceStride; }
};

TSlaveFlashLayout FactorySlaveFlashLayout();

// Why the recordings and sequences cannot sit where the layout puts them (one outside the
// flash, or two overlapping), for the user; nullopt when they can.
std::optional<QString> SlaveFlashProblem(const TSlaveFlashLayout& layout,
                                         int flashBytes = kSlaveFlashBytes);
