#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "memory/device_memory_item.h"
#include "memory/memory_location.h"
#include "memory/module_table.h"

class TAdapter;
class TLanDevices;
class TLanRW;
class ITransferContext;

// One module kind of the registry: its bus address, the packet size its memory commands
// take, its end-of-write notice and its memory areas.
class TLanDevice {
 public:
  // What a presence probe found: without a link nothing is known about the module.
  enum class TPresence { NoLink, Absent, Present };

  TLanDevice(TLanDevices& owner, const TModuleSpec& desc);
  TLanDevice(const TLanDevice&) = delete;
  TLanDevice& operator=(const TLanDevice&) = delete;
  ~TLanDevice();

  TLanDevices& Owner() const { return owner_; }
  uint8_t LanAddr() const { return lanAddr_; }
  void SetLanAddr(uint8_t lanAddr) { lanAddr_ = lanAddr; }
  // The registry's name, which also heads the module's section of a configuration file.
  const QString& Name() const { return name_; }
  // The name the user reads: the bus vocabulary's, the same on every page, list and message.
  QString Title() const;
  void SetName(const QString& name) { name_ = name; }
  uint8_t PacketSize() const { return packetSize_; }
  void SetPacketSize(uint8_t packetSize) { packetSize_ = packetSize; }
  uint8_t EndCommand() const { return endCommand_; }
  uint8_t EndParam() const { return endParam_; }
  bool Present() const { return present_; }
  bool AccessOK() const { return accessOK_; }
  TLanRW* RW() const { return rw_; }
  void SetRW(TLanRW* rw);

  const std::vector<std::unique_ptr<TDeviceMemoryItem>>& Items() const { return items_; }
  // The module's first area of that location; nullptr when it has none.
  TDeviceMemoryItem* FindItem(TMemoryLocation memID) const;

  // Does the module answer? A result stays valid for a second. Asks on the calling thread.
  bool IsPresent();
  // The same with the bus exchange on the calling thread and the module's state on the
  // owner's thread of `context`.
  bool IsPresent(const ITransferContext& context);
  // Does the module grant access? Asks only a module found present.
  bool IsAccessible();

  // The parts of the checks for callers that wait for the bus elsewhere. The presence and
  // access results are fresh for a second; a stale one starts a new check period.
  std::optional<bool> FreshPresence() const;
  std::optional<bool> FreshAccess() const;
  void BeginPresenceCheck();
  void SetPresence(TPresence presence);
  void SetAccess(bool accessOK);
  // The bus exchanges themselves, safe on any thread that may wait for the bus.
  static TPresence ProbePresence(TAdapter* adapter, uint8_t lanAddr);
  static bool ProbeAccess(TAdapter& adapter, uint8_t lanAddr);
  // A file load reads the module's data: no presence probe should interrupt it.
  void TouchLastCheck();

  void MarkNotLoaded();
  bool AllLoaded(TMemoryLocations locations) const;
  bool AnyModified(TMemoryLocations locations) const;

 private:
  TLanDevices& owner_;
  uint8_t lanAddr_;
  QString name_;
  uint8_t packetSize_;
  uint8_t endCommand_;
  uint8_t endParam_;
  std::optional<std::chrono::milliseconds> lastCheck_;
  std::optional<std::chrono::milliseconds> lastAccessCheck_;
  bool present_ = false;
  bool accessOK_ = false;
  TLanRW* rw_ = nullptr;
  std::vector<std::unique_ptr<TDeviceMemoryItem>> items_;
};
