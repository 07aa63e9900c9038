#include "pages/gsm/telematic_page.h"

#include "binding/ui/table_page.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/telematic_table.h"

TGSMTelematic::TGSMTelematic(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmTelematicTable(), host)) {}
