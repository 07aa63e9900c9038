#pragma once

#include "binding/page_table.h"

// The options page of the main module without its widgets: what the command line and the
// tests bind, and what the page builds its controls from.
const TPageTable& MainOptionsTable();
