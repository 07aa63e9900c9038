#include "sim/virtual_can_interface.h"

namespace {

constexpr uint8_t kFactoryReset = 15;
constexpr uint8_t kSetCar = 16;
constexpr uint8_t kRequest = 62;
constexpr uint8_t kRequestVersion = 1;
constexpr uint8_t kRequestGroup = 5;
// Packets of command 35: the car's group and subgroup in the last two of six bytes, and the
// protocol version.
constexpr uint8_t kGroupPacket = 9;
constexpr uint8_t kVersionPacket = 13;
// The car commands the interface names (1 to 41).
constexpr uint8_t kLastCarCommand = 41;
constexpr int kIdleRpm = 850;

}  // namespace

std::vector<std::vector<uint8_t>> TVirtualCanInterface::Take(std::span<const uint8_t> data) {
  if (data.empty()) return {};
  const uint8_t command = data[0];
  if (command == kSetCar && data.size() >= 3) {
    group_ = data[1];
    subgroup_ = data[2];
    return {};
  }
  if (command == kFactoryReset && data.size() == 1) {
    ++factoryResets_;
    group_ = 0;
    subgroup_ = 0;
    return {};
  }
  if (command == kRequest && data.size() >= 2) {
    if (data[1] == kRequestVersion) {
      return {{kVersionPacket, kProtocol[0], kProtocol[1], kProtocol[2], kProtocol[3]}};
    }
    if (data[1] == kRequestGroup) return {{kGroupPacket, 0, 0, 0, 0, group_, subgroup_}};
    return {};
  }
  if (data.size() == 1 && command >= 1 && command <= kLastCarCommand) {
    carCommands_.push_back(command);
  }
  return {};
}

std::array<uint8_t, 4> TVirtualCanInterface::Speeds(bool engineRunning, unsigned tick) const {
  const int rpm = engineRunning ? kIdleRpm + static_cast<int>(tick % 5) * 10 : 0;
  return {static_cast<uint8_t>(rpm & 0xFF), static_cast<uint8_t>(rpm >> 8), 0, 0};
}
