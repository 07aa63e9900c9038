#include "binding/pending_cells.h"

#include "binding/component_data.h"
#include "binding/config_diff.h"
#include "binding/page_table.h"
#include "binding/row_binding.h"
#include "binding/setting_text.h"
#include "memory/device_memory_item.h"
#include "memory/lan_devices.h"

TShownCell ShownCell(const TComponentData& data) {
  return {data.LanAddr(), data.MemID(), data.Addr(), data.GetSize(), ShownBits(data)};
}

std::vector<TNamedCell> PageCells(const TPageTable& table) {
  std::vector<TNamedCell> cells;
  for (const TSettingRow& setting : SettingRows(table)) {
    TComponentData data;
    BindRow(*setting.Row, table.LanAddr, data);
    cells.push_back({setting.Name, ShownCell(data)});
  }
  return cells;
}

bool CellPending(const TDeviceMemoryItem& area, const TShownCell& cell) {
  return area.IsPending(cell.Addr, cell.Size, cell.Mask);
}

bool CellPending(const TLanDevices& registry, const TShownCell& cell) {
  const TDeviceMemoryItem* area = registry.FindMem(cell.LanAddr, cell.MemID);
  return area != nullptr && CellPending(*area, cell);
}

bool RevertCell(TLanDevices& registry, const TShownCell& cell) {
  TDeviceMemoryItem* area = registry.FindMem(cell.LanAddr, cell.MemID);
  if (area == nullptr) return false;
  area->RestoreBaseline(cell.Addr, cell.Size, cell.Mask);
  return true;
}
