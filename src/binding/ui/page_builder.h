#pragma once

#include <span>

#include "binding/control_table.h"

class TVDFrame;

// Makes the controls of a table inside the frame: every heading opens a section, every
// bound row becomes its TVD control, bound to its cell, showing its default, in table order
// (the order in which the page binds, loads and stores). Rows before the first heading go
// to a panel above the sections. Handlers are attached afterwards by control name
// (TVDFrame::Control).
void BuildPage(TVDFrame& frame, std::span<const TControlRow> rows);
