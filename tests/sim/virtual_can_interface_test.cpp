#include "sim/virtual_can_interface.h"

#include <gtest/gtest.h>

namespace {

using TPackets = std::vector<std::vector<uint8_t>>;

TPackets Take(TVirtualCanInterface& can, std::vector<uint8_t> data) {
  return can.Take(data);
}

TEST(VirtualCanInterface, TheCarSetIsTheCarReportedAndAResetForgetsIt) {
  TVirtualCanInterface can;
  EXPECT_EQ(Take(can, {16, 12, 1}), TPackets{});
  EXPECT_EQ(Take(can, {62, 5}), (TPackets{{9, 0, 0, 0, 0, 12, 1}}));
  EXPECT_EQ(Take(can, {62, 1}), (TPackets{{13, 2, 1, 16, 0}}));
  EXPECT_EQ(Take(can, {15}), TPackets{});
  EXPECT_EQ(can.FactoryResets(), 1);
  EXPECT_EQ(Take(can, {62, 5}), (TPackets{{9, 0, 0, 0, 0, 0, 0}}));
}

TEST(VirtualCanInterface, CarCommandsAreKeptAndMalformedDataIgnored) {
  TVirtualCanInterface can;
  for (const auto& data : std::vector<std::vector<uint8_t>>{{1}, {41}, {42}, {0}, {}, {16, 3}}) {
    EXPECT_EQ(Take(can, data), TPackets{});
  }
  EXPECT_EQ(can.CarCommands(), (std::vector<uint8_t>{1, 41}));
  EXPECT_EQ(can.Group(), 12) << "a car command without its subgroup sets nothing";
}

TEST(VirtualCanInterface, TheEngineTurnsOnlyWhileItRuns) {
  TVirtualCanInterface can;
  EXPECT_EQ(can.Speeds(false, 3), (std::array<uint8_t, 4>{0, 0, 0, 0}));
  const auto running = can.Speeds(true, 0);
  EXPECT_EQ(running[0] + 256 * running[1], 850);
  EXPECT_NE(running[1], 255);
}

}  // namespace
