#include <gtest/gtest.h>

#include <memory>

#include "link/adapter.h"
#include "memory/ee_memory_item.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/msg_memory_item.h"
#include "memory/user_questions.h"
#include "sim_link.h"
#include "test_control.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

class TRecordingQuestions : public IUserQuestions {
 public:
  TUserAnswer AskStep(const QString& text) override {
    asked.push_back(text);
    return answers.empty() ? TUserAnswer::No : answers[asked.size() - 1];
  }
  void ShowError(const QString& text) override { errors.push_back(text); }

  std::vector<TUserAnswer> answers;
  std::vector<QString> asked;
  std::vector<QString> errors;
};

class LanTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vehicle = MakeTestVehicle();
    auto sink = std::make_unique<TMemoryJournal>();
    journal = sink.get();
    adapter = ConnectTo(vehicle, std::move(sink));
    ASSERT_TRUE(adapter->IsConnected());
    adapter->SetOnDeviceMessage(
        [this](TAdapter&, const TLanMsg& msg) { devices.DispatchMessage(msg); });

    rw.SetAdapter(adapter.get());
    rw.SetClearDirtyAfterWrite(true);
    rw.SetLocations(kPersistentLocations);
    rw.SetUserQuestions(&questions);
    devices.SetRW(&rw);
    devices.SetUserQuestions(&questions);
  }

  void TearDown() override { devices.SetRW(nullptr); }

  void Bind(std::vector<TTestControl*> controls) {
    std::vector<IBoundControl*> list(controls.begin(), controls.end());
    devices.BindControls(list, {});
  }

  // The requests the PC sent with `command` since the last call, as their data bytes.
  std::vector<std::vector<uint8_t>> Sent(uint8_t command) {
    std::vector<std::vector<uint8_t>> requests;
    for (const auto& msg : vehicle->TakeSentByPc()) {
      if (msg.Command == command)
        requests.emplace_back(msg.Data.begin(), msg.Data.begin() + msg.Length);
    }
    return requests;
  }

  std::vector<uint8_t>& SimMemory(int addr, int loc) {
    return *vehicle->WithVehicle([&](TVirtualVehicle& v) { return &v.Module(addr)->Memory(loc); });
  }
  int EndNotices(int addr) {
    return vehicle->WithVehicle([&](TVirtualVehicle& v) { return v.Module(addr)->EndNotices; });
  }

  TLanDevice& Main() { return *devices.FindDevice(2); }

  std::shared_ptr<TVirtualAdapter> vehicle;
  std::unique_ptr<TAdapter> adapter;
  TMemoryJournal* journal = nullptr;
  TRecordingQuestions questions;
  TLanRW rw;
  TLanDevices devices;
};

std::vector<uint8_t> Bytes(int from, int count) {
  std::vector<uint8_t> v;
  for (int i = 0; i < count; ++i) v.push_back(static_cast<uint8_t>(from + i));
  return v;
}

std::vector<uint8_t> Packet(int address, std::vector<uint8_t> bytes) {
  bytes.insert(bytes.begin(),
               {static_cast<uint8_t>(address & 0xFF), static_cast<uint8_t>(address >> 8)});
  return bytes;
}

TEST_F(LanTransferTest, WriteSendsPacketsPerRunThenTheEndNotice) {
  TTestControl control(2, mlExt, 16, 20);
  Bind({&control});
  devices.ReadDevice(&Main(), {mlExt}, {});
  ASSERT_TRUE(devices.FindMem(2, mlExt)->IsLoaded());
  vehicle->TakeSentByPc();

  control.Value = Bytes(100, 20);
  std::vector<std::pair<int, int>> progress;
  devices.WriteDevice(&Main(), {mlExt}, [&](const QString&, int done, int total) {
    progress.emplace_back(done, total);
  });

  const auto sent = vehicle->TakeSentByPc();
  std::vector<std::vector<uint8_t>> writes;
  for (const auto& msg : sent) {
    if (msg.Command == 81) writes.emplace_back(msg.Data.begin(), msg.Data.begin() + msg.Length);
  }
  EXPECT_EQ(writes,
            (std::vector<std::vector<uint8_t>>{Packet(16, Bytes(100, 8)), Packet(24, Bytes(108, 8)),
                                               Packet(32, Bytes(116, 4))}));
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back().Command, 0);
  EXPECT_EQ(sent.back().Length, 1);
  EXPECT_EQ(sent.back().Data[0], 32);
  EXPECT_EQ(EndNotices(2), 1);
  EXPECT_EQ(
      std::vector<uint8_t>(SimMemory(2, kSimExt).begin() + 16, SimMemory(2, kSimExt).begin() + 36),
      Bytes(100, 20));
  EXPECT_FALSE(Main().AnyModified({mlExt}));
  EXPECT_EQ(progress.back(), std::make_pair(20, 20));
}

