#include "pages/extension/page_items.h"

#include "binding/ui/byte_table.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/vd_data.h"

void BindBytes(const TPageControls& controls, const char* item, std::span<uint8_t> bytes,
               std::span<const uint8_t> factory, const std::function<void()>& shown) {
  BindByteTable(controls.Get<TVDData>(item),
                {.Bytes = bytes, .Shown = shown, .FactoryBytes = factory});
}

void StoreItem(const TPageControls& controls, const char* item) {
  controls.Get<TVDData>(item).StoreEdited();
}
