// The virtual vehicle as the program meets it: through TAdapter and its threads.

#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>

#include "link/adapter.h"
#include "sim/sim_scenario.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kPc = 1;

class SimAdapterTest : public ::testing::Test {
 protected:
  void Start(TSimOptions options) {
    vehicle = MakeTestVehicle(options);
    auto sink = std::make_unique<TMemoryJournal>();
    journal = sink.get();
    adapter = ConnectTo(vehicle, std::move(sink));
    ASSERT_TRUE(adapter->IsConnected());
  }
  void SetUp() override { Start(TSimOptions{}); }

  // Unsolicited messages as the registry receives them.
  void Record() {
    adapter->SetOnDeviceMessage([this](TAdapter&, const TLanMsg& msg) { received.push_back(msg); });
  }
  std::vector<TLanMsg> From(int source, int command) const {
    std::vector<TLanMsg> selected;
    for (const auto& msg : received) {
      if (msg.Source == source && msg.Command == command) selected.push_back(msg);
    }
    return selected;
  }

  std::shared_ptr<TVirtualAdapter> vehicle;
  std::unique_ptr<TAdapter> adapter;
  TMemoryJournal* journal = nullptr;
  std::vector<TLanMsg> received;
};

// Memories and packet sizes straight from the vehicle, so that every module of the table is
// covered; the expectations are the protocol's.
class EveryModuleTest : public SimAdapterTest,
                        public ::testing::WithParamInterface<TVirtualModuleSpec> {
 protected:
  // Writes a pattern in packets of the module's size and reads it back the way the program
  // does: 87..90 in packets, or 85 byte by byte for packet size 1.
  void RoundTrip(int location, uint32_t address, uint32_t count) {
    const auto desc = GetParam();
    const uint8_t writeCommand = static_cast<uint8_t>(80 + location);
    const uint8_t readCommand = static_cast<uint8_t>(87 + location);
    std::vector<uint8_t> pattern(count);
    for (uint32_t i = 0; i < count; ++i)
      pattern[i] = static_cast<uint8_t>(0x0D + 0x33 * (address + i));

    for (uint32_t done = 0; done < count; done += desc.PacketSize) {
      const uint32_t n = std::min<uint32_t>(desc.PacketSize, count - done);
      const uint32_t at = address + done;
      std::vector<uint8_t> request = {static_cast<uint8_t>(at), static_cast<uint8_t>(at >> 8)};
      request.insert(request.end(), pattern.begin() + done, pattern.begin() + done + n);
      const auto answer = adapter->GetAnswer(kPc, desc.Address, request, writeCommand);
      ASSERT_TRUE(answer.Answered) << "write at " << at;
      EXPECT_EQ(answer.Data[0], n);
      EXPECT_EQ(answer.Data[1], static_cast<uint8_t>(at));
      EXPECT_EQ(answer.Data[2], static_cast<uint8_t>(at >> 8));
    }

    std::vector<uint8_t> read;
    if (desc.PacketSize == 1) {
      for (uint32_t i = 0; i < count; ++i) {
        const uint8_t request[] = {static_cast<uint8_t>(address + i)};
        const auto answer = adapter->GetAnswer(kPc, desc.Address, request, 85);
        ASSERT_TRUE(answer.Answered) << "single-byte read at " << address + i;
        read.push_back(answer.Data[0]);
      }
    } else {
      for (uint32_t done = 0; done < count; done += desc.PacketSize) {
        const uint32_t n = std::min<uint32_t>(desc.PacketSize, count - done);
        const uint32_t at = address + done;
        const uint8_t request[] = {static_cast<uint8_t>(n), static_cast<uint8_t>(at),
                                   static_cast<uint8_t>(at >> 8)};
        const auto answer = adapter->GetAnswer(kPc, desc.Address, request, readCommand);
        ASSERT_TRUE(answer.Answered) << "read at " << at;
        ASSERT_EQ(answer.Length, n);
        read.insert(read.end(), answer.Data.begin(), answer.Data.begin() + n);
      }
    }
    EXPECT_EQ(read, pattern) << "location " << location << " from " << address;
  }
};

TEST_P(EveryModuleTest, AnswersPresenceAndGrantsAccess) {
  const uint8_t address = GetParam().Address;
  EXPECT_TRUE(adapter->GetAnswerNoData(kPc, address, 1).Answered);
  EXPECT_TRUE(adapter->GetAnswerNoData(kPc, address, 3).Answered);
  const auto access = adapter->GetAnswerNoData(kPc, address, 0);
  ASSERT_TRUE(access.Answered);
  EXPECT_EQ(access.Data[0] & 0x10, 0);

  vehicle->RefuseAccess(address, true);
  const auto refused = adapter->GetAnswerNoData(kPc, address, 0);
  ASSERT_TRUE(refused.Answered);
  EXPECT_EQ(refused.Data[0] & 0x10, 0x10);
  EXPECT_EQ(journal->CountErrors(kErrNoAnswer), 0);
}

