#include "binding/ui/byte_table.h"

#include "binding/ui/vd_data.h"
#include "memory/base_device_memory_item.h"

void BindByteTable(TVDData& item, TByteTable table) {
  const auto last = [&item](int index) { return index + 1 == item.ComponentData().MaxVal(); };
  const auto fits = [bytes = table.Bytes](int index) {
    return index >= 0 && static_cast<std::size_t>(index) < bytes.size();
  };
  item.OnLoad = [table, last, fits](QObject&, uint8_t byte, int index) {
    if (fits(index)) table.Bytes[static_cast<std::size_t>(index)] = byte;
    if (last(index) && table.Shown) table.Shown();
  };
  item.OnStore = [table, fits](QObject&, uint8_t& byte, int index) {
    if (fits(index)) byte = table.Bytes[static_cast<std::size_t>(index)];
  };
  item.OnSetDefaultState = [&item, table, last, fits](QObject&, uint8_t& byte, int index) {
    const auto at = static_cast<std::size_t>(index);
    if (fits(index) && at < table.FactoryBytes.size()) {
      table.Bytes[at] = table.FactoryBytes[at];
      byte = table.FactoryBytes[at];
    } else if (table.Factory && fits(index)) {
      table.Bytes[at] = *table.Factory;
      byte = *table.Factory;
    } else {
      byte = item.GetMem()->GetByte(item.ComponentData().Addr() + index);
    }
    if (last(index) && table.Shown) table.Shown();
  };
}
