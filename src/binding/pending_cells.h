#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "memory/memory_location.h"

class TComponentData;
class TDeviceMemoryItem;
class TLanDevices;
struct TPageTable;

// The bytes of one bound cell and the bits of each that its control shows: what decides
// whether the setting is pending, and what a revert puts back.
struct TShownCell {
  uint8_t LanAddr = 0;
  TMemoryLocation MemID = mlInt;
  int Addr = 0;
  int Size = 0;
  uint8_t Mask = 0xFF;
};

TShownCell ShownCell(const TComponentData& data);
// The cells of a page's settings in page order, keyed by the control's name.
struct TNamedCell {
  QString Control;
  TShownCell Cell;
};
std::vector<TNamedCell> PageCells(const TPageTable& table);

// The setting's shown bits differ from what the module holds.
bool CellPending(const TDeviceMemoryItem& area, const TShownCell& cell);
bool CellPending(const TLanDevices& registry, const TShownCell& cell);
// Puts back what the module holds into the cell's shown bits; false when it has no area.
bool RevertCell(TLanDevices& registry, const TShownCell& cell);
