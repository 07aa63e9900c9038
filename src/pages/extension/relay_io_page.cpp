#include "pages/extension/relay_io_page.h"

#include "binding/ui/table_page.h"
#include "pages/extension/extension_modules.h"
#include "pages/extension/relay_io_table.h"

TRelayIOPage::TRelayIOPage(IPageHost& host, QWidget* parent)
    : TVDFrame(kRelayIOAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, RelayIOTable(), host)) {}
