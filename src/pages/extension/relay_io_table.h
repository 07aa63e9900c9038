#pragma once

#include "binding/page_table.h"

// The engine start module's page for modules before version 262 without its widgets.
const TPageTable& RelayIOTable();
// The page for modules of version 262 on, which keep their settings at other addresses.
const TPageTable& RelayIONewTable();
