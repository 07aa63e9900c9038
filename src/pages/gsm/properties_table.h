#pragma once

#include "binding/page_table.h"

// The properties page of the GSM module without its widgets: phone numbers, PIN codes, the balance
// request and the commands assigned to keys.
const TPageTable& GsmPropertiesTable();
