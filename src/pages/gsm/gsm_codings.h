#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

// How the GSM module keeps numbers, texts, times and readings in its bytes, apart from any
// widget, so that the pages and their tests share one reading of them.

// A text kept as single-byte characters, zero-padded, possibly over several cells. The text
// is the non-zero bytes in order; a subscriber number whose first byte is 0 is no number,
// whatever bytes follow.
QString CellText(std::span<const uint8_t> bytes, bool emptyWhenFirstZero);
// The byte at `index` of a text kept that way: its character, or 0 past its end.
uint8_t CellByte(const QString& text, int index);

// The main module's PIN: four digits "1".."9" as characters; any other byte reads as "0".
struct TMainPin {
  QString Text;
  // A byte read that is written back otherwise.
  bool Rewritten = false;
};
TMainPin MainPinOf(std::span<const uint8_t, 4> bytes);

// The state byte of a start timer: set or not; other bytes are no state the page knows.
QString TimerStateText(uint8_t state);

// The running-engine voltage: the byte counts 1/11.09 V, the position tenths of a volt
// from 13 V. A byte below 13 V has no position.
std::optional<int> RunningVoltagePosition(uint8_t stored);
uint8_t RunningVoltageByte(int position);
// The track bar's coding (pcFunctions): a byte below 13 V shows at the bar's lower end and
// stays stored until the user moves the bar.
std::optional<int> RunningVoltageShown(int stored);
int RunningVoltageStored(int position, int stored);

// The tank volume as typed: whole litres that fit the byte, or nothing.
std::optional<uint8_t> TankVolumeOf(const QString& text);

// The module's status record (the answer to a status request).
QString CabinTemperatureText(uint8_t b);
QString SupplyVoltageText(uint8_t b);
QString EngineTemperatureText(uint8_t b);
QString BoilerTemperatureText(uint8_t b);
inline constexpr uint8_t kNoNetwork = 99;
// The signal level a bar shows: 0..31, and 0 when the module does not know it.
int SignalLevel(uint8_t b);

// A coordinate answer: the kind byte (1 latitude, 2 longitude, 0 none) and the digits.
// Latitude reads DD°MM.MMMM from bytes 1..8, longitude DDD°MM.MMMM from bytes 1..9; a zero
// byte counts as the digit 0.
QString CoordinateText(std::span<const uint8_t, 10> bytes);

// The balance answer comes in pieces: byte 1 is a piece's length L, bytes 2..L-1 its
// characters; a piece shorter than 12 is the last.
class TBalancePieces {
 public:
  void Clear();
  // Takes byte `index` of a piece; returns the whole answer once its last piece is complete.
  std::optional<QString> Take(int index, uint8_t byte);

 private:
  std::array<uint8_t, 12> piece_{};
  QString text_;
};

// Characters from the modem as the console shows them: printable ones as they are, control
// characters as "<0D>" when all characters are asked for, and a new line for CR LF.
class TModemText {
 public:
  QString Take(uint8_t byte, bool allCharacters);

 private:
  uint8_t last_ = 0;
};
