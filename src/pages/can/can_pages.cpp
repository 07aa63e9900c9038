#include "pages/can/can_pages.h"

#include "binding/page_table.h"
#include "binding/ui/page_registry.h"
#include "pages/can/can_in_page.h"
#include "pages/can/can_options_page.h"
#include "pages/can/can_out_page.h"
#include "pages/can/can_tables.h"

namespace {

template <class TPage>
void RegisterTablePage(TPageRegistry& registry, const TPageTable& table) {
  registry.Register(
      {.Name = QLatin1String(table.Name),
       .LanAddr = table.LanAddr,
       .Create = [](QWidget* parent, IPageHost& host) { return new TPage(host, parent); },
       .Table = &table});
}

}  // namespace

void RegisterCanPages(TPageRegistry& registry) {
  RegisterTablePage<TCanIn>(registry, CanInTable());
  RegisterTablePage<TCanOut>(registry, CanOutTable());
  RegisterTablePage<TCanOptions>(registry, CanOptionsTable());
}
