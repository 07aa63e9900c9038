#include "pages/main/main_pages.h"

#include "binding/page_table.h"
#include "binding/ui/page_registry.h"
#include "pages/main/options_page.h"
#include "pages/main/options_table.h"
#include "pages/main/sensors_page.h"
#include "pages/main/sensors_table.h"
#include "pages/main/times_page.h"
#include "pages/main/times_table.h"

namespace {

// A page made from its table, created with the window as its host.
template <class TPage>
void RegisterTablePage(TPageRegistry& registry, const TPageTable& table) {
  registry.Register(
      {.Name = QLatin1String(table.Name),
       .LanAddr = table.LanAddr,
       .Create = [](QWidget* parent, IPageHost& host) { return new TPage(host, parent); },
       .Table = &table});
}

}  // namespace

void RegisterMainPages(TPageRegistry& registry) {
  RegisterTablePage<TMainOptions>(registry, MainOptionsTable());
  RegisterTablePage<TMainTimes>(registry, MainTimesTable());
  RegisterTablePage<TMainSensors>(registry, MainSensorsTable());
}
