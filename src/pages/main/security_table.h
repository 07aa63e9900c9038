#pragma once

#include "binding/page_table.h"

// The switches of the immobiliser relays' digital outputs: while the first is on and the
// second off, the first takes an output pin of the board for itself (the outputs page keeps
// it free).
struct TSwitchBit {
  int Addr;
  int Bit;
};
inline constexpr TSwitchBit kDigitalOutput1{554, 6};
inline constexpr TSwitchBit kDigitalOutput2{196, 0};

// The security page of the main module without its widgets: immobiliser, repeated
// authorisation, anti-hijack, engine blocking and the micro-immobiliser relays.
const TPageTable& MainSecurityTable();
