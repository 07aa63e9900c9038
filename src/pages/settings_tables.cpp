#include <vector>

#include "pages/extension/extension_tables.h"
#include "pages/main/main_tables.h"
#include "pages/settings_pages.h"

std::span<const TPageTable> SettingsPageTables() {
  static const std::vector<TPageTable> kTables = [] {
    std::vector<TPageTable> tables;
    for (const auto module : {MainPageTables(), ExtensionPageTables()})
      tables.insert(tables.end(), module.begin(), module.end());
    return tables;
  }();
  return kTables;
}
