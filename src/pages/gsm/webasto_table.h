#pragma once

#include "binding/page_table.h"

// The heater page of the GSM module without its widgets.
const TPageTable& GsmWebastoTable();
