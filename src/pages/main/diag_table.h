#pragma once

#include "binding/page_table.h"

// The diagnostics page of the main module without its widgets: the four short histories, the
// dates and the board readings, all bound to the main module.
const TPageTable& MainDiagTable();
