#include "pages/main/main_tables.h"

#include <array>

#include "pages/main/options_table.h"

std::span<const TPageTable> MainPageTables() {
  static const std::array kTables = {MainOptionsTable()};
  return kTables;
}
