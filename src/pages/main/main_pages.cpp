#include "pages/main/main_pages.h"

#include "binding/ui/page_registry.h"
#include "pages/main/options_page.h"
#include "pages/main/options_table.h"

void RegisterMainPages(TPageRegistry& registry) {
  const TPageTable& options = MainOptionsTable();
  registry.Register(
      {.Name = QLatin1String(options.Name),
       .LanAddr = options.LanAddr,
       .Create = [](QWidget* parent, IPageHost& host) { return new TMainOptions(host, parent); },
       .Table = &options});
}
