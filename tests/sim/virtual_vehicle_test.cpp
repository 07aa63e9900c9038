#include "sim/virtual_vehicle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sim/virtual_adapter.h"
#include "sim/virtual_can_interface.h"
#include "sim/virtual_sensor.h"

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

  const auto tuned =
      TSimOptions::FromDescription(QStringLiteral("sim:main,gen2,nolink,silent=20,refuse=0x18"));
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

TEST(SimOptions, ParsesTheRandomFaultsOfTheLine) {
  const auto plain = TSimOptions::Parse(QString());
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->Faults.Drop, 0);
  EXPECT_EQ(plain->Faults.Corrupt, 0);
  EXPECT_TRUE(plain->Faults.Late.empty());
  EXPECT_EQ(plain->Faults.ChecksumKept, 0);
  EXPECT_EQ(plain->Faults.Seed, TSimFaults::kDefaultSeed);

  // The same text whether it comes after "sim:" or on vardex-sim's command line.
  const auto faulty = TSimOptions::FromDescription(
      QStringLiteral("sim:nolink,drop=0.01,corrupt=1:0.25,late=0.05:150,late=0.01:4000,seed=42"));
  ASSERT_TRUE(faulty);
  EXPECT_FALSE(faulty->LinkModel);
  EXPECT_DOUBLE_EQ(faulty->Faults.Drop, 0.01);
  EXPECT_DOUBLE_EQ(faulty->Faults.Corrupt, 1.0);
  EXPECT_DOUBLE_EQ(faulty->Faults.ChecksumKept, 0.25);
  using std::chrono::milliseconds;
  EXPECT_EQ(faulty->Faults.Late, (std::vector<TSimFaults::TLateness>{{0.05, milliseconds(150)},
                                                                     {0.01, milliseconds(4000)}}));
  EXPECT_EQ(faulty->Faults.Seed, 42u);

  for (const char* bad :
       {"drop", "drop=", "drop=1.5", "drop=-0.1", "drop=nan", "corrupt=x", "corrupt=0.1:2",
        "corrupt=0.1:0.5:1", "late=0.1", "late=0.1:", "late=2:10", "late=0.1:-5", "late=0.1:10:5",
        "late=0.1:100000", "seed=", "seed=-1", "seed=x", "dropped=0.1"}) {
    QString error;
    EXPECT_FALSE(TSimOptions::Parse(QString::fromLatin1(bad), &error)) << bad;
    EXPECT_TRUE(error.contains(QString::fromLatin1(bad))) << bad << ": " << error.toStdString();
  }
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

