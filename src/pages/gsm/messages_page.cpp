#include "pages/gsm/messages_page.h"

#include "binding/ui/table_page.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/messages_table.h"

TGSMMessages::TGSMMessages(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmMessagesTable(), host)) {}
