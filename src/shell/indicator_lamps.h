#pragma once

#include <cstdint>
#include <span>

// The lamps of the indicator window, in window order, and what lights each.
enum class TLampGroup : uint8_t {
  Output,  // an output event of the main module, by output index
  Input,   // an input event, by input index
  State,   // a state of command 19, by state index
  Other,   // lit by name: CAN commands, events, the voltage, the tag
};

struct TLampRow {
  // The button's object name; rows nobody refers to by name are numbered ("Lamp12").
  const char* Name = "";
  const char* Hint = "";
  // Written beside the lamp where the hint is missing or shared with another lamp.
  const char* Caption = "";
  TLampGroup Group = TLampGroup::Other;
  int Index = -1;
  // A lit lamp goes off by itself after this long; 0 for lamps that wait for their "off".
  int OffTimerMs = 0;
  // Written over the picture: the number of an impulse control or a program.
  const char* Number = "";
};

std::span<const TLampRow> IndicatorLamps();
// The name written beside a lamp: its caption, or else its hint.
const char* LampCaption(const TLampRow& row);
// The position in IndicatorLamps(); -1 when no lamp of the group has the index or name.
int LampOf(TLampGroup group, int index);
int LampNamed(const char* name);
