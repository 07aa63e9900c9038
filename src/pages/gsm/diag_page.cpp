#include "pages/gsm/diag_page.h"

#include "binding/ui/table_page.h"
#include "pages/gsm/diag_table.h"
#include "pages/gsm/gsm_address.h"

TGSMDiagGSMPager::TGSMDiagGSMPager(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmDiagTable(), host)) {}
