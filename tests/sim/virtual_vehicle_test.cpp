#include "sim/virtual_vehicle.h"

#include <gtest/gtest.h>

#include "sim/virtual_adapter.h"

namespace {

TLanMsg Request(uint8_t dest, uint8_t command, std::vector<uint8_t> data = {}) {
  TLanMsg m;
  m.Source = 1;
  m.Dest = dest;
  m.Command = command;
  m.AnswerRequested = 1;
  m.Length = static_cast<uint8_t>(data.size());
  std::copy(data.begin(), data.end(), m.Data.begin());
  return m;
}

TEST(SimOptions, ParsesTheOptionList) {
  const auto all = TSimOptions::FromDescription(QStringLiteral("sim"));
  ASSERT_TRUE(all);
  EXPECT_FALSE(all->MainOnly);
  EXPECT_TRUE(all->LinkModel);

  const auto tuned = TSimOptions::FromDescription(
      QStringLiteral("sim:main,gen2,nolink,silent=20,refuse=0x18"));
  ASSERT_TRUE(tuned);
  EXPECT_TRUE(tuned->MainOnly);
  EXPECT_TRUE(tuned->Gen2);
  EXPECT_FALSE(tuned->LinkModel);
  EXPECT_TRUE(tuned->Silent.contains(20));
  EXPECT_TRUE(tuned->Refused.contains(24));

  for (const char* bad : {"sim:fast", "sim:silent=", "sim:silent=40", "sim:refuse=x"}) {
    QString error;
    EXPECT_FALSE(TSimOptions::FromDescription(QString::fromLatin1(bad), &error)) << bad;
    EXPECT_FALSE(error.isEmpty()) << bad;
  }
  EXPECT_FALSE(TSimOptions::IsSimDescription(QStringLiteral("simulator")));
}

TEST(VirtualVehicle, ModulesAnswerTheProtocolCommands) {
  TVirtualVehicle vehicle(TSimOptions{});
  ASSERT_EQ(vehicle.Modules().size(), kVirtualModuleTable.size());

  auto replies = vehicle.Deliver(Request(2, 81, {0x10, 0x00, 1, 2, 3}));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].Length, 3);
  EXPECT_EQ(replies[0].Data[0], 3);
  EXPECT_EQ(replies[0].Data[1], 0x10);

  replies = vehicle.Deliver(Request(2, 88, {3, 0x10, 0x00}));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].Length, 3);
  EXPECT_EQ(replies[0].Data[2], 3);

  // Out of the area: no answer, nothing written.
  EXPECT_TRUE(vehicle.Deliver(Request(2, 81, {0xFF, 0x03, 1, 2})).empty());
  EXPECT_TRUE(vehicle.Deliver(Request(2, 88, {8, 0xFC, 0x03})).empty());

  vehicle.Module(21)->Memory(kSimRam)[5] = 0x77;
  replies = vehicle.Deliver(Request(21, 85, {5}));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].Data[0], 0x77);

  replies = vehicle.Deliver(Request(0, 1));
  EXPECT_EQ(replies.size(), kVirtualModuleTable.size());
}

TEST(VirtualVehicle, AccessAndSilenceFollowTheOptions) {
  TSimOptions options;
  options.Refused = {3};
  options.Silent = {20};
  TVirtualVehicle vehicle(options);
  auto replies = vehicle.Deliver(Request(3, 0));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].Data[0] & 0x10, 0x10);
  replies = vehicle.Deliver(Request(2, 0));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].Data[0] & 0x10, 0);
  EXPECT_TRUE(vehicle.Deliver(Request(20, 1)).empty());

  TSimOptions mainOnly;
  mainOnly.MainOnly = true;
  EXPECT_EQ(TVirtualVehicle(mainOnly).Modules().size(), 1u);
}

TEST(VirtualAdapter, WireTimeIsElevenBitsAByteAtTheBaudRate) {
  const auto time = TVirtualAdapter::WireTime(7);
  const double micros = std::chrono::duration<double, std::micro>(time).count();
  EXPECT_NEAR(micros, 7 * 11 * 1e6 / 115200, 1.0);
}

}  // namespace
