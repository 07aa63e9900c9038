#pragma once

#include <cstdint>
#include <span>

#include "binding/control_table.h"
#include "binding/value_labels.h"

// A settings page without its widgets: its table and the columns of it that a plain table
// row cannot carry. The command line binds pages through it, and the page builds from it.
struct TPageTable {
  // The page's instance name, the page command without its leading "a".
  const char* Name = "";
  // The page's module; rows may name another one.
  uint8_t LanAddr = 0;
  std::span<const TControlRow> Rows = {};
  // The page title as the module panel shows it.
  const char* Title = "";
  // The page's part of the context-help address; empty for pages without context help.
  const char* HelpTopic = "";
  // What the value labels of its track bars show.
  std::span<const TValueLabelRow> Labels = {};
};
