#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "link/lan_msg.h"

// Memory locations as the bus commands number them: writes 80 + loc, reads 87 + loc.
enum TSimLocation : int { kSimInt = 0, kSimExt = 1, kSimRam = 2, kSimFlash = 3, kSimLocations = 4 };

// One row of the vehicle's module table.
struct TVirtualModuleSpec {
  uint8_t Address = 0;
  const char* Name = "";
  uint8_t PacketSize = 8;
  std::array<uint32_t, kSimLocations> Sizes{};  // 0: the module has no such memory
};

// A module on the virtual bus: answers presence, access, memory reads and writes and keeps
// its memories across connections.
class TVirtualModule {
 public:
  explicit TVirtualModule(const TVirtualModuleSpec& spec);
  virtual ~TVirtualModule() = default;

  uint8_t Address() const { return spec_.Address; }
  QString Name() const { return QString::fromUtf8(spec_.Name); }
  uint8_t PacketSize() const { return spec_.PacketSize; }
  std::vector<uint8_t>& Memory(int location) { return memory_[static_cast<size_t>(location)]; }
  const std::vector<uint8_t>& Memory(int location) const {
    return memory_[static_cast<size_t>(location)];
  }

  // Fitted but mute: it neither answers nor talks.
  bool Silent = false;
  // Answers the access query with bit 4 set.
  bool RefuseAccess = false;
  // End-of-write notices received since the start.
  int EndNotices = 0;

  // Takes a message seen on the bus (addressed to it or broadcast) and appends its answers.
  void Receive(const TLanMsg& msg, std::vector<TLanMsg>& replies);

 protected:
  // Module-specific answers; the base answers the protocol commands every module shares.
  virtual void Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies);
  TLanMsg Answer(const TLanMsg& request) const;

 private:
  void HandleWrite(const TLanMsg& msg, int location, std::vector<TLanMsg>& replies);
  void HandleRead(const TLanMsg& msg, int location, std::vector<TLanMsg>& replies);

  TVirtualModuleSpec spec_;
  std::array<std::vector<uint8_t>, kSimLocations> memory_;
};
