#pragma once

#include "binding/page_table.h"

// The sensors page of the main module without its widgets: the sensitivities of the shock and
// microwave sensors, the temperature sensor and the settings common to all sensors.
const TPageTable& MainSensorsTable();