// The CAN module's record in the main module's status answer, the voltage report and the
// interface's own packets name one car and one protocol, as on a real bus, so that the pages
// showing them agree.
TEST(VirtualVehicle, EveryReportNamesTheCarTheInterfaceIsSetTo) {
  TVirtualVehicle vehicle(TSimOptions{});
  const auto canRecord = [&vehicle] {
    std::vector<uint8_t> record;
    for (const TLanMsg& reply : vehicle.Deliver(Request(2, 48))) {
      record.insert(record.end(), reply.Data.begin(), reply.Data.begin() + reply.Length);
    }
    return record;
  };
  const auto passOn = [&vehicle](std::vector<uint8_t> data) {
    return vehicle.Deliver(Request(2, TVirtualCanInterface::kPassOn, std::move(data)));
  };
  for (const auto& [group, subgroup] : {std::pair<uint8_t, uint8_t>{12, 3}, {7, 2}}) {
    if (group != 12) passOn({16, group, subgroup});
    const std::vector<uint8_t> record = canRecord();
    // The main module's own record first, then the CAN module's sixteen bytes.
    ASSERT_GE(record.size(), 16u);
    const auto can = record.end() - 16;
    EXPECT_EQ(can[6], group);
    EXPECT_EQ(can[7], subgroup);
    EXPECT_EQ(can[4], TVirtualCanInterface::kProtocol[0]);
    EXPECT_EQ(can[5], TVirtualCanInterface::kProtocol[1]);
    bool packetSeen = false;
    for (const TLanMsg& reply : passOn({62, 5})) {
      if (reply.Command != TVirtualCanInterface::kAnswer) continue;
      packetSeen = true;
      EXPECT_EQ(reply.Data[5], group);
      EXPECT_EQ(reply.Data[6], subgroup);
    }
    EXPECT_TRUE(packetSeen);
  }
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

TEST(VirtualVehicle, AMiswritingModuleConfirmsEveryPacketButStoresItsFirstByteWrong) {
  const auto options = TSimOptions::FromDescription(QStringLiteral("sim:miswrite=2"));
  ASSERT_TRUE(options);
  TVirtualVehicle vehicle(*options);
  const auto replies = vehicle.Deliver(Request(2, 81, {0x10, 0x00, 0x40, 0x41, 0x42}));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(std::vector<uint8_t>(replies[0].Data.begin(), replies[0].Data.begin() + 3),
            (std::vector<uint8_t>{3, 0x10, 0x00}))
      << "confirmed as written";
  const auto& ext = vehicle.Module(2)->Memory(kSimExt);
  EXPECT_EQ(std::vector<uint8_t>(ext.begin() + 0x10, ext.begin() + 0x13),
            (std::vector<uint8_t>{0x41, 0x41, 0x42}));
  // Every other module stores what it is sent.
  vehicle.Deliver(Request(3, 80, {0x10, 0x00, 0x40, 0x41}));
  EXPECT_EQ(vehicle.Module(3)->Memory(kSimInt)[0x10], 0x40);
  EXPECT_FALSE(TSimOptions::FromDescription(QStringLiteral("sim:miswrite=40")));
}

TEST(SimOptions, LiveTrafficFollowsTheLinkModelUnlessChosen) {
  EXPECT_TRUE(TSimOptions::FromDescription(QStringLiteral("sim"))->LiveTraffic());
  EXPECT_FALSE(TSimOptions::FromDescription(QStringLiteral("sim:nolink"))->LiveTraffic());
  EXPECT_TRUE(TSimOptions::FromDescription(QStringLiteral("sim:nolink,live"))->LiveTraffic());
  EXPECT_FALSE(TSimOptions::FromDescription(QStringLiteral("sim:quiet"))->LiveTraffic());
}

TEST(VirtualVehicle, ModulesRefusePacketsLargerThanTheirPacketSize) {
  TVirtualVehicle vehicle(TSimOptions{});
  EXPECT_EQ(vehicle.Deliver(Request(2, 88, {8, 0, 0})).size(), 1u);
  EXPECT_TRUE(vehicle.Deliver(Request(2, 88, {9, 0, 0})).empty());
  EXPECT_EQ(vehicle.Deliver(Request(25, 87, {4, 0, 0})).size(), 1u);
  EXPECT_TRUE(vehicle.Deliver(Request(25, 87, {5, 0, 0})).empty());
  EXPECT_TRUE(vehicle.Deliver(Request(25, 80, {0, 0, 1, 2, 3, 4, 5})).empty());
  EXPECT_EQ(vehicle.Module(25)->Memory(kSimInt)[4], 0);
}

TEST(VirtualVehicle, FactoryImageOfTheMainModuleEnablesThePages) {
  TVirtualVehicle third(TSimOptions{});
  const auto& ext = third.Module(2)->Memory(kSimExt);
  EXPECT_NE(ext[0] & 0x04, 0) << "third-generation configuration byte";
  for (int addr = 256; addr <= 269; ++addr) EXPECT_EQ(ext[addr], 0xFF) << addr;
  EXPECT_EQ(ext[270] & 0x03, 0x03);
  const auto& flash = third.Module(2)->Memory(kSimFlash);
  EXPECT_EQ(flash[65409], 16) << "board type";
  EXPECT_EQ(flash[65410], 5) << "initial firmware major: a Tarsk 4";
  EXPECT_EQ(flash[65474], 3) << "generation byte";

  TSimOptions options;
  options.Gen2 = true;
  TVirtualVehicle second(options);
  EXPECT_EQ(second.Module(2)->Memory(kSimExt)[0] & 0x04, 0);
  EXPECT_EQ(second.Module(2)->Memory(kSimExt)[256], 0xFF);
}

TEST(VirtualVehicle, StatusAnswersCarryTheVersionRecords) {
  TVirtualVehicle vehicle(TSimOptions{});
  auto replies = vehicle.Deliver(Request(2, 48));
  ASSERT_EQ(replies.size(), 3u);
  EXPECT_EQ(replies[0].Length, 6);
  EXPECT_EQ(replies[0].Data[0], 0x05);
  EXPECT_EQ(replies[0].Data[1], 0x34);
  EXPECT_EQ(replies[1].Length, 12);
  EXPECT_EQ(replies[1].Data[0], 1) << "the CAN module is fitted: its record is relayed";
  EXPECT_EQ(replies[2].Length, 4);
  for (const auto& reply : replies) {
    EXPECT_TRUE(reply.IsAnswer);
    EXPECT_EQ(reply.Dest, 1);
    EXPECT_EQ(reply.Command, 48);
  }

  TSimOptions options;
  options.Gen2 = true;
  options.MainOnly = true;
  TVirtualVehicle older(options);
  replies = older.Deliver(Request(2, 48));
  ASSERT_EQ(replies.size(), 3u);
  EXPECT_EQ(replies[0].Data[0], 0x04);
  EXPECT_EQ(replies[1].Data[0], 0) << "no CAN module";

  const std::vector<std::pair<int, int>> lengths = {{3, 6},  {11, 6}, {25, 3}, {4, 2},
                                                    {15, 2}, {13, 2}, {14, 2}, {5, 2},
                                                    {20, 2}, {21, 2}, {22, 2}, {23, 2}};
  for (const auto& [address, length] : lengths) {
    replies = vehicle.Deliver(Request(static_cast<uint8_t>(address), 48));
    ASSERT_EQ(replies.size(), 1u) << address;
    EXPECT_EQ(replies[0].Length, length) << address;
    EXPECT_NE(replies[0].Data[0], 0) << address;
  }
  EXPECT_TRUE(vehicle.Deliver(Request(24, 48)).empty());
}

TEST(VirtualVehicle, CommandZeroIsANoticeOrASensorMode) {
  TVirtualVehicle vehicle(TSimOptions{});
  auto notice = Request(2, 0, {32});
  notice.AnswerRequested = 0;
  EXPECT_TRUE(vehicle.Deliver(notice).empty());
  EXPECT_EQ(vehicle.Module(2)->EndNotices, 1);
  EXPECT_EQ(vehicle.Module(2)->LastEndParam, 32);

  auto mode = Request(21, 0, {3});
  mode.AnswerRequested = 0;
  vehicle.Deliver(mode);
  EXPECT_EQ(vehicle.Module(21)->EndNotices, 0);
  EXPECT_EQ(static_cast<TVirtualSensor*>(vehicle.Module(21))->OperatingMode(), 3);

  auto tilt = Request(23, 0, {32});
  tilt.AnswerRequested = 0;
  vehicle.Deliver(tilt);
  EXPECT_EQ(vehicle.Module(23)->EndNotices, 1);
}

// The messages of a list with a given source and command.
std::vector<TLanMsg> Select(const std::vector<TLanMsg>& messages, int source, int command) {
  std::vector<TLanMsg> selected;
  for (const auto& m : messages) {
    if (m.Source == source && m.Command == command) selected.push_back(m);
  }
  return selected;
}

TEST(VirtualVehicle, ScenarioChangesTheCarAndTheModulesReportIt) {
  TVirtualVehicle vehicle(TSimOptions{});
  auto& main = *vehicle.MainModule();

  auto sent = vehicle.Perform(TSimAction::Arm);
  auto modes = Select(sent, 2, 7);
  ASSERT_EQ(modes.size(), 1u);
  EXPECT_EQ(modes[0].Dest, 0);
  EXPECT_EQ(modes[0].Data[0] & 0x0F, 2);
  auto can = Select(sent, 24, 33);
  ASSERT_EQ(can.size(), 1u) << "the CAN module locks the doors when it hears the mode";
  EXPECT_EQ(can[0].Data[0], 1);
  EXPECT_TRUE(vehicle.Perform(TSimAction::Arm).empty()) << "already armed";

  sent = vehicle.Perform(TSimAction::StartEngine);
  EXPECT_EQ(main.Mode(), TVirtualMainModule::kModeRemoteStart);
  EXPECT_TRUE(main.EngineRunning());
  EXPECT_TRUE(main.Ignition());
  std::vector<uint8_t> inputs;
  for (const auto& m : Select(sent, 2, 3)) inputs.push_back(m.Data[0]);
  EXPECT_NE(std::find(inputs.begin(), inputs.end(), 0x83), inputs.end()) << "ignition on";
  EXPECT_NE(std::find(inputs.begin(), inputs.end(), 0xA8), inputs.end()) << "charge lamp on";
  EXPECT_GT(main.VoltageCode(), 90) << "the generator charges";

  vehicle.Perform(TSimAction::StopEngine);
  EXPECT_FALSE(main.EngineRunning());
  EXPECT_FALSE(main.Ignition()) << "the ignition was the remote start's";
  EXPECT_EQ(main.Mode(), TVirtualMainModule::kModeArmed);

  sent = vehicle.Perform(TSimAction::Disarm);
  EXPECT_EQ(main.Mode(), TVirtualMainModule::kModeDisarmed);
  ASSERT_EQ(Select(sent, 24, 33).size(), 1u);
  EXPECT_EQ(Select(sent, 24, 33)[0].Data[0], 2);

  vehicle.Perform(TSimAction::IgnitionOn);
  vehicle.Perform(TSimAction::StartEngine);
  sent = vehicle.Perform(TSimAction::IgnitionOff);
  EXPECT_FALSE(main.EngineRunning()) << "switching the ignition off stops the engine";
  EXPECT_EQ(Select(sent, 2, 2).back().Data[0], 59);
}

TEST(VirtualVehicle, PcCommandsDriveTheScenario) {
  TVirtualVehicle vehicle(TSimOptions{});
  auto replies = vehicle.Deliver(Request(2, 96));
  ASSERT_FALSE(replies.empty());
  EXPECT_TRUE(replies[0].IsAnswer);
  EXPECT_EQ(vehicle.MainModule()->Mode(), TVirtualMainModule::kModeArmed);
  vehicle.Deliver(Request(2, 106));
  EXPECT_TRUE(vehicle.MainModule()->EngineRunning());
  // With data, 112 is about learning, not the engine.
  vehicle.Deliver(Request(2, 112, {1}));
  EXPECT_TRUE(vehicle.MainModule()->EngineRunning());
  vehicle.Deliver(Request(2, 112));
  EXPECT_FALSE(vehicle.MainModule()->EngineRunning());
  vehicle.Deliver(Request(2, 99));
  EXPECT_EQ(vehicle.MainModule()->Mode(), TVirtualMainModule::kModeDisarmed);

  replies = vehicle.Deliver(Request(2, 53));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].Length, 11);
  EXPECT_GT(replies[0].Data[0], 80) << "a healthy battery lights the voltage lamp";
}

TEST(VirtualVehicle, SilentModulesNeitherAnswerNorTalk) {
  TSimOptions options;
  options.Silent = {2};
  TVirtualVehicle vehicle(options);
  EXPECT_TRUE(vehicle.Perform(TSimAction::Arm).empty());
  for (const auto& stream : vehicle.MainModule()->LiveStreams()) {
    EXPECT_TRUE(vehicle.Speak(*vehicle.MainModule(), stream.Id).empty());
  }
}

TEST(VirtualAdapter, WireTimeIsElevenBitsAByteAtTheBaudRate) {
  const auto time = TVirtualAdapter::WireTime(7);
  const double micros = std::chrono::duration<double, std::micro>(time).count();
  EXPECT_NEAR(micros, 7 * 11 * 1e6 / 115200, 1.0);
}

}  // namespace
