#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The main module's 16 CAN programs: each sends one command over the car's CAN bus when an
// event occurs, after a delay, repeated, until one of four other events. A program's nine
// bytes lie in two images: the command in the flash image, the rest in the settings image.
struct TCanProgram {
  static constexpr int kOffEvents = 4;
  // The highest repeat count; the module reads 255 as this too.
  static constexpr int kMaxRepeats = 254;

  uint8_t Command = 0;  // 0 and 255 are none
  uint8_t OnEvent = 0;  // event code, 0 none
  uint8_t Delay = 0;    // time byte
  uint8_t Pause = 0;    // time byte
  uint8_t Repeats = 0;
  std::array<uint8_t, kOffEvents> OffEvents{};

  bool HasCommand() const { return Command != 0 && Command != 255; }
  // A row that shows a second line in the program grid.
  bool IsSet() const { return HasCommand() || OnEvent != 0; }
  bool operator==(const TCanProgram&) const = default;
};

class TCanPrograms {
 public:
  static constexpr int kCount = 16;
  // Bytes of the settings image items: four per program.
  static constexpr int kSettingsBytes = 4 * kCount;

  const TCanProgram& Program(int index) const { return programs_.at(static_cast<size_t>(index)); }
  void SetProgram(int index, const TCanProgram& program) {
    programs_.at(static_cast<size_t>(index)) = program;
  }

  // Byte i of the settings item at 896 (event, delay, pause, repeats of program i / 4).
  uint8_t& EventsByte(int i);
  // Byte i of the settings item at 960 (switch-off event i % 4 of program i / 4).
  uint8_t& OffEventsByte(int i);
  // Byte i of the flash item at 64256 (the command of program i).
  uint8_t& CommandByte(int i) { return programs_.at(static_cast<size_t>(i)).Command; }

 private:
  std::array<TCanProgram, kCount> programs_{};
};

// The editor's command list: 40 items, item i the command i up to 14 and i + 2 above, since
// the commands 15 and 16 cannot be chosen.
inline constexpr int kCanCommandItems = 40;
int CanCommandOfItem(int item);
// The item of a stored command; none for a command the list cannot show (15, 16, 42 and
// above), which the editor then keeps as it is.
std::optional<int> CanCommandItem(uint8_t command);
QString CanCommandItemText(int item);
// "N. name" of a stored command, as the program grid shows it.
QString CanCommandTitle(uint8_t command);

// What a time slider's label says: "T1 = 0,25 c".
QString CanProgramTimeText(int position);
