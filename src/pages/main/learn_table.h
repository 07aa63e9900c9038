#pragma once

#include "binding/page_table.h"

// The learning page binds no settings: its sections.
const TPageTable& MainLearnTable();
