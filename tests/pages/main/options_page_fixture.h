#pragma once

#include <QString>
#include <algorithm>
#include <utility>
#include <vector>

#include "memory/ee_memory_item.h"
#include "memory/lan_devices.h"
#include "pages/byte_channel.h"
#include "pages/main/options_page.h"
#include "shell/fake_page_host.h"

// The main module's settings memory. Every availability bit is set, so that every control
// may be edited.
class TModuleMemory : public TByteChannel {
 public:
  TModuleMemory() : TByteChannel(1024) {
    std::fill(Bytes.begin() + 256, Bytes.begin() + 270, uint8_t{0xFF});
  }
};

// A page of the main module bound to the module's areas of a registry, as the main window
// binds its pages.
template <class TPage>
class TBoundMainPage {
 public:
  TBoundMainPage() { registry.BindControls(page.BoundControls(), {}); }

  TEEMemoryItem& Settings() const {
    return *dynamic_cast<TEEMemoryItem*>(registry.FindMem(2, mlExt));
  }
  // The settings are read from the module and shown.
  void Read() { Settings().Load(module); }
  // The changed settings go to the module.
  void Write() { Settings().Store(module); }
  // The main module's status: firmware version and board revision.
  void Status(uint8_t major, uint8_t revision) {
    TLanMsg msg;
    msg.Source = 2;
    msg.Dest = 1;
    msg.Command = 48;
    msg.Length = 6;
    msg.Data = {major, 1, 0x15, 0x06, 0x24, revision};
    registry.DispatchMessage(msg);
  }
  template <class T>
  T& Control(const char* name) const {
    return page.Controls().template Get<T>(name);
  }

  TFakePageHost host;
  TPage page{host};
  TLanDevices registry;
  TModuleMemory module;
};

using TBoundOptionsPage = TBoundMainPage<TMainOptions>;