TEST_F(LanTransferTest, GsmSettingsAreReadInTwoPackets) {
  auto& memory = SimMemory(3, kSimInt);
  for (int i = 0; i < 16; ++i) memory[static_cast<size_t>(i)] = static_cast<uint8_t>(0x30 + i);
  TTestControl control(3, mlInt, 0, 16);
  Bind({&control});
  devices.ReadDevice(devices.FindDevice(3), {mlInt}, {});

  EXPECT_EQ(Sent(87), (std::vector<std::vector<uint8_t>>{{8, 0, 0}, {8, 8, 0}}));
  EXPECT_EQ(control.Shown, Bytes(0x30, 16));
  EXPECT_TRUE(devices.FindMem(3, mlInt)->IsLoaded());
}

TEST_F(LanTransferTest, NothingChangedSendsNothingNotEvenTheEndNotice) {
  TTestControl control(2, mlExt, 0, 4);
  Bind({&control});
  devices.ReadDevice(&Main(), {mlExt}, {});
  vehicle->TakeSentByPc();
  control.Value = control.Shown;
  devices.WriteDevice(&Main(), kPersistentLocations, {});
  for (const auto& msg : vehicle->TakeSentByPc()) {
    EXPECT_NE(msg.Command, 81);
    EXPECT_NE(msg.Command, 0);
  }
  EXPECT_EQ(EndNotices(2), 0);
}

TEST_F(LanTransferTest, MainFlashIsReadByGeneration) {
  TTestControl control(2, mlFlash, 0, 8);
  Bind({&control});

  // The main module reports its version record (generation 2) in its status.
  TLanMsg status;
  status.Source = 2;
  status.Dest = 1;
  status.Command = 48;
  status.IsAnswer = 1;
  status.Length = 6;
  status.Data = {2, 17};
  vehicle->SendFromModule(status);
  ASSERT_TRUE(SpinUntil([&] { return devices.MainGeneration() == 2; }));
  devices.ReadDevice(&Main(), {mlFlash}, {});
  EXPECT_TRUE(Sent(90).empty());
  EXPECT_EQ(devices.FindMem(2, mlFlash)->Size(), 0);

  devices.SetMainGeneration(3);
  devices.FindMem(2, mlFlash)->SetLoaded(false);
  devices.ReadDevice(&Main(), {mlFlash}, {});
  EXPECT_EQ(Sent(90), (std::vector<std::vector<uint8_t>>{{8, 0, 0}}));
  EXPECT_EQ(devices.FindMem(2, mlFlash)->Size(), 65536);
}

TEST_F(LanTransferTest, MicrowaveSensorIsReadByteByByte) {
  auto& ram = SimMemory(21, kSimRam);
  for (int i = 0; i < 4; ++i) ram[static_cast<size_t>(i)] = static_cast<uint8_t>(0xA0 + i);
  TTestControl control(21, mlRam, 0, 4);
  Bind({&control});
  devices.ReadDevice(devices.FindDevice(21), {mlRam}, {});
  EXPECT_EQ(Sent(85), (std::vector<std::vector<uint8_t>>{{0}, {1}, {2}, {3}}));
  EXPECT_EQ(control.Shown, Bytes(0xA0, 4));
}

TEST_F(LanTransferTest, WriteThatLosesAnAnswerKeepsItsMarksAndSucceedsNextTime) {
  TTestControl control(2, mlExt, 16, 20);
  Bind({&control});
  devices.ReadDevice(&Main(), {mlExt}, {});
  control.Value = Bytes(100, 20);
  vehicle->TakeSentByPc();

  vehicle->DropFramesToPc(TAdapter::kTries);  // every try of the first packet
  devices.WriteDevice(&Main(), {mlExt}, {});
  EXPECT_EQ(questions.errors, std::vector<QString>{QStringLiteral(
                                  "Не удалось записать данные в устройство, повторите запись")});
  const auto* area = devices.FindMem(2, mlExt);
  for (int i = 16; i < 36; ++i) EXPECT_EQ(area->IsChanged(i), i < 24) << i;
  EXPECT_TRUE(Main().AnyModified({mlExt}));

  vehicle->TakeSentByPc();
  devices.WriteDevice(&Main(), {mlExt}, {});
  EXPECT_EQ(Sent(81), (std::vector<std::vector<uint8_t>>{Packet(16, Bytes(100, 8))}));
  EXPECT_FALSE(Main().AnyModified({mlExt}));
  EXPECT_EQ(
      std::vector<uint8_t>(SimMemory(2, kSimExt).begin() + 16, SimMemory(2, kSimExt).begin() + 36),
      Bytes(100, 20));
}

