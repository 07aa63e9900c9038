#pragma once

#include "binding/page_table.h"

// The outputs page of the main module without its widgets: the board configuration byte, the
// pin of every output function (settings image on the older boards, flash image on the third
// generation), the CAN outputs byte, the output programs and the relay tables of the engine
// start module.
const TPageTable& MainOutputsTable();

// The output function an assignment row stores, by its cell; 0 for other rows.
int OutputTaskOfRow(const TControlRow& row);
