#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <span>

#include "memory/module_table.h"
#include "memory/msg_memory_item.h"

// The message area of a module kind; nullptr for the classes that are not message areas.
std::unique_ptr<TMsgMemoryItem> MakeMessageArea(TAreaClass areaClass);

// The engine and road speed the CAN bus reports, as the main module relays them in its
// voltage report (bytes 150 to 153 of its message area): each low byte first, a high byte of
// 255 when the car does not report it. The toolbar and the CAN inputs page read them alike.
struct TCanSpeeds {
  QString Engine;
  QString Road;
  bool RevsPresent = false;  // the engine turns
};
TCanSpeeds DecodeCanSpeeds(std::span<const uint8_t, 4> bytes);
