#pragma once

#include <QString>
#include <algorithm>
#include <vector>

#include "memory/ee_memory_item.h"
#include "memory/lan_devices.h"
#include "memory/rw.h"
#include "shell/fake_page_host.h"

// One memory of the GSM module behind a channel that acts as the bus does: only changed
// bytes are written.
class TGsmMemory : public TRW {
 public:
  explicit TGsmMemory(int size) : TRW(true), Bytes(static_cast<std::size_t>(size)) {
    SetLocations(kPersistentLocations);
    SetClearDirtyAfterWrite(true);
  }
  void Put(int addr, std::vector<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), Bytes.begin() + addr);
  }
  std::vector<uint8_t> At(int addr, int count) const {
    return {Bytes.begin() + addr, Bytes.begin() + addr + count};
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

  std::vector<uint8_t> Bytes;
};

// A page of the GSM module bound to the module's areas of a registry, as the main window
// binds its pages; the message area takes the module's messages.
template <class TPage>
class TBoundGsmPage {
 public:
  TBoundGsmPage() { registry.BindControls(page.BoundControls(), {}); }

  TEEMemoryItem& Area(TMemoryLocation location) const {
    return *dynamic_cast<TEEMemoryItem*>(registry.FindMem(3, location));
  }
  TGsmMemory& Memory(TMemoryLocation location) { return location == mlInt ? settings : messages; }
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
  TGsmMemory settings{2048};
  TGsmMemory messages{32768};
};