TEST_P(EveryModuleTest, MemoriesKeepWhatIsWrittenInPacketsOfTheModulesSize) {
  const auto desc = GetParam();
  for (int location = 0; location < kSimLocations; ++location) {
    const uint32_t size = desc.Sizes[static_cast<size_t>(location)];
    if (size == 0) continue;
    // The start, an address whose bytes need escaping on the wire, and the very end.
    RoundTrip(location, 0, std::min<uint32_t>(size, 2u * desc.PacketSize + 1));
    if (size > 0x40Du + desc.PacketSize) RoundTrip(location, 0x40D, desc.PacketSize);
    RoundTrip(location, size - desc.PacketSize, desc.PacketSize);
  }
  EXPECT_EQ(journal->CountErrors(kErrNoAnswer), 0);
}

std::string ModuleTestName(const ::testing::TestParamInfo<TVirtualModuleSpec>& info) {
  return "Address" + std::to_string(info.param.Address);
}

INSTANTIATE_TEST_SUITE_P(Vehicle, EveryModuleTest, ::testing::ValuesIn(kVirtualModuleTable),
                         ModuleTestName);

TEST_F(SimAdapterTest, RefusedModuleIgnoresMemoryCommands) {
  vehicle->RefuseAccess(15, true);
  const uint8_t request[] = {8, 0, 0};
  EXPECT_FALSE(adapter->GetAnswer(kPc, 15, request, 87).Answered);
  EXPECT_EQ(journal->CountErrors(kErrNoAnswer), 1);
}

TEST_F(SimAdapterTest, StatusRequestsFillTheVersionRecords) {
  Record();
  const std::set<int> withRecords = {2, 3, 4, 5, 11, 13, 14, 15, 20, 21, 22, 23, 25};
  for (const int address : withRecords)
    adapter->QueueCommand(kPc, static_cast<uint8_t>(address), 48);
  for (size_t i = 0; i < withRecords.size(); ++i) adapter->ProcessQueue();
  // The main module answers with its own record and the CAN module's in two parts.
  ASSERT_TRUE(SpinUntil([&] { return received.size() >= withRecords.size() + 2; }));

  std::map<int, std::vector<int>> lengths;
  for (const auto& msg : received) {
    EXPECT_EQ(msg.Command, 48);
    EXPECT_EQ(msg.Dest, kPc);
    lengths[msg.Source].push_back(msg.Length);
  }
  EXPECT_EQ(lengths[2], (std::vector<int>{6, 12, 4}));
  EXPECT_EQ(lengths[3], (std::vector<int>{6}));
  EXPECT_EQ(lengths[11], (std::vector<int>{6}));
  EXPECT_EQ(lengths[25], (std::vector<int>{3}));
  for (const int address : {4, 5, 13, 14, 15, 20, 21, 22, 23}) {
    EXPECT_EQ(lengths[address], (std::vector<int>{2})) << address;
  }

  const auto main = From(2, 48);
  EXPECT_EQ(main[0].Data[0], 0x05);
  EXPECT_EQ(main[0].Data[1], 0x34);
  EXPECT_NE(main[0].Data[2], 0) << "a firmware date";
  EXPECT_NE(main[1].Data[0] | main[1].Data[1] | main[1].Data[2] | main[1].Data[3], 0)
      << "the CAN module is fitted";
  const auto gsm = From(3, 48);
  EXPECT_GT(gsm[0].Data[2], 0) << "a GSM firmware with a date shows its board version";
}

TEST_F(SimAdapterTest, OlderMainModuleReportsFirmwareFour) {
  TSimOptions options;
  options.Gen2 = true;
  options.MainOnly = true;
  adapter.reset();
  Start(options);
  Record();
  adapter->QueueCommand(kPc, 2, 48);
  adapter->ProcessQueue();
  ASSERT_TRUE(SpinUntil([&] { return received.size() >= 3; }));
  EXPECT_EQ(received[0].Data[0], 0x04);
  EXPECT_EQ(received[1].Data[0], 0) << "no CAN module";
  const uint8_t configuration[] = {1, 0, 0};
  const auto answer = adapter->GetAnswer(kPc, 2, configuration, 88);
  ASSERT_TRUE(answer.Answered);
  EXPECT_EQ(answer.Data[0] & 0x04, 0) << "a second-generation board";
  EXPECT_FALSE(adapter->GetAnswerNoData(kPc, 3, 1).Answered) << "only the main module is fitted";
}

