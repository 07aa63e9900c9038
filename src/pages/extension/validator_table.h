#pragma once

#include "binding/page_table.h"

// The validator's page without its widgets: its lines, code, analog buttons and timing.
const TPageTable& ValidatorTable();
