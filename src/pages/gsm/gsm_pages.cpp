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

void RegisterGsmPages(TPageRegistry& registry) {
  registry.RegisterTable<TGSMPropertiesGSMPager>(GsmPropertiesTable());
  registry.RegisterTable<TGSMOptionsGSMPager>(GsmOptionsTable());
  registry.RegisterTable<TGSMTimesGSMPager>(GsmTimesTable());
  registry.RegisterTable<TGSMMessages>(GsmMessagesTable());
  registry.RegisterTable<TGSMDiagGSMPager>(GsmDiagTable());
  registry.RegisterTable<TGSMTelematic>(GsmTelematicTable());
  registry.RegisterTable<TGSMWebasto>(GsmWebastoTable());
}