TEST_F(SimAdapterTest, LostAndLateFramesCostTries) {
  const uint8_t request[] = {8, 0, 1};

  // An answer lost on the way back: the second try gets it.
  int before = vehicle->FramesFromPc();
  vehicle->DropFramesToPc(1);
  EXPECT_TRUE(adapter->GetAnswer(kPc, 2, request, 88).Answered);
  EXPECT_EQ(vehicle->FramesFromPc() - before, 2);

  // A request lost or garbled on the way out is neither acknowledged nor answered.
  for (const bool corrupt : {false, true}) {
    before = vehicle->FramesFromPc();
    corrupt ? vehicle->CorruptFramesFromPc(1) : vehicle->DropFramesFromPc(1);
    EXPECT_TRUE(adapter->GetAnswer(kPc, 2, request, 88).Answered) << corrupt;
    EXPECT_EQ(vehicle->FramesFromPc() - before, 1) << corrupt;
  }

  // Answers later than every try: the module counts as silent.
  vehicle->DelayAnswers(3, 400ms);
  EXPECT_FALSE(adapter->GetAnswer(kPc, 2, request, 88).Answered);
  EXPECT_EQ(journal->CountErrors(kErrNoAnswer), 1);
  EXPECT_TRUE(adapter->GetAnswer(kPc, 2, request, 88).Answered) << "only three were late";
}

// What reaches the PC, byte for byte, one frame a delivery.
class TRecordingEndpoint : public ISimEndpoint {
 public:
  void DeliverToPc(const uint8_t* bytes, size_t count) override {
    {
      std::lock_guard lock(mutex_);
      received_.insert(received_.end(), bytes, bytes + count);
      ++frames_;
    }
    arrived_.notify_all();
  }
  void AdapterUnplugged() override {}
  // Waits until `frames` frames have arrived or `limit` has passed; the frames then.
  int WaitForFrames(int frames, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, limit, [&] { return frames_ >= frames; });
    return frames_;
  }
  std::vector<uint8_t> Received() const {
    std::lock_guard lock(mutex_);
    return received_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<uint8_t> received_;
  int frames_ = 0;
};

// The bytes that reach the PC when it sends the same 100 memory reads straight into the
// virtual adapter, one after the other, through a line with the given faults; `setLater`
// replaces them before the first read.
std::vector<uint8_t> ReadThroughLine(const QString& faults,
                                     const std::optional<QString>& setLater = std::nullopt) {
  TVirtualAdapter vehicle(*TSimOptions::Parse(QStringLiteral("nolink,") + faults));
  if (setLater) vehicle.SetLineFaults(TSimOptions::Parse(*setLater)->Faults);
  TRecordingEndpoint pc;
  EXPECT_TRUE(vehicle.Attach(&pc));
  int frames = 0;
  for (int i = 0; i < 100; ++i) {
    TLanMsg request;
    request.Source = kPc;
    request.Dest = 2;
    request.Command = 88;
    request.AnswerRequested = 1;
    request.Length = 3;
    request.Data[0] = 4;
    request.Data[1] = static_cast<uint8_t>(i);
    TBusFrame frame;
    EXPECT_TRUE(BuildFrame(request, frame));
    const auto wire = EncodeAdapterFrame(kFrameToBus, frame.View());
    EXPECT_TRUE(vehicle.FromPc(wire->Bytes.data(), wire->Size));
    // One at a time, as the link sends them: acknowledgement and answer are out before the
    // next request, unless the line lost one of them.
    frames = pc.WaitForFrames(frames + 2, 20ms);
  }
  vehicle.Detach(&pc);
  return pc.Received();
}

TEST(SimLineFaults, TheSameSeedRepeatsTheFaultsAndAnotherSeedDoesNot) {
  const auto clean = ReadThroughLine(QString());
  const auto first = ReadThroughLine(QStringLiteral("drop=0.05,corrupt=0.05,seed=7"));
  EXPECT_NE(first, clean) << "no fault at all in 100 frames each way";
  EXPECT_LT(first.size(), clean.size()) << "nothing was dropped";
  EXPECT_EQ(ReadThroughLine(QStringLiteral("drop=0.05,corrupt=0.05,seed=7")), first);
  EXPECT_NE(ReadThroughLine(QStringLiteral("drop=0.05,corrupt=0.05,seed=8")), first);
}

