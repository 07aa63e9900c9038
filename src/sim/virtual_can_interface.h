#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The external CAN interface behind the main module: the PC talks to it through the main
// module's command 123, and the main module passes its answers on as command 35. It knows
// the car it is set to (group and subgroup), its protocol version, and which car commands
// it was asked to send.
class TVirtualCanInterface {
 public:
  static constexpr uint8_t kPassOn = 123;
  static constexpr uint8_t kAnswer = 35;

  // Takes the data of one command 123; returns the data of each command 35 it answers with.
  std::vector<std::vector<uint8_t>> Take(std::span<const uint8_t> data);

  uint8_t Group() const { return group_; }
  uint8_t Subgroup() const { return subgroup_; }
  // Major, minor, build low and high byte.
  static constexpr std::array<uint8_t, 4> kProtocol = {2, 1, 16, 0};
  // The car commands (lock, unlock, comfort, ...) received so far, in order.
  const std::vector<uint8_t>& CarCommands() const { return carCommands_; }
  int FactoryResets() const { return factoryResets_; }
  // Engine speed and road speed, each low byte first, as the car reports them: idle revs
  // with a little ripple while the engine runs, nothing standing.
  std::array<uint8_t, 4> Speeds(bool engineRunning, unsigned tick) const;

 private:
  // The car of the main module's factory status record, so that every report of the virtual
  // vehicle names the same car.
  uint8_t group_ = 12;
  uint8_t subgroup_ = 3;
  std::vector<uint8_t> carCommands_;
  int factoryResets_ = 0;
};