TEST_F(LanTransferTest, VerifiedWriteReadsBackWhatItSentAndKeepsTheMarksOfAnAreaThatDiffers) {
  TTestControl control(2, mlExt, 16, 20);
  Bind({&control});
  devices.ReadDevice(&Main(), {mlExt}, {});
  rw.SetVerifyWrites(true);
  const auto* area = devices.FindMem(2, mlExt);
  const auto write = [&](int from) {
    control.Value = Bytes(from, 20);
    vehicle->TakeSentByPc();
    devices.WriteDevice(&Main(), {mlExt}, {});
  };

  write(100);
  EXPECT_EQ(Sent(88), (std::vector<std::vector<uint8_t>>{{8, 16, 0}, {8, 24, 0}, {4, 32, 0}}))
      << "the runs written, read back";
  EXPECT_TRUE(questions.errors.empty());
  EXPECT_FALSE(Main().AnyModified({mlExt}));
  EXPECT_EQ(area->WriteMismatch(), std::nullopt);

  // A module that confirms each packet but stores its first byte wrong.
  vehicle->WithVehicle([](TVirtualVehicle& v) { v.Module(2)->Miswrite = true; });
  write(50);
  EXPECT_EQ(
      questions.errors,
      std::vector<QString>{QStringLiteral(
          "Ошибка проверки записи: \"Главный модуль : Память настроек\"\nДанные, "
          "прочитанные из устройства, отличаются от записанных, начиная с адреса 16 (0x10)")});
  EXPECT_EQ(area->WriteMismatch(), 16);
  for (int i = 16; i < 36; ++i) EXPECT_TRUE(area->IsChanged(i)) << i;
  EXPECT_TRUE(Main().AnyModified({mlExt}));
  EXPECT_EQ(EndNotices(2), 2) << "what was written still takes effect";

  // Mended, the module gets everything again and it reads back as sent.
  vehicle->WithVehicle([](TVirtualVehicle& v) { v.Module(2)->Miswrite = false; });
  questions.errors.clear();
  write(50);
  EXPECT_TRUE(questions.errors.empty());
  EXPECT_FALSE(Main().AnyModified({mlExt}));
  EXPECT_EQ(
      std::vector<uint8_t>(SimMemory(2, kSimExt).begin() + 16, SimMemory(2, kSimExt).begin() + 36),
      Bytes(50, 20));
}

TEST_F(LanTransferTest, ReadThatFailsStopsThatArea) {
  TTestControl first(2, mlExt, 0);
  TTestControl second(2, mlExt, 100);
  Bind({&first, &second});
  // Probed now, the module counts as present during the read whose answers get lost.
  ASSERT_TRUE(Main().IsPresent());
  vehicle->TakeSentByPc();
  vehicle->DropFramesToPc(TAdapter::kTries);
  devices.ReadDevice(&Main(), {mlExt}, {});

  EXPECT_EQ(Sent(88), (std::vector<std::vector<uint8_t>>(TAdapter::kTries, {1, 0, 0})));
  EXPECT_EQ(questions.errors, std::vector<QString>{QStringLiteral(
                                  "Ошибка чтения данных устройства, начните чтение с начала")});
  EXPECT_EQ(rw.ReadErrors(), 1);
  EXPECT_TRUE(devices.FindMem(2, mlExt)->IsLoaded());
  EXPECT_EQ(first.Loads, 0);
  EXPECT_EQ(second.Loads, 0);
}

TEST_F(LanTransferTest, FailingStepAsksAndGoesOnOrAbandons) {
  struct TCase {
    TUserAnswer answer;
    bool raises;
  };
  for (const TCase c : {TCase{TUserAnswer::Yes, false}, TCase{TUserAnswer::No, true},
                        TCase{TUserAnswer::Cancel, true}}) {
    TLanDevices registry;
    registry.SetRW(&rw);
    TRecordingQuestions asked;
    asked.answers = {c.answer};
    registry.SetUserQuestions(&asked);
    TTestControl broken(2, mlExt, 0);
    TTestControl flash(2, mlFlash, 0);
    registry.BindControls(std::vector<IBoundControl*>{&broken, &flash}, {});
    registry.SetDefaultsDevice(registry.FindDevice(2), kPersistentLocations, {});
    broken.FailOnStore = true;
    flash.Value = {9};

    if (c.raises) {
      EXPECT_THROW(registry.WriteDevice(registry.FindDevice(2), kPersistentLocations, {}),
                   std::runtime_error);
    } else {
      registry.WriteDevice(registry.FindDevice(2), kPersistentLocations, {});
    }
    ASSERT_EQ(asked.asked.size(), 1u);
    EXPECT_EQ(asked.asked[0], QStringLiteral("Элемент недоступен: \"Главный модуль : Память "
                                             "настроек\"\r\n Продолжить запись?"));
    EXPECT_EQ(flash.Stores, c.raises ? 0 : 1) << "the next area is written only after Yes";
    registry.SetRW(nullptr);
  }
}

