#include "pages/can/can_options_page.h"

#include "binding/ui/table_page.h"
#include "link/lan_msg.h"
#include "pages/can/can_tables.h"

TCanOptions::TCanOptions(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, CanOptionsTable(), host)) {}
