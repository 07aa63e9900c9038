#pragma once

#include <QString>
#include <algorithm>
#include <utility>
#include <vector>

#include "memory/ee_memory_item.h"
#include "memory/lan_devices.h"
#include "memory/rw.h"
#include "pages/main/options_page.h"
#include "shell/fake_page_host.h"

// The main module's settings memory behind a channel that acts as the bus does: bytes read
// are no change, only changed bytes are written. Every availability bit is set, so that
// every control may be edited.
class TModuleMemory : public TRW {
 public:
  TModuleMemory() : TRW(true) {
    SetLocations(kPersistentLocations);
    SetClearDirtyAfterWrite(true);
    std::fill(Bytes.begin() + 256, Bytes.begin() + 270, uint8_t{0xFF});
  }
  void Put(int addr, std::vector<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), Bytes.begin() + addr);
  }

  bool HasDevice(const TLanDevice&) const override { return true; }
  bool Read(int start, std::span<uint8_t> buffer) override {
    std::copy_n(Bytes.begin() + start, buffer.size(), buffer.begin());
    return true;
  }
  TClusterList Write(int start, std::span<const uint8_t> bytes) override {
    std::copy(bytes.begin(), bytes.end(), Bytes.begin() + start);
    return {};
  }
  void Finish() override {}

  std::vector<uint8_t> Bytes = std::vector<uint8_t>(1024);
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
