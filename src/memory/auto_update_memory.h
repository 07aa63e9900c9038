#pragma once

#include "memory/device_memory_item.h"

// Live values: a stored byte is marked updated (never changed), and a control that shows it
// takes the mark away.
class TAutoUpdateMemory : public TDeviceMemoryItem {
 public:
  uint8_t GetByte(int index) override;
  void SetByte(int index, uint8_t value) override;

  // Shows every updated byte in the controls bound to it.
  void NotifyUpdated();

 protected:
  TAutoUpdateMemory() = default;
};