TEST_F(LanTransferTest, ReadQuestionRepeatsTheSameArea) {
  struct TThrowOnce : TTestControl {
    using TTestControl::TTestControl;
    void Load() override {
      if (!thrown) {
        thrown = true;
        throw std::runtime_error("load failed");
      }
      TTestControl::Load();
    }
    bool thrown = false;
  } control(2, mlExt, 0);
  Bind({&control});
  questions.answers = {TUserAnswer::Yes};
  devices.ReadDevice(&Main(), {mlExt}, {});
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(questions.asked[0], QStringLiteral("Ошибка при чтении: \"Главный модуль : Память "
                                               "настроек\"\r\n Повторить чтение?"));
  EXPECT_EQ(control.Loads, 1);
}

TEST_F(LanTransferTest, PresenceIsProbedOncePerSecond) {
  std::chrono::milliseconds now{5000};
  devices.SetClock([&] { return now; });
  vehicle->TakeSentByPc();
  EXPECT_TRUE(Main().IsPresent());
  EXPECT_TRUE(Main().IsPresent());
  EXPECT_EQ(Sent(3).size(), 1u);
  now += 999ms;
  EXPECT_TRUE(Main().IsPresent());
  EXPECT_TRUE(Sent(3).empty());
  now += 1ms;
  EXPECT_TRUE(Main().IsPresent());
  EXPECT_EQ(Sent(3).size(), 1u);
  EXPECT_FALSE(adapter->RaiseOnNoAnswer());
}

TEST_F(LanTransferTest, SilentModuleIsAbsentAndItsAreasNotLoaded) {
  vehicle->WithVehicle([](TVirtualVehicle& v) { v.Module(3)->Silent = true; });
  TLanDevice& gsm = *devices.FindDevice(3);
  gsm.FindItem(mlInt)->SetLoaded(true);
  EXPECT_FALSE(gsm.IsPresent());
  EXPECT_FALSE(gsm.FindItem(mlInt)->IsLoaded());
  EXPECT_FALSE(gsm.IsAccessible());
  EXPECT_FALSE(adapter->RaiseOnNoAnswer());
}

TEST_F(LanTransferTest, RefusedAccessIsJournalledAsErrorNine) {
  ASSERT_TRUE(Main().IsPresent());
  EXPECT_TRUE(Main().IsAccessible());
  EXPECT_EQ(journal->CountErrors(kErrAccessDenied), 0);

  vehicle->WithVehicle([](TVirtualVehicle& v) { v.Module(2)->RefuseAccess = true; });
  EXPECT_FALSE(Main().IsAccessible());
  ASSERT_EQ(journal->CountErrors(kErrAccessDenied), 1);
  for (const auto& entry : journal->Entries()) {
    if (entry.IsError && entry.Number == kErrAccessDenied) {
      EXPECT_EQ(entry.Text, QStringLiteral("\"Главный модуль\": отказано в доступе"));
    }
  }
}

TEST_F(LanTransferTest, TransfersOnAnUnavailableLinkCountAsMissingAnswers) {
  rw.SetDevice(&Main());
  rw.SetItem(devices.FindMem(2, mlExt));
  adapter->Disconnect();
  std::array<uint8_t, 8> buffer{};
  rw.ResetReadErrors();
  EXPECT_FALSE(rw.Read(0, buffer));
  EXPECT_EQ(rw.ReadErrors(), 1);
  const uint8_t bytes[] = {1, 2, 3};
  EXPECT_EQ(rw.Write(10, bytes), (TClusterList{{10, 3}}));
  EXPECT_EQ(questions.errors.size(), 2u);
}

TEST_F(LanTransferTest, SlaveFlashWritesAreVerifiedByCountAndAddress) {
  TTestControl control(4, mlFlash, 300, 10);
  Bind({&control});
  devices.ReadDevice(devices.FindDevice(4), {mlFlash}, {});
  control.Value = Bytes(1, 10);
  EXPECT_NO_THROW(devices.WriteDevice(devices.FindDevice(4), {mlFlash}, {}));
  EXPECT_TRUE(questions.asked.empty());
  EXPECT_FALSE(devices.FindDevice(4)->AnyModified({mlFlash}));
  EXPECT_EQ(SimMemory(4, kSimFlash)[309], 10);
}

