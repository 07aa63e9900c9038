#include "pages/gsm/gsm_pages.h"

#include "binding/page_table.h"
#include "binding/ui/page_registry.h"
#include "pages/gsm/diag_page.h"
#include "pages/gsm/diag_table.h"
#include "pages/gsm/messages_page.h"
#include "pages/gsm/messages_table.h"
#include "pages/gsm/options_page.h"
#include "pages/gsm/options_table.h"
#include "pages/gsm/properties_page.h"
#include "pages/gsm/properties_table.h"
#include "pages/gsm/telematic_page.h"
#include "pages/gsm/telematic_table.h"
#include "pages/gsm/times_page.h"
#include "pages/gsm/times_table.h"
#include "pages/gsm/webasto_page.h"
#include "pages/gsm/webasto_table.h"

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

void RegisterGsmPages(TPageRegistry& registry) {
  RegisterTablePage<TGSMPropertiesGSMPager>(registry, GsmPropertiesTable());
  RegisterTablePage<TGSMOptionsGSMPager>(registry, GsmOptionsTable());
  RegisterTablePage<TGSMTimesGSMPager>(registry, GsmTimesTable());
  RegisterTablePage<TGSMMessages>(registry, GsmMessagesTable());
  RegisterTablePage<TGSMDiagGSMPager>(registry, GsmDiagTable());
  RegisterTablePage<TGSMTelematic>(registry, GsmTelematicTable());
  RegisterTablePage<TGSMWebasto>(registry, GsmWebastoTable());
}
