#pragma once

#include <span>

#include "binding/page_table.h"

// Every settings page of the GSM module without its widgets, in the order of the module
// panel.
std::span<const TPageTable> GsmPageTables();