// The frames in `bytes`, and how many of them fail a test of the frame.
std::pair<std::vector<std::vector<uint8_t>>, int> DecodeFrames(const std::vector<uint8_t>& bytes) {
  TFrameDecoder decoder;
  TAdapterFrame frame;
  std::vector<std::vector<uint8_t>> frames;
  int failed = 0;
  for (const uint8_t byte : bytes) {
    if (!decoder.Feed(byte, frame)) continue;
    frames.emplace_back(frame.Payload.begin(), frame.Payload.begin() + frame.Count);
    if (frame.Fault != TFrameFault::None) ++failed;
  }
  return {frames, failed};
}

// corrupt=P flips a bit, which the checksum catches; corrupt=P:1 changes two bytes that make
// up for each other, which no test of the frame can tell from a good frame.
TEST(SimLineFaults, GarbledFramesKeepTheirChecksumOnlyWhenAskedTo) {
  // The same seed garbles the same frames both ways; the PC's frames are flipped either way.
  const auto [flipped, flippedFailed] =
      DecodeFrames(ReadThroughLine(QStringLiteral("corrupt=0.3,seed=3")));
  const auto [kept, keptFailed] =
      DecodeFrames(ReadThroughLine(QStringLiteral("corrupt=0.3:1,seed=3")));
  EXPECT_GT(flippedFailed, 0);
  EXPECT_EQ(keptFailed, 0);
  ASSERT_EQ(kept.size(), flipped.size());
  // Each frame the checksum caught comes through the other line whole, but changed.
  int differ = 0;
  for (size_t i = 0; i < kept.size(); ++i) differ += kept[i] != flipped[i] ? 1 : 0;
  EXPECT_EQ(differ, flippedFailed);
}

TEST(SimLineFaults, FaultsSetLaterReplaceThoseOfTheOptions) {
  const QString faults = QStringLiteral("drop=0.05,corrupt=0.05,seed=7");
  EXPECT_EQ(ReadThroughLine(QString(), faults), ReadThroughLine(faults)) << "switched on";
  EXPECT_EQ(ReadThroughLine(faults, QString()), ReadThroughLine(QString())) << "switched off";
}

TEST_F(SimAdapterTest, CorruptedAnswerIsReportedAndRetried) {
  vehicle->CorruptFramesToPc(1);
  const uint8_t request[] = {8, 0, 0};
  EXPECT_TRUE(adapter->GetAnswer(kPc, 2, request, 88).Answered);
  ASSERT_TRUE(SpinUntil([&] { return journal->CountErrors(kErrBadFormat) == 1; }));
}

TEST_F(SimAdapterTest, SilencedModuleComesBack) {
  vehicle->SilenceModule(20, true);
  EXPECT_FALSE(adapter->GetAnswerNoData(kPc, 20, 3).Answered);
  vehicle->SilenceModule(20, false);
  EXPECT_TRUE(adapter->GetAnswerNoData(kPc, 20, 3).Answered);
}

TEST_F(SimAdapterTest, UnpluggedAdapterIsFoundAgainWithTheVehicleAsItWas) {
  const uint8_t write[] = {0x20, 0x00, 0x5A};
  ASSERT_TRUE(adapter->GetAnswer(kPc, 2, write, 81).Answered);
  vehicle->Unplug();
  EXPECT_FALSE(adapter->GetAnswerNoData(kPc, 2, 1).Answered);
  EXPECT_FALSE(adapter->Connect());
  vehicle->Replug();
  ASSERT_TRUE(adapter->Connect());
  const uint8_t read[] = {1, 0x20, 0x00};
  const auto answer = adapter->GetAnswer(kPc, 2, read, 88);
  ASSERT_TRUE(answer.Answered);
  EXPECT_EQ(answer.Data[0], 0x5A);
  SpinFor(20ms);
  EXPECT_GE(journal->CountErrors(kErrAdapterNotFound), 1);
}

TEST_F(SimAdapterTest, StatusFrameReachesTheLink) {
  vehicle->SendStatus(0x55);
  ASSERT_TRUE(SpinUntil([&] { return adapter->StatusByte() == 0x55; }));
}

TEST_F(SimAdapterTest, QuietWithoutTheLinkModelUnlessAskedFor) {
  Record();
  // Long enough for every main-module stream but the rare event to have spoken once.
  SpinFor(1000ms);
  EXPECT_TRUE(received.empty());
}

