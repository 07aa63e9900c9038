#include "pages/gsm/gsm_tables.h"

#include <array>

#include "pages/gsm/diag_table.h"
#include "pages/gsm/messages_table.h"
#include "pages/gsm/options_table.h"
#include "pages/gsm/properties_table.h"
#include "pages/gsm/telematic_table.h"
#include "pages/gsm/times_table.h"
#include "pages/gsm/webasto_table.h"

std::span<const TPageTable> GsmPageTables() {
  static const std::array kTables = {GsmPropertiesTable(), GsmOptionsTable(), GsmTimesTable(),
                                     GsmMessagesTable(),   GsmDiagTable(),    GsmTelematicTable(),
                                     GsmWebastoTable()};
  return kTables;
}
