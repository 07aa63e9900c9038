#pragma once

#include "binding/page_table.h"

// The relays page binds no settings: its sections, for the page builder and the command line.
const TPageTable& MainRelaysTable();
