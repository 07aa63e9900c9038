#pragma once

#include "binding/page_table.h"

// The times page of the main module without its widgets: the pulse lengths of the door,
// window and lock drives and the light timers.
const TPageTable& MainTimesTable();
