#pragma once

#include <QString>
#include <algorithm>
#include <vector>

#include "memory/ee_memory_item.h"
#include "memory/lan_devices.h"
#include "pages/byte_channel.h"
#include "shell/fake_page_host.h"

// A page of the GSM module bound to the module's areas of a registry, as the main window
// binds its pages; the message area takes the module's messages.
template <class TPage>
class TBoundGsmPage {
 public:
  TBoundGsmPage() { registry.BindControls(page.BoundControls(), {}); }

  TEEMemoryItem& Area(TMemoryLocation location) const {
    return *dynamic_cast<TEEMemoryItem*>(registry.FindMem(3, location));
  }
  TByteChannel& Memory(TMemoryLocation location) { return location == mlInt ? settings : messages; }
  void Read(TMemoryLocation location = mlInt) { Area(location).Load(Memory(location)); }
  void Write(TMemoryLocation location = mlInt) { Area(location).Store(Memory(location)); }
  void Defaults(TMemoryLocation location = mlInt) { Area(location).SetDefaults(Memory(location)); }
  bool Modified(TMemoryLocation location = mlInt) const { return Area(location).IsModified(); }
  // A message of the GSM module to the PC.
  void FromModule(uint8_t command, std::vector<uint8_t> data) {
    TLanMsg msg;
    msg.Source = 3;
    msg.Dest = 1;
    msg.Command = command;
    msg.Length = static_cast<uint8_t>(data.size());
    std::copy(data.begin(), data.end(), msg.Data.begin());
    registry.DispatchMessage(msg);
  }
  template <class T>
  T& Control(const std::string& name) const {
    return page.Controls().template Get<T>(name);
  }

  TFakePageHost host;
  TPage page{host};
  TLanDevices registry;
  TByteChannel settings{2048};
  TByteChannel messages{32768};
};
