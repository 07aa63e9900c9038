#include <gtest/gtest.h>

#include <map>

#include "memory/lan_devices.h"
#include "memory/msg_memory_item.h"
#include "test_control.h"
#include "test_support.h"

namespace {

struct TMapCase {
  const char* what;
  uint8_t source;
  uint8_t dest;
  uint8_t command;
  std::vector<uint8_t> data;
  std::map<int, uint8_t> stored;  // exactly the bytes the message writes
  bool refresh = true;
};

TLanMsg Message(const TMapCase& c) {
  TLanMsg msg;
  msg.Source = c.source;
  msg.Dest = c.dest;
  msg.Command = c.command;
  msg.Length = static_cast<uint8_t>(c.data.size());
  std::copy(c.data.begin(), c.data.end(), msg.Data.begin());
  return msg;
}

// Data bytes 11, 12, 13, ...: every stored byte shows which data byte it came from.
std::vector<uint8_t> Data(int count) {
  std::vector<uint8_t> d;
  for (int i = 0; i < count; ++i) d.push_back(static_cast<uint8_t>(11 + i));
  return d;
}

std::map<int, uint8_t> Stored(int from, int firstData, int count) {
  std::map<int, uint8_t> m;
  for (int i = 0; i < count; ++i) m[from + i] = static_cast<uint8_t>(11 + firstData + i);
  return m;
}

std::map<int, uint8_t> Merge(std::initializer_list<std::map<int, uint8_t>> parts) {
  std::map<int, uint8_t> m;
  for (const auto& p : parts) m.insert(p.begin(), p.end());
  return m;
}

// Dispatches the message through a fresh registry and checks exactly which bytes it wrote,
// then, with a control on the first written byte, whether the controls were refreshed.
void Check(const TMapCase& c) {
  TLanDevices devices;
  devices.DispatchMessage(Message(c));
  const auto* area = devices.FindMem(c.source, mlMsg);
  ASSERT_NE(area, nullptr) << c.what;
  std::map<int, uint8_t> written;
  for (int i = 0; i < area->Size(); ++i) {
    if (area->IsUpdated(i)) written[i] = area->Image()[static_cast<size_t>(i)];
  }
  EXPECT_EQ(written, c.stored) << c.what;

  if (c.stored.empty()) return;
  TLanDevices withControl;
  TTestControl control(c.source, mlMsg, c.stored.begin()->first);
  withControl.BindControls(std::vector<IBoundControl*>{&control}, {});
  withControl.DispatchMessage(Message(c));
  EXPECT_EQ(control.Loads, c.refresh ? 1 : 0) << c.what;
}

TEST(MessageAreas, MainModule) {
  const std::vector<TMapCase> cases = {
      {"output state, bit 6 adds 64", 2, 0, 3, {0xC5}, {{69, 1}}},
      {"output state off", 2, 0, 3, {0x05}, {{5, 0}}},
      {"mode", 2, 0, 7, {0x42}, {{129, 0x42}}},
      {"voltage 1, no refresh", 2, 0, 53, {1, 77}, {{148, 77}}, false},
      {"voltage 2, no refresh", 2, 0, 53, {2, 78}, {{149, 78}}, false},
      {"voltage other", 2, 0, 53, {3, 78}, {}},
      {"learning end", 2, 0, 55, {9}, {{144, 9}}},
      {"buttons", 2, 0, 56, {8}, {{145, 8}}},
      {"sensor 21 mode", 2, 21, 0, {6}, {{136, 6}}},
      {"mode to another module", 2, 3, 0, {6}, {}},
      {"status of 12 bytes", 2, 1, 48, Data(12), Stored(154, 0, 12)},
      {"status of 4 bytes", 2, 1, 48, Data(4), Stored(166, 0, 4)},
      {"version record", 2, 1, 48, Data(6), Merge({Stored(130, 0, 5), {{147, 16}}})},
      {"sensor states", 2, 1, 53, {0b01100001, 0b00000100, 0b01000001}, {{170, 0x29}, {171, 0x09}}},
      {"supply data", 2, 1, 53, Data(11),
       Merge({Stored(140, 0, 4), {{146, 15}, {148, 16}, {149, 17}}, Stored(150, 7, 4)})},
      {"CAN info 9", 2, 1, 35, {9, 12, 13, 14, 15, 16, 17}, Stored(172, 1, 6)},
      {"CAN info 11", 2, 1, 35, {11, 12, 13, 14, 15, 16, 17, 18, 19}, Stored(182, 1, 8)},
      {"CAN info 13", 2, 1, 35, {13, 12, 13, 14, 15}, Stored(178, 1, 4)},
      {"command outside the set", 2, 1, 5, {1}, {}},
  };
  for (const auto& c : cases) Check(c);
}

TEST(MessageAreas, CanAndGps) {
  const std::vector<TMapCase> cases = {
      {"CAN accepted", 24, 0, 32, {0x85}, {{5, 0}}},
      {"CAN sent", 24, 0, 33, {0x85}, {{5, 1}}},
      {"CAN addressed is ignored", 24, 1, 33, {0x85}, {}},
      {"GPS 40", 11, 1, 40, Data(2), Stored(0, 0, 1)},
      {"GPS status", 11, 1, 48, Data(6), Stored(2, 0, 6)},
      {"GPS broadcast status ignored", 11, 0, 48, Data(6), {}},
  };
  for (const auto& c : cases) Check(c);
}

TEST(MessageAreas, Gsm) {
  std::map<int, uint8_t> keys = Stored(70, 0, 3);
  for (int i = 73; i <= 83; ++i) keys[i] = 255;
  const std::vector<TMapCase> cases = {
      {"state broadcast", 3, 0, 3, Data(2), Stored(57, 0, 2)},
      {"state addressed", 3, 1, 3, Data(2), Stored(57, 0, 2)},
      {"coordinates", 3, 1, 38, Data(9), Stored(59, 0, 9)},
      {"heater 7 bytes", 3, 1, 40, Data(7), Stored(19, 0, 7)},
      {"heater other length", 3, 1, 40, Data(6), {}},
      {"keys fill with 255", 3, 1, 43, Data(3), keys},
      {"clock", 3, 1, 44, Data(7), Stored(49, 0, 7)},
      {"status 6", 3, 1, 48, Data(6), Stored(2, 0, 6)},
      {"status other", 3, 1, 48, Data(2),
       Merge({Stored(2, 0, 2), {{4, 0}, {5, 0}, {6, 0}, {7, 0}}})},
      {"timer 1", 3, 1, 64, Data(4), Stored(33, 0, 4)},
      {"timer 4", 3, 1, 67, Data(4), Stored(45, 0, 4)},
      {"ignition", 3, 1, 70, Data(5), Stored(85, 0, 5)},
      {"broadcast clock ignored", 3, 0, 44, Data(7), {}},
  };
  for (const auto& c : cases) Check(c);
}

TEST(MessageAreas, GsmStateFollowsPowerModeBit) {
  TLanDevices devices;
  EXPECT_EQ(devices.GsmState(), 0xFF);
  TMapCase c{"", 3, 0, 3, {0x05, 0}, {}};
  devices.DispatchMessage(Message(c));  // bit 6 differs from 0xFF
  EXPECT_EQ(devices.GsmState(), 0x05);
  c.data = {0x07, 0};
  devices.DispatchMessage(Message(c));  // bit 6 unchanged
  EXPECT_EQ(devices.GsmState(), 0x05);
  c.data = {0x47, 0};
  devices.DispatchMessage(Message(c));
  EXPECT_EQ(devices.GsmState(), 0x47);
}

TEST(MessageAreas, SlaveAndTransceiver) {
  for (const uint8_t addr : {uint8_t{4}, uint8_t{5}}) {
    const std::vector<TMapCase> cases = {
        {"state addressed", addr, 1, 3, Data(2), Stored(2, 0, 1)},
        {"status", addr, 1, 48, Data(3), Stored(0, 0, 2)},
        {"state broadcast", addr, 0, 3, Data(2), Stored(2, 0, 1)},
        {"learning broadcast", addr, 0, 4, Data(2), Stored(3, 0, 1)},
        {"learning addressed ignored", addr, 1, 4, Data(2), {}},
    };
    for (const auto& c : cases) Check(c);
  }
}

TEST(MessageAreas, ValidatorAndRelayIO) {
  for (const uint8_t addr : {uint8_t{14}, uint8_t{13}}) {
    const std::vector<TMapCase> cases = {
        {"state addressed", addr, 1, 3, Data(5), Stored(2, 0, 4)},
        {"status", addr, 1, 48, Data(3), Stored(0, 0, 2)},
        {"state broadcast", addr, 0, 3, Data(5), Stored(2, 0, 3)},
        {"learning broadcast", addr, 0, 4, Data(2), Stored(5, 0, 1)},
        {"114 broadcast", addr, 0, 114, Data(2), Stored(6, 0, 1)},
    };
    for (const auto& c : cases) Check(c);
  }
  const std::vector<TMapCase> relay = {
      {"analog to PC", 13, 1, 53, Data(4), Stored(7, 0, 3)},
      {"learning end", 13, 0, 55, Data(2), Stored(10, 0, 1)},
      {"buttons", 13, 0, 56, Data(4), Stored(11, 0, 3)},
  };
  for (const auto& c : relay) Check(c);
}

TEST(MessageAreas, RemoteInputsLabelAndSensors) {
  const std::vector<TMapCase> cases = {
      {"inputs status", 15, 1, 48, Data(3), Stored(0, 0, 2)},
      {"inputs state broadcast stores nothing", 15, 0, 3, Data(3), {}},
      {"inputs 55", 15, 0, 55, Data(2), Stored(2, 0, 1)},
      {"inputs 56", 15, 0, 56, Data(2), Stored(3, 0, 1)},
      {"inputs analog to PC", 15, 1, 53, Data(2), Stored(5, 0, 1)},
      {"tag transceiver status", 25, 1, 48, Data(4), Stored(0, 0, 3)},
      {"shock state broadcast", 20, 0, 3, Data(2), Stored(2, 0, 1)},
      {"shock restart addressed", 20, 1, 0, Data(2), Stored(3, 0, 1)},
      {"shock state addressed", 20, 1, 3, Data(2), Stored(2, 0, 1)},
      {"shock status of 1 byte", 20, 1, 48, Data(1), Stored(0, 0, 1)},
      {"shock status of 2 bytes", 20, 1, 48, Data(2), Stored(0, 0, 2)},
      {"shock command outside the set", 20, 1, 5, Data(2), {}},
      {"microwave status", 22, 1, 48, Data(2), Stored(0, 0, 2)},
      {"tilt state", 23, 0, 3, Data(1), Stored(2, 0, 1)},
  };
  for (const auto& c : cases) Check(c);
}

TEST(MessageAreas, ClearAllBlanksEveryValue) {
  TLanDevices devices;
  devices.DispatchMessage(Message({"", 11, 1, 48, Data(6), {}}));
  auto* area = dynamic_cast<TMsgMemoryItem*>(devices.FindMem(11, mlMsg));
  TTestControl control(11, mlMsg, 2);
  devices.BindControls(std::vector<IBoundControl*>{&control}, {});
  area->ClearAll();
  EXPECT_EQ(control.Shown, std::vector<uint8_t>{0});
  for (const uint8_t b : area->Image()) EXPECT_EQ(b, 0);
}

}  // namespace
