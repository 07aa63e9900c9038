#include "pages/extension/slave_pages.h"

#include "binding/ui/table_page.h"
#include "pages/extension/extension_modules.h"
#include "pages/extension/slave_tables.h"

TSlaveProperties::TSlaveProperties(IPageHost& host, QWidget* parent)
    : TVDFrame(kSlaveAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, SlavePropertiesTable(), host)) {}

TSlaveOptions::TSlaveOptions(IPageHost& host, QWidget* parent)
    : TVDFrame(kSlaveAddr, parent), controls_(BuildTablePage(*this, SlaveOptionsTable(), host)) {}

TSlaveData::TSlaveData(IPageHost& host, QWidget* parent)
    : TVDFrame(kSlaveAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, SlaveDataTable(), host)) {}
