#include "journal/ui/event_grid_layout.h"

#include "journal/event_table.h"

namespace {

// The fixed layout places the numbers 0..241 in three blocks, rounded up.
constexpr int kFixedRows = (kEventCount + 1 + TEventGridLayout::kBlocks - 1) / TEventGridLayout::kBlocks;

}  // namespace

TEventGridLayout::TEventGridLayout() {
  SetFilter(0, QString());
}

void TEventGridLayout::SetFilter(int category, const QString& search) {
  slots_.clear();
  const QString needle = search.trimmed();
  if (needle.isEmpty()) {
    slots_.push_back(0);
    for (int number = 1; number <= kEventCount; ++number) {
      slots_.push_back(EventInCategory(number, category) ? number : kNone);
    }
    rows_ = kFixedRows;
    return;
  }
  for (int number = 1; number <= kEventCount; ++number) {
    if (EventInCategory(number, category) &&
        EventName(number).contains(needle, Qt::CaseInsensitive)) {
      slots_.push_back(number);
    }
  }
  rows_ = std::max(1, static_cast<int>((slots_.size() + kBlocks - 1) / kBlocks));
}

int TEventGridLayout::EventAt(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= kColumns) return kNone;
  if (column % kColumnsPerBlock == kSeparatorColumn) return kNone;
  const auto slot = static_cast<size_t>(row + (column / kColumnsPerBlock) * rows_);
  return slot < slots_.size() ? slots_[slot] : kNone;
}

bool TEventGridLayout::Place(int number, int& row, int& block) const {
  for (size_t slot = 0; slot < slots_.size(); ++slot) {
    if (slots_[slot] != number) continue;
    row = static_cast<int>(slot) % rows_;
    block = static_cast<int>(slot) / rows_;
    return true;
  }
  return false;
}
