#pragma once

#include "binding/page_table.h"

// The radio parameters of the transceiver at bus address 5, without widgets: one control per
// field of the radio chip's configuration registers, which the module keeps at the
// registers' own addresses in its settings memory.
const TPageTable& TSPropertiesTable();
