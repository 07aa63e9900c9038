#pragma once

#include "binding/page_table.h"
#include "binding/ui/page_controls.h"

class IPageHost;
class TVDFrame;

// What every page made from a table does first: builds its controls, gives its track bars
// their value labels and its controls context help on the page's topic. The page then adds
// what the table cannot describe.
TPageControls BuildTablePage(TVDFrame& frame, const TPageTable& table, IPageHost& host);
