#include "pages/can/can_in_page.h"

#include "binding/ui/table_page.h"
#include "link/lan_msg.h"
#include "pages/can/can_tables.h"

TCanIn::TCanIn(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, CanInTable(), host)) {}
