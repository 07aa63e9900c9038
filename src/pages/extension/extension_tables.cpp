#include "pages/extension/extension_tables.h"

#include <array>

#include "pages/extension/radio_table.h"
#include "pages/extension/relay_io_table.h"
#include "pages/extension/remote_inputs_table.h"
#include "pages/extension/sensor_tables.h"
#include "pages/extension/slave_tables.h"
#include "pages/extension/validator_table.h"

std::span<const TPageTable> ExtensionPageTables() {
  static const std::array kTables = {
      TransceiverTable(), RemoteInputsTable(), SlavePropertiesTable(), SlaveOptionsTable(),
      SlaveDataTable(),   ShockOptionsTable(), TiltOptionsTable(),     RelayIOTable(),
      RelayIONewTable(),  ValidatorTable(),    TSPropertiesTable()};
  return kTables;
}
