#include "pages/can/can_pages.h"

#include <memory>

#include "binding/page_table.h"
#include "binding/ui/page_registry.h"
#include "pages/can/can_in_page.h"
#include "pages/can/can_links.h"
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

// A page that the others tell or that tells them something, through links the registry's
// pages keep alive as long as any of them may be made.
template <class TPage>
void RegisterLinkedPage(TPageRegistry& registry, const TPageTable& table,
                        const std::shared_ptr<TCanLinks>& links) {
  registry.Register(
      {.Name = QLatin1String(table.Name),
       .LanAddr = table.LanAddr,
       .Create = [links](QWidget* parent,
                         IPageHost& host) { return new TPage(host, links.get(), parent); },
       .Table = &table});
}

}  // namespace

void RegisterCanPages(TPageRegistry& registry) {
  const auto links = std::make_shared<TCanLinks>();
  RegisterTablePage<TCanIn>(registry, CanInTable());
  RegisterLinkedPage<TCanOut>(registry, CanOutTable(), links);
  RegisterLinkedPage<TCanOptions>(registry, CanOptionsTable(), links);
}
