#pragma once

#include <span>
#include <vector>

#include "journal/filter_data.h"

// A filter switch of the journal window: its texts, and the journal filters it switches.
struct TLogFilterCommand {
  const char* Name;
  const char* Caption;  // empty: the command is offered on the filter panel only
  const char* Hint;
  // The filter panel's own texts where they differ from the command's (nullptr: the same).
  const char* ButtonText;
  const char* ButtonHint;
  // A module address: the switch hides everything the module sends and everything sent to it,
  // at each address the module answers to.
  int Address;
  // Otherwise the filters it switches.
  std::vector<TFilterData> (*Filters)();
  // Kept with the window layout.
  bool Saved;

  static constexpr int kNoAddress = -1;
};

// The filter switches in the order of the filter panel.
std::span<const TLogFilterCommand> LogFilterCommands();

// The journal filters `command` switches on and off together.
std::vector<TFilterData> FiltersOf(const TLogFilterCommand& command);
