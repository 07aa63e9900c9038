#pragma once

#include <QString>
#include <vector>

// Which event each cell of the event list's grid shows. The grid has three blocks of four
// columns (icon, number, name, separator). Unfiltered, block b row r is event r + b × 81, so
// an event keeps its place whatever category is chosen and the others leave empty cells. A
// search packs its hits from the top instead, so that they are seen without scrolling.
class TEventGridLayout {
 public:
  static constexpr int kBlocks = 3;
  static constexpr int kColumnsPerBlock = 4;
  static constexpr int kColumns = kBlocks * kColumnsPerBlock;
  static constexpr int kIconColumn = 0;
  static constexpr int kNumberColumn = 1;
  static constexpr int kNameColumn = 2;
  static constexpr int kSeparatorColumn = 3;
  static constexpr int kNone = -1;

  TEventGridLayout();

  // Category 0 is every event; `search` matches a part of the name, in any letter case.
  void SetFilter(int category, const QString& search);
  int Rows() const { return rows_; }
  // The event of a cell; kNone for a separator, a cell past the last event or an event the
  // filter hides: such cells are empty and a click there picks nothing.
  int EventAt(int row, int column) const;
  // The row and block of an event's cells; false when it is not shown.
  bool Place(int number, int& row, int& block) const;

 private:
  std::vector<int> slots_;
  int rows_ = 0;
};
