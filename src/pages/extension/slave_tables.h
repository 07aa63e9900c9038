#pragma once

#include "binding/page_table.h"

// The slave module's three pages without their widgets: events, recording parameters and the
// recordings themselves.
const TPageTable& SlavePropertiesTable();
const TPageTable& SlaveOptionsTable();
const TPageTable& SlaveDataTable();
