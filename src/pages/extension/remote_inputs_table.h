#pragma once

#include "binding/page_table.h"

// The input extender's page without its widgets: input functions, the analog ladder of
// input 2 and its events.
const TPageTable& RemoteInputsTable();
