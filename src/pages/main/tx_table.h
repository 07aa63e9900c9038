#pragma once

#include "binding/page_table.h"

// The key fob page of the main module without its widgets: what the car's own key fob and the
// system's key fobs and tags may do.
const TPageTable& MainTXTable();
