#include "pages/gsm/times_page.h"

#include "binding/ui/table_page.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/times_table.h"

TGSMTimesGSMPager::TGSMTimesGSMPager(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmTimesTable(), host)) {}
