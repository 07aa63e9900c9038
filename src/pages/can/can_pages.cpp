#include "pages/can/can_pages.h"

#include <memory>

#include "binding/page_table.h"
#include "binding/ui/page_registry.h"
#include "pages/can/can_in_page.h"
#include "pages/can/can_links.h"
#include "pages/can/can_options_page.h"
#include "pages/can/can_out_page.h"
#include "pages/can/can_tables.h"

void RegisterCanPages(TPageRegistry& registry) {
  // The outputs and control pages tell each other through links that the registry's pages
  // keep alive as long as any of them may be made.
  const auto links = std::make_shared<TCanLinks>();
  registry.RegisterTable<TCanIn>(CanInTable());
  registry.RegisterTable(CanOutTable(), [links](QWidget* parent, IPageHost& host) {
    return new TCanOut(host, links.get(), parent);
  });
  registry.RegisterTable(CanOptionsTable(), [links](QWidget* parent, IPageHost& host) {
    return new TCanOptions(host, links.get(), parent);
  });
}
