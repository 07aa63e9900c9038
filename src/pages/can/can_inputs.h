#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Which CAN signal feeds which input function of the main module. The module stores, per
// signal, the code of the function it feeds (255 for none); the code skips the functions 9
// and 10, so functions above 8 are stored 2 lower than the function number minus 1. The
// table keeps every entry as the function number minus 1, the way the grid's columns count.
class TCanInputs {
 public:
  static constexpr int kEntries = 32;
  static constexpr int kSignals = 14;
  static constexpr int kColumns = 10;
  static constexpr uint8_t kNone = 255;

  // Function number of grid column 1..kColumns.
  static int ColumnFunction(int column);
  static QString ColumnName(int column);
  static QString SignalName(int entry);
  // The signal may feed the function of that column.
  static bool Allowed(int entry, int column);

  TCanInputs();

  uint8_t Kept(int entry) const { return kept_.at(static_cast<size_t>(entry)); }
  // The function an entry feeds; 0 for none.
  int Function(int entry) const;
  void Load(int entry, uint8_t stored);
  uint8_t Stored(int entry) const;
  void SetDefault(int entry);
  // A click on a cell: the signal feeds that column's function, or stops feeding it when it
  // already did. False when the signal may not feed it, which changes nothing.
  bool Toggle(int entry, int column);

 private:
  std::array<uint8_t, kEntries> kept_{};
};
