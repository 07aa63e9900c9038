#pragma once

#include "binding/page_table.h"

// The options page of the GSM module without its widgets: engine start by voltage and temperature,
// fuel, short call, network, security, tag search and general switches.
const TPageTable& GsmOptionsTable();
