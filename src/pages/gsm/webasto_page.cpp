#include "pages/gsm/webasto_page.h"

#include "binding/ui/table_page.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/webasto_table.h"

TGSMWebasto::TGSMWebasto(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmWebastoTable(), host)) {}