TEST_F(LanTransferTest, StatusRequestsAreQueuedInOrder) {
  auto* area = dynamic_cast<TMsgMemoryItem*>(devices.FindMem(3, mlMsg));
  area->RequestUpdate();
  EXPECT_TRUE(area->IsLoaded());
  vehicle->TakeSentByPc();
  for (int i = 0; i < 5; ++i) adapter->ProcessQueue();
  std::vector<int> commands;
  for (const auto& msg : vehicle->TakeSentByPc()) {
    EXPECT_EQ(msg.Dest, 3);
    commands.push_back(msg.Command);
  }
  EXPECT_EQ(commands, (std::vector<int>{48, 64, 65, 66, 67}));
}

}  // namespace

namespace {

// An answer that comes after the answer window belongs to a request that was already tried
// again: it must never be taken for the answer to the next packet, whose bytes it does not hold.
TEST_F(LanTransferTest, LateAnswerOfARetriedPacketNeverPassesForTheNextOne) {
  std::vector<uint8_t>& memory = SimMemory(2, kSimExt);
  for (size_t i = 0; i < 64; ++i) memory[i] = static_cast<uint8_t>(i * 7 + 1);
  TTestControl control(2, mlExt, 0, 64);
  Bind({&control});
  ASSERT_TRUE(Main().IsPresent());
  // Every answer takes 20 ms; the first one 150 ms, past the 100 ms window, so it arrives
  // while a later packet waits for its own answer.
  vehicle->SetExtraAnswerDelay(20ms);
  vehicle->DelayAnswers(1, 150ms);
  devices.ReadDevice(&Main(), {mlExt}, {});
  vehicle->SetExtraAnswerDelay(0ms);

  const auto image = devices.FindMem(2, mlExt)->Image();
  EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 64),
            std::vector<uint8_t>(memory.begin(), memory.begin() + 64));
  EXPECT_TRUE(questions.errors.empty());
}

// An answer held past every answer window (here 450 ms) still never passes for a later
// packet's: until it comes the later packets are asked in other lengths.
TEST_F(LanTransferTest, AnAnswerLaterThanEveryWaitNeverPassesForALaterPacket) {
  std::vector<uint8_t>& memory = SimMemory(2, kSimExt);
  for (size_t i = 0; i < 128; ++i) memory[i] = static_cast<uint8_t>(i * 7 + 1);
  TTestControl control(2, mlExt, 0, 128);
  Bind({&control});
  ASSERT_TRUE(Main().IsPresent());
  vehicle->SetExtraAnswerDelay(20ms);
  vehicle->DelayAnswers(1, 450ms);
  devices.ReadDevice(&Main(), {mlExt}, {});
  vehicle->SetExtraAnswerDelay(0ms);

  const auto image = devices.FindMem(2, mlExt)->Image();
  EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 128),
            std::vector<uint8_t>(memory.begin(), memory.begin() + 128));
  EXPECT_TRUE(questions.errors.empty());
}

// Answers held 400 ms and 1.5 s, past two answer windows, on a module whose memory mostly
// repeats: a late answer to another packet of the same length agrees with most of the packet it
// would pass for. Whatever the faults, no read reported done holds a byte the module does not.
TEST(LanTransferLateLine, NoLateAnswerPassesForAnotherPacketHoweverLate) {
  struct TCase {
    const char* Line;
    int Address;
    int Bytes;
  };
  const TCase cases[] = {
      {"late=0.1:400,seed=505", 2, 512},   // packets of 8
      {"late=0.1:1500,seed=7", 2, 256},    // later than any fixed wait short of seconds
      {"late=0.15:400,seed=11", 23, 128},  // the tilt sensor: packets of 4
      {"drop=0.03,late=0.1:400,seed=3", 25, 128},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line);
    const auto vehicle = MakeTestVehicle(*TSimOptions::Parse(QString::fromLatin1(c.Line)));
    const auto adapter = ConnectTo(vehicle);
    ASSERT_TRUE(adapter->IsConnected());
    TRecordingQuestions questions;
    TLanRW rw;
    rw.SetAdapter(adapter.get());
    rw.SetUserQuestions(&questions);
    TLanDevices devices;
    devices.SetRW(&rw);
    devices.SetUserQuestions(&questions);
    TLanDevice* device = devices.FindDevice(c.Address);
    ASSERT_NE(device, nullptr);
    const TMemoryLocation location = c.Address == 2 ? mlExt : mlInt;
    std::vector<uint8_t>& memory = *vehicle->WithVehicle([&](TVirtualVehicle& v) {
      return &v.Module(c.Address)->Memory(location == mlExt ? kSimExt : kSimInt);
    });
    // Mostly one value; now and then a byte of its own, often at a packet's end.
    for (size_t i = 0; i < memory.size(); ++i)
      memory[i] = i % 7 == 3 ? static_cast<uint8_t>(0x80 + i % 101) : 0x5A;

    rw.SetDevice(device);
    rw.SetItem(devices.FindMem(c.Address, location));
    std::vector<uint8_t> bytes(static_cast<size_t>(c.Bytes));
    int reads = 0;
    for (int round = 0; round < 4; ++round) {
      std::fill(bytes.begin(), bytes.end(), 0);
      if (!rw.Read(0, bytes)) continue;
      ++reads;
      EXPECT_EQ(bytes, std::vector<uint8_t>(memory.begin(), memory.begin() + c.Bytes))
          << "round " << round;
    }
    // Late answers are not lost ones: the reads get through.
    EXPECT_GT(reads, 0);
    devices.SetRW(nullptr);
  }
}

