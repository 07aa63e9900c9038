#pragma once

#include "binding/page_table.h"

const TPageTable& MainInputsTable();

// Which byte of which input function's assignment a row of the table holds.
enum class TInputCellKind : uint8_t {
  None,
  Older,   // the pin code on first- and second-generation boards
  Pin,     // third generation, byte 0: the pin code
  Source,  // third generation, byte 1: CAN, wire or start-module input
  Fixed,   // third generation, byte 2: the function's fixed code
};

struct TInputCell {
  int TaskId = 0;
  TInputCellKind Kind = TInputCellKind::None;
};

TInputCell InputCellOfRow(const TControlRow& row);
