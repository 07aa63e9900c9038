#include <vector>

#include "pages/can/can_tables.h"
#include "pages/extension/extension_tables.h"
#include "pages/gsm/gsm_tables.h"
#include "pages/main/main_tables.h"
#include "pages/settings_pages.h"

std::span<const TPageTable> SettingsPageTables() {
  static const std::vector<TPageTable> kTables = [] {
    std::vector<TPageTable> tables;
    for (const auto module :
         {MainPageTables(), CanPageTables(), GsmPageTables(), ExtensionPageTables()})
      tables.insert(tables.end(), module.begin(), module.end());
    return tables;
  }();
  return kTables;
}
