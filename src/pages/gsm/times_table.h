#pragma once

#include "binding/page_table.h"

// The time page of the GSM module without its widgets: the module's clock and its start timers, all
// in its message area.
const TPageTable& GsmTimesTable();
