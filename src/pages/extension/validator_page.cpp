#include "pages/extension/validator_page.h"

#include "binding/ui/table_page.h"
#include "pages/extension/extension_modules.h"
#include "pages/extension/validator_table.h"

TValidatorPage::TValidatorPage(IPageHost& host, QWidget* parent)
    : TVDFrame(kValidatorAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, ValidatorTable(), host)) {}
