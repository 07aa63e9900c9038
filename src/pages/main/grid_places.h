#pragma once

#include <algorithm>
#include <vector>

// What the rows and columns of a board grid stand for: row r shows the pin RowPins[r] (row 0 is
// the header, pin -1) and column c the function ColumnTasks[c] (0: no function); the columns
// before the first function column show none.
class TGridPlaces {
 public:
  explicit TGridPlaces(int firstTaskColumn) : firstTaskColumn_(firstTaskColumn) {}

  int PinAt(int row) const {
    return row > 0 && row < static_cast<int>(RowPins.size())
               ? RowPins[static_cast<std::size_t>(row)]
               : -1;
  }
  int TaskAt(int column) const {
    return column >= firstTaskColumn_ && column < static_cast<int>(ColumnTasks.size())
               ? ColumnTasks[static_cast<std::size_t>(column)]
               : 0;
  }
  // -1 where the grid does not show the pin or the function.
  int RowOf(int pin) const {
    if (RowPins.empty()) return -1;
    const auto it = std::find(RowPins.begin() + 1, RowPins.end(), pin);
    return it == RowPins.end() ? -1 : static_cast<int>(it - RowPins.begin());
  }
  int ColumnOf(int taskId) const {
    if (taskId == 0 || static_cast<int>(ColumnTasks.size()) <= firstTaskColumn_) return -1;
    const auto it = std::find(ColumnTasks.begin() + firstTaskColumn_, ColumnTasks.end(), taskId);
    return it == ColumnTasks.end() ? -1 : static_cast<int>(it - ColumnTasks.begin());
  }

  std::vector<int> RowPins;
  std::vector<int> ColumnTasks;

 private:
  int firstTaskColumn_;
};