// A single-byte read answer names neither address nor length: one that comes late must not
// pass for the next byte's.
TEST_F(LanTransferTest, LateSingleByteAnswerNeverPassesForTheNextByte) {
  std::vector<uint8_t>& ram = SimMemory(21, kSimRam);
  for (size_t i = 0; i < ram.size(); ++i) ram[i] = static_cast<uint8_t>(0x30 + i);
  rw.SetDevice(devices.FindDevice(21));
  rw.SetItem(devices.FindMem(21, mlRam));
  std::vector<uint8_t> bytes(24);
  // Every answer takes 30 ms, so that a request is nearly always waiting when the late one
  // comes.
  vehicle->SetExtraAnswerDelay(30ms);
  vehicle->DelayAnswers(1, 450ms);
  const bool read = rw.Read(0, bytes);
  vehicle->SetExtraAnswerDelay(0ms);
  ASSERT_TRUE(read);
  EXPECT_EQ(bytes, std::vector<uint8_t>(ram.begin(), ram.begin() + 24));
}

// A poor line of the simulator: requests and answers lost or garbled, answers held past the
// answer window. The tries of the link and its waiting out of late answers still bring exactly
// the module's bytes.
TEST(LanTransferFaultyLine, AReadThroughAPoorLineReturnsExactlyTheModulesBytes) {
  const auto vehicle =
      MakeTestVehicle(*TSimOptions::Parse(QStringLiteral("drop=0.02,corrupt=0.02,late=0.03:150")));
  auto sink = std::make_unique<TMemoryJournal>();
  const TMemoryJournal& journal = *sink;
  const auto adapter = ConnectTo(vehicle, std::move(sink));
  ASSERT_TRUE(adapter->IsConnected());
  TRecordingQuestions questions;
  TLanRW rw;
  rw.SetAdapter(adapter.get());
  rw.SetUserQuestions(&questions);
  TLanDevices devices;
  devices.SetRW(&rw);
  devices.SetUserQuestions(&questions);

  std::vector<uint8_t>& memory =
      *vehicle->WithVehicle([](TVirtualVehicle& v) { return &v.Module(2)->Memory(kSimExt); });
  for (size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<uint8_t>(i * 37 + i / 256);
  constexpr int kBytes = 512;  // 32 packets
  TTestControl control(2, mlExt, 0, kBytes);
  std::vector<IBoundControl*> bound = {&control};
  devices.BindControls(bound, {});
  const int framesBefore = vehicle->FramesFromPc();
  devices.ReadDevice(devices.FindDevice(2), {mlExt}, {});

  EXPECT_TRUE(questions.errors.empty()) << questions.errors.front().toStdString();
  EXPECT_TRUE(devices.FindMem(2, mlExt)->IsLoaded());
  EXPECT_EQ(control.Shown, std::vector<uint8_t>(memory.begin(), memory.begin() + kBytes));
  // The line did fail: more requests than packets, and garbled answers journalled.
  EXPECT_GT(vehicle->FramesFromPc() - framesBefore, kBytes / 16 + 2);
  EXPECT_TRUE(SpinUntil([&] { return journal.CountErrors(kErrBadFormat) > 0; }, 1s));
  devices.SetRW(nullptr);
}

}  // namespace

