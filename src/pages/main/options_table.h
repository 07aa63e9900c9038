#pragma once

#include "binding/page_table.h"

// The options page of the main module without its widgets: what the command line and the
// tests bind, and what the page builds its controls from.
const TPageTable& MainOptionsTable();

// Output overload thresholds: the board of revision 5 has its own current sensing.
struct TOverloadScale {
  int Positions;
  double AmperesPerPosition;
};
TOverloadScale OverloadScaleOf(int boardRevision);
// Firmware that knows the overload thresholds.
bool HasOverloadScale(int major);
