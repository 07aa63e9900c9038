#pragma once

#include <span>

#include "binding/page_table.h"

// Every settings page of the extension modules without its widgets, in the order of the
// module panel.
std::span<const TPageTable> ExtensionPageTables();