namespace {

// Cancels once the PC has sent `frames` more frames: the user pressing "Отмена" while a given
// packet is on its way.
class TCancelAfterFrames : public ITransferContext {
 public:
  TCancelAfterFrames(const TVirtualAdapter& vehicle, int frames)
      : vehicle_(vehicle), limit_(vehicle.FramesFromPc() + frames) {}
  void OnOwner(const std::function<void()>& step) const override { step(); }
  void Report(std::function<void()> step) const override { step(); }
  bool Cancelled() const override { return vehicle_.FramesFromPc() >= limit_; }

 private:
  const TVirtualAdapter& vehicle_;
  int limit_;
};

// Silences a module once the PC has sent `frames` more frames: from then on the module takes
// no packet.
class TSilenceAfterFrames : public ITransferContext {
 public:
  TSilenceAfterFrames(TVirtualAdapter& vehicle, int address, int frames)
      : vehicle_(vehicle), address_(address), limit_(vehicle.FramesFromPc() + frames) {}
  void OnOwner(const std::function<void()>& step) const override { step(); }
  void Report(std::function<void()> step) const override { step(); }
  bool Cancelled() const override {
    if (vehicle_.FramesFromPc() >= limit_) vehicle_.SilenceModule(address_, true);
    return false;
  }

 private:
  TVirtualAdapter& vehicle_;
  int address_;
  int limit_;
};

// The first try of the first packet is answered 450 ms late, past the two answer windows the
// link waits out after a retry, while the third packet waits for its answer from a module that
// no longer takes packets. The late answer names the first packet's address: it must not
// confirm the third packet, whose bytes the module never got.
TEST_F(LanTransferTest, LateWriteAnswerOfAnotherPacketConfirmsNothing) {
  TTestControl control(2, mlExt, 16, 24);
  Bind({&control});
  devices.ReadDevice(&Main(), {mlExt}, {});
  ASSERT_TRUE(Main().IsPresent());
  control.Value = Bytes(100, 24);
  const std::vector<uint8_t> before = SimMemory(2, kSimExt);
  vehicle->DelayAnswers(1, 450ms);

  // The first packet takes two frames, the second one; the third finds the module silent.
  devices.WriteDevice(&Main(), {mlExt}, {}, TSilenceAfterFrames(*vehicle, 2, 3));
  vehicle->SilenceModule(2, false);

  const std::vector<uint8_t>& memory = SimMemory(2, kSimExt);
  EXPECT_EQ(std::vector<uint8_t>(memory.begin() + 16, memory.begin() + 32), Bytes(100, 16));
  EXPECT_EQ(std::vector<uint8_t>(memory.begin() + 32, memory.begin() + 40),
            std::vector<uint8_t>(before.begin() + 32, before.begin() + 40));
  const TDeviceMemoryItem* settings = devices.FindMem(2, mlExt);
  for (int i = 16; i < 40; ++i) EXPECT_EQ(settings->IsChanged(i), i >= 32) << i;
  EXPECT_TRUE(Main().AnyModified({mlExt}));
}

TEST_F(LanTransferTest, CancelledReadLeavesTheAreaUnreadAndItsImageAsItWas) {
  TTestControl first(2, mlExt, 0, 8);
  TTestControl far(2, mlExt, 512, 8);
  Bind({&first, &far});
  ASSERT_TRUE(Main().IsPresent());
  std::vector<uint8_t>& memory = SimMemory(2, kSimExt);
  std::fill(memory.begin(), memory.begin() + 520, uint8_t{0x5A});
  vehicle->TakeSentByPc();

  devices.ReadDevice(&Main(), {mlExt, mlFlash}, {}, TCancelAfterFrames(*vehicle, 1));

  EXPECT_EQ(Sent(88).size(), 1u) << "stops after the packet in flight";
  TDeviceMemoryItem* settings = devices.FindMem(2, mlExt);
  EXPECT_FALSE(settings->IsLoaded());
  EXPECT_FALSE(devices.FindMem(2, mlFlash)->IsLoaded()) << "later areas are not started";
  EXPECT_EQ(settings->Image()[512], 0) << "only runs read whole reach the image";
  EXPECT_TRUE(questions.errors.empty()) << "a cancel is no read error";
}

TEST_F(LanTransferTest, CancelledWriteKeepsTheMarksOfEveryPacketNotConfirmed) {
  TTestControl control(2, mlExt, 16, 20);
  Bind({&control});
  devices.ReadDevice(&Main(), {mlExt}, {});
  control.Value = Bytes(100, 20);
  vehicle->TakeSentByPc();

  devices.WriteDevice(&Main(), {mlExt}, {}, TCancelAfterFrames(*vehicle, 1));

  EXPECT_EQ(Sent(81), (std::vector<std::vector<uint8_t>>{Packet(16, Bytes(100, 8))}));
  TDeviceMemoryItem* settings = devices.FindMem(2, mlExt);
  for (int i = 16; i < 36; ++i) EXPECT_EQ(settings->IsChanged(i), i >= 24) << i;
  EXPECT_TRUE(Main().AnyModified({mlExt})) << "the rest is still to be written";

  // The next write sends exactly what the cancel kept back.
  devices.WriteDevice(&Main(), {mlExt}, {});
  EXPECT_EQ(Sent(81), (std::vector<std::vector<uint8_t>>{Packet(24, Bytes(108, 8)),
                                                         Packet(32, Bytes(116, 4))}));
  EXPECT_EQ(
      std::vector<uint8_t>(SimMemory(2, kSimExt).begin() + 16, SimMemory(2, kSimExt).begin() + 36),
      Bytes(100, 20));
  EXPECT_FALSE(Main().AnyModified({mlExt}));
}

}  // namespace

