#include "pages/gsm/properties_page.h"

#include "binding/ui/table_page.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/properties_table.h"

TGSMPropertiesGSMPager::TGSMPropertiesGSMPager(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmPropertiesTable(), host)) {}
