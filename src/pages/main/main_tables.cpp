#include "pages/main/main_tables.h"

#include <array>

#include "pages/main/diag_table.h"
#include "pages/main/inputs_table.h"
#include "pages/main/options_table.h"
#include "pages/main/outputs_table.h"
#include "pages/main/rstart_table.h"
#include "pages/main/security_table.h"
#include "pages/main/sensors_table.h"
#include "pages/main/times_table.h"
#include "pages/main/tx_table.h"

std::span<const TPageTable> MainPageTables() {
  static const std::array kTables = {MainOptionsTable(), MainSecurityTable(), MainTimesTable(),
                                     MainSensorsTable(), MainInputsTable(),   MainOutputsTable(),
                                     MainTXTable(),      MainRStartTable(),   MainDiagTable()};
  return kTables;
}
