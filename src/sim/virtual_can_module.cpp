#include "sim/virtual_can_module.h"

#include <array>

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kModeReport = 7;
constexpr uint8_t kCommandWithdrawn = 32;
constexpr uint8_t kCommandSent = 33;
// CAN commands: lock all doors, unlock all doors.
constexpr uint8_t kLockDoors = 1;
constexpr uint8_t kUnlockDoors = 2;
constexpr uint8_t kModeMask = 0x0F;
constexpr uint8_t kDisarmed = 0;

constexpr std::array<TLiveStream, 1> kStreams = {{{0, 10000ms, 4000ms}}};

}  // namespace

TVirtualCanModule::TVirtualCanModule(const TVirtualModuleSpec& desc) : TVirtualModule(desc) {}

std::span<const TLiveStream> TVirtualCanModule::LiveStreams() const {
  return kStreams;
}

void TVirtualCanModule::Report(std::vector<TLanMsg>& out) const {
  out.push_back(Message(kBroadcastAddr, kCommandSent, {locked_ ? kLockDoors : kUnlockDoors}));
  out.push_back(Message(kBroadcastAddr, kCommandWithdrawn, {locked_ ? kUnlockDoors : kLockDoors}));
}

void TVirtualCanModule::Talk(int, std::vector<TLanMsg>& out) {
  Report(out);
}

void TVirtualCanModule::Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  if (msg.Source == kMainModuleAddr && msg.Dest == kBroadcastAddr && msg.Command == kModeReport &&
      msg.Length >= 1) {
    const bool locked = (msg.Data[0] & kModeMask) != kDisarmed;
    if (locked != locked_) {
      locked_ = locked;
      Report(replies);
    }
    return;
  }
  TVirtualModule::Handle(msg, replies);
}
