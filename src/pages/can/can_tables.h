#pragma once

#include <span>

#include "binding/page_table.h"

// The three pages of the CAN interface, all of them cells of the main module: which CAN
// signal feeds which input, the CAN commands of arming and disarming with the CAN programs,
// and the control page that talks to the interface.
const TPageTable& CanInTable();
const TPageTable& CanOutTable();
const TPageTable& CanOptionsTable();

// Every CAN page without its widgets, in the order of the module panel.
std::span<const TPageTable> CanPageTables();
