#pragma once

#include "binding/page_table.h"

// The security page of the main module without its widgets: immobiliser, repeated
// authorisation, anti-hijack, engine blocking and the micro-immobiliser relays.
const TPageTable& MainSecurityTable();
