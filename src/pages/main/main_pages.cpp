#include "pages/main/main_pages.h"

#include "binding/ui/page_registry.h"
#include "link/lan_msg.h"
#include "pages/main/options_page.h"
#include "pages/main/options_table.h"

void RegisterMainPages(TPageRegistry& registry) {
  registry.Register(
      {QLatin1String(MainOptionsTable().Name), MainOptionsTable().LanAddr,
       [](QWidget* parent, IPageHost& host) { return new TMainOptions(host, parent); }});
}