TEST_F(SimAdapterTest, LiveTrafficReachesTheRegistry) {
  TSimOptions options;
  options.Live = true;
  adapter.reset();
  Start(options);
  Record();
  const auto heard = [&](int source, int command) { return !From(source, command).empty(); };
  ASSERT_TRUE(SpinUntil(
      [&] {
        return heard(2, 7) && heard(2, 26) && heard(2, 53) && heard(2, 127) && heard(2, 3) &&
               heard(3, 3);
      },
      // Generous: the sanitizer build runs this slowly, beside other tests.
      12000ms));
  EXPECT_EQ(From(2, 7).front().Dest, 0);
  EXPECT_EQ(From(2, 7).front().Data[0] & 0x0F, 0) << "disarmed";
  EXPECT_EQ(From(2, 53).front().Dest, kPc);
  EXPECT_GT(From(2, 53).front().Data[0], 80);

  // The periodic reports of the disarmed car may still come in; wait for the armed ones.
  received.clear();
  vehicle->Perform(TSimAction::Arm);
  const auto armed = [&] {
    const auto doors = From(24, 33);
    const auto modes = From(2, 7);
    return !doors.empty() && doors.back().Data[0] == 1 && !modes.empty() &&
           (modes.back().Data[0] & 0x0F) == 2;
  };
  EXPECT_TRUE(SpinUntil(armed, 8000ms)) << "the main module armed and the CAN module locked";
}

TEST_F(SimAdapterTest, PcArmsAndStartsTheEngine) {
  Record();
  adapter->SendCommand(kPc, 2, false, false, 96);
  adapter->SendCommand(kPc, 2, false, false, 106);
  ASSERT_TRUE(SpinUntil([&] {
    const auto modes = From(2, 7);
    return !modes.empty() && (modes.back().Data[0] & 0x0F) == 7;
  }));
  const bool running =
      vehicle->WithVehicle([](TVirtualVehicle& v) { return v.MainModule()->EngineRunning(); });
  EXPECT_TRUE(running);
}

TEST_F(SimAdapterTest, ScenarioLinesDriveTheCarAndUnknownLinesSaySo) {
  Record();
  struct TCase {
    const char* line;
    int source;
    int command;
    std::vector<int> data;
  };
  const TCase cases[] = {
      {"alarm 12", 2, 118, {12}}, {"temp 0xF6", 2, 127, {0xF6}}, {"volt 81", 2, 53, {81, 0, 0x19}},
      {"can 6", 24, 33, {6}},     {"tagtemp 30", 25, 125, {30}}, {"input 3 on", 2, 3, {0x83}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.line);
    received.clear();
    EXPECT_TRUE(RunScenarioLine(*vehicle, QString::fromUtf8(c.line)).isEmpty());
    ASSERT_TRUE(SpinUntil([&] { return !From(c.source, c.command).empty(); }, 3000ms));
    const TLanMsg msg = From(c.source, c.command).back();
    EXPECT_EQ(std::vector<int>(msg.Data.begin(), msg.Data.begin() + msg.Length), c.data);
  }
  for (const char* line : {"fly", "alarm", "alarm 300", "input 3 maybe", "ignition"}) {
    EXPECT_FALSE(RunScenarioLine(*vehicle, QString::fromUtf8(line)).isEmpty()) << line;
  }
  EXPECT_TRUE(RunScenarioLine(*vehicle, QStringLiteral("   ")).isEmpty()) << "blank lines pass";
}

TEST_F(SimAdapterTest, TachoReportsRunWhileAskedForAndShowTheEngine) {
  TSimOptions options;
  options.Live = true;
  adapter.reset();
  Start(options);
  Record();
  SpinFor(600ms);
  EXPECT_TRUE(From(2, 4).empty()) << "not before they are asked for";
  const uint8_t start[] = {1};
  adapter->SendMsg(kPc, 2, false, false, start, 4);
  ASSERT_TRUE(SpinUntil([&] { return !From(2, 4).empty(); }, 3000ms));
  EXPECT_EQ(From(2, 4).back().Data[0], 0x60) << "standing still: too slow to measure";
  vehicle->Perform(TSimAction::StartEngine);
  ASSERT_TRUE(SpinUntil([&] { return From(2, 4).back().Data[0] != 0x60; }, 3000ms));
  const TLanMsg report = From(2, 4).back();
  const int period = report.Data[0] << 8 | report.Data[1];
  EXPECT_GT(period, 700);
  EXPECT_LT(period, 900);
  const uint8_t stop[] = {0};
  adapter->SendMsg(kPc, 2, false, false, stop, 4);
  SpinFor(400ms);
  received.clear();
  SpinFor(600ms);
  EXPECT_TRUE(From(2, 4).empty()) << "stopped";
}

}  // namespace
