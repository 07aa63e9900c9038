#include "pages/gsm/options_page.h"

#include "binding/ui/table_page.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/options_table.h"

TGSMOptionsGSMPager::TGSMOptionsGSMPager(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmOptionsTable(), host)) {}