namespace {

TEST_F(LanTransferTest, RefusedStoreSaysWhatToChangeAndWritesNothingOfItsArea) {
  struct TRefusing : TTestControl {
    using TTestControl::TTestControl;
    void Store() override { throw EStoreRefused(QStringLiteral("ПИН: введите четыре цифры")); }
  } pin(2, mlExt, 212, 2);
  TTestControl other(2, mlExt, 16);
  Bind({&pin, &other});
  devices.ReadDevice(&Main(), {mlExt}, {});
  other.Value = {0x77};
  const uint8_t before = SimMemory(2, kSimExt)[16];
  vehicle->TakeSentByPc();

  EXPECT_THROW(devices.WriteDevice(&Main(), {mlExt}, {}), EStoreRefused) << "No abandons";

  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(questions.asked[0], QStringLiteral("Элемент недоступен: \"Главный модуль : Память "
                                               "настроек\"\r\nПИН: введите четыре цифры\r\n "
                                               "Продолжить запись?"));
  EXPECT_TRUE(Sent(81).empty());
  EXPECT_EQ(SimMemory(2, kSimExt)[16], before);
}

}  // namespace

namespace {

// An adapter that went away fails every packet of a long write the same way: one message says
// so, and one more how often it recurred, instead of one line per packet.
TEST_F(LanTransferTest, APacketAfterPacketErrorIsShownOnceWithItsRepeatsCounted) {
  TTestControl control(2, mlExt, 0, 64);
  Bind({&control});
  devices.ReadDevice(&Main(), {mlExt}, {});
  control.Value = Bytes(7, 64);
  vehicle->DropFramesToPc(TAdapter::kTries);  // the first packet fails on its own
  vehicle->TakeSentByPc();
  // The second packet gets through, so the first cause ends there; then the line goes.
  devices.WriteDevice(&Main(), {mlExt}, {}, TSilenceAfterFrames(*vehicle, 2, TAdapter::kTries + 1));
  vehicle->SilenceModule(2, false);
  const QString text = QStringLiteral("Не удалось записать данные в устройство, повторите запись");
  EXPECT_EQ(questions.errors,
            (std::vector<QString>{text, text, QStringLiteral("%1 (повторов: 5)").arg(text)}));
}

}  // namespace

namespace {

// The bus channel tells why an area's packets failed: a module that never answered in the
// operation, or one that went quiet after answering (the line).
TEST_F(LanTransferTest, AFailedPacketRecordsTheCauseOfItsArea) {
  TTestControl control(2, mlExt, 0, 64);
  Bind({&control});
  devices.ReadDevice(&Main(), {mlExt}, {});
  TDeviceMemoryItem& settings = *Main().FindItem(mlExt);

  control.Value = Bytes(7, 64);
  rw.BeginOperation();
  vehicle->SilenceModule(2, true);
  devices.WriteDevice(&Main(), {mlExt}, {}, InlineTransfer());
  vehicle->SilenceModule(2, false);
  EXPECT_EQ(rw.FaultOf(settings), TFaultCause::NoAnswer);

  control.Value = Bytes(9, 64);
  rw.BeginOperation();
  devices.WriteDevice(&Main(), {mlExt}, {}, TSilenceAfterFrames(*vehicle, 2, 2));
  vehicle->SilenceModule(2, false);
  EXPECT_EQ(rw.FaultOf(settings), TFaultCause::LineErrors) << "it answered the first packet";

  rw.BeginOperation();
  EXPECT_EQ(rw.FaultOf(settings), TFaultCause::None) << "each operation starts afresh";
}

}  // namespace
