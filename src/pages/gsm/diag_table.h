#pragma once

#include "binding/page_table.h"

// The diagnostics page of the GSM module without its widgets: its state markers, status record,
// modem characters and balance answer.
const TPageTable& GsmDiagTable();
