#pragma once

#include "binding/page_table.h"

// The remote start page of the main module without its widgets: remote and timer start,
// the turbo timer, the tacho and speedometer signals and the engine-speed thresholds.
const TPageTable& MainRStartTable();
