#pragma once

#include "memory/ram_memory_item.h"

// Persistent settings: read in runs, written back in runs of changed bytes, reset to factory
// values; a byte that was never read cannot be changed.
class TEEMemoryItem : public TRAMMemoryItem {
 public:
  TEEMemoryItem() = default;

  uint8_t GetByte(int index) override;
  // Throws "Запись в непрочитанную память по адресу %x" for a byte that is not valid.
  void SetByte(int index, uint8_t value) override;
  void ReadRange(int start, int count) override;
  void Progress(const QString& text, int done, int total) override;
  using TRAMMemoryItem::Load;
  // A cancelled read leaves the area unread.
  bool Load(TRW& channel, const ITransferContext& context) override;
  // Puts every bound control to its factory value and marks its bytes for writing.
  void SetDefaults(TRW& channel);
};
