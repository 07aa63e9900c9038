#pragma once

#include "binding/page_table.h"

// The properties page of the GSM module without its widgets: phone numbers, PIN codes, the balance
// request and the special commands.
const TPageTable& GsmPropertiesTable();
