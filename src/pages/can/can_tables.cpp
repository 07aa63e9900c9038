#include "pages/can/can_tables.h"

#include <array>

std::span<const TPageTable> CanPageTables() {
  static const std::array kTables = {CanInTable(), CanOutTable(), CanOptionsTable()};
  return kTables;
}
