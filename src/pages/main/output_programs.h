#pragma once

#include <array>
#include <cstdint>

// One output program as the main module keeps it: 21 bytes saying when the output switches on
// (an event, or a set of modes and conditions), the shape of its pulse train and up to four
// ways to switch it off. Event bytes are the module's codes and time bytes the module's
// bytes, kept exactly as read: a code this program does not know (a newer firmware's event)
// or a byte no slider position gives must come back unchanged when the record is stored.
struct TOutputProgram {
  static constexpr int kBytes = 21;
  static constexpr int kTimes = 4;
  static constexpr int kOffWays = 4;
  static constexpr int kEndlessRepeat = 255;

  uint8_t Modes = 0;       // bit i: mode i ticked
  uint8_t Conditions = 0;  // bit i: condition i ticked
  uint8_t OnEvent = 0;     // event code, 0 for none; when set, modes and conditions do not count
  std::array<uint8_t, kTimes> Times{};  // time bytes T1..T4
  uint8_t PulseType = 0;                // 0..3
  uint8_t Repeat = 0;                   // 1..254, 255 endless
  std::array<uint8_t, kOffWays> OffEvents{};
  std::array<uint8_t, kOffWays> OffDelays{};  // time bytes
  std::array<uint8_t, kOffWays> CancelEvents{};

  // What "СБРОС" leaves: nothing switches the output on, a single pulse without times.
  static TOutputProgram Cleared() { return {.Repeat = 1}; }
  static TOutputProgram FromBytes(const std::array<uint8_t, kBytes>& bytes);
  std::array<uint8_t, kBytes> Bytes() const;

  bool operator==(const TOutputProgram&) const = default;
};

// The 20 programs in the main module's settings image: record byte b of program n lives at
// one address, scattered over the blocks the firmware grew (programs 7 and 8 come first in
// the oldest block; 17 to 20 were added in blocks of their own).
class TOutputPrograms {
 public:
  static constexpr int kPrograms = 20;

  // The settings-image address of byte `byte` (0..20) of program `program` (1..20).
  static int Address(int program, int byte);
  // The record byte at a settings-image address; nullptr for an address no program uses.
  uint8_t* ByteAt(int address);

  TOutputProgram Program(int program) const;
  void SetProgram(int program, const TOutputProgram& value);

 private:
  std::array<std::array<uint8_t, TOutputProgram::kBytes>, kPrograms> records_{};
};
