#include "pages/extension/remote_inputs_page.h"

#include "binding/ui/table_page.h"
#include "pages/extension/extension_modules.h"
#include "pages/extension/remote_inputs_table.h"

TRemoteInputsPage::TRemoteInputsPage(IPageHost& host, QWidget* parent)
    : TVDFrame(kRemoteInputsAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, RemoteInputsTable(), host)) {}
