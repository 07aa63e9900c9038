#include "journal/capture_journal.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "journal/journal_test_support.h"
#include "journal/logger.h"
#include "link/adapter_frame.h"
#include "sim/sim_scenario.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

// The lines of the bus messages in the view. The program's own entries ("адаптер обнаружен")
// are its conclusions, not traffic, and are not in a capture.
QStringList BusLines(const TLogger& journal) {
  QStringList lines;
  for (int i = 0; i < journal.ViewCount(); ++i) {
    if (!journal.EntryAt(i)->IsSystem()) lines << journal.LineAt(i);
  }
  return lines;
}

TCaptureRecord Frame(int64_t timeUs, TCaptureDirection direction, uint8_t type,
                     const TLanMsg& msg) {
  TBusFrame bus;
  EXPECT_TRUE(BuildFrame(msg, bus));
  const auto wire = EncodeAdapterFrame(type, bus.View());
  return {timeUs, direction, {wire->View().begin(), wire->View().end()}};
}

TCaptureRecord FromBus(int64_t timeUs, const TLanMsg& msg) {
  return Frame(timeUs, TCaptureDirection::FromAdapter, kFrameFromBus, msg);
}

TCaptureRecord ToBus(int64_t timeUs, const TLanMsg& msg) {
  return Frame(timeUs, TCaptureDirection::ToAdapter, kFrameToBus, msg);
}

// The whole way: the link records a session with the virtual vehicle while the live journal
// runs; the file read back gives the live journal's lines, in order, no more and no fewer.
TEST(CaptureJournal, ACaptureDecodesToTheLinesOfTheLiveJournal) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("session.pcap"));
  auto vehicle = MakeTestVehicle();
  auto owned = std::make_unique<TLogger>();
  TLogger* live = owned.get();
  auto adapter = ConnectTo(vehicle, std::move(owned));
  auto capture = std::make_shared<TCaptureWriter>();
  QString error;
  ASSERT_TRUE(capture->Open(path, &error)) << error.toStdString();
  adapter->SetCapture(capture);

  // Requests whose answers the link takes for itself, and the modules' own reports.
  for (const uint8_t address : {2, 3, 24, 25}) adapter->GetAnswerNoData(1, address, 1);
  const uint8_t read[] = {8, 0, 0};
  EXPECT_TRUE(adapter->GetAnswer(1, 2, read, 88).Answered);
  for (const char* line :
       {"arm", "input 3 on", "disarm", "ignition on", "ignition off", "alarm 12", "can 41"}) {
    EXPECT_TRUE(RunScenarioLine(*vehicle, QString::fromLatin1(line)).isEmpty()) << line;
  }
  ASSERT_TRUE(SpinUntil([&] { return live->EntryCount() >= 8; }));
  SpinFor(std::chrono::milliseconds(300));
  adapter->SetCapture(nullptr);
  capture->Close();
  ASSERT_TRUE(capture->Ok());

  const TCaptureFile file = ReadCapture(path);
  ASSERT_TRUE(file.Error.isEmpty()) << file.Error.toStdString();
  const std::unique_ptr<TLogger> replayed = CaptureJournal(file.Records);
  EXPECT_EQ(BusLines(*replayed), BusLines(*live));
  EXPECT_GE(BusLines(*live).size(), 8);
}

// Only what the live link hands to the journal: an answer the PC was waiting for is not, a
// second answer, a garbled frame and the PC's own frames are not bus messages of the journal.
TEST(CaptureJournal, AnswersToPendingRequestsStayOutOfTheJournal) {
  TLanMsg query = Msg(1, 2, 0, {}, true);
  TLanMsg answer = Msg(2, 1, 0, {0x00, 0x05});
  answer.IsAnswer = 1;
  TCaptureRecord garbled = FromBus(40, Msg(2, 0, 96));
  garbled.Wire[0] ^= 0x01;
  const std::vector<TCaptureRecord> records = {
      ToBus(0, query), FromBus(10, answer), FromBus(20, answer), FromBus(30, Msg(2, 0, 98)),
      garbled,
  };
  const auto messages = CapturedMessages(records);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].TimeUs, 20);
  EXPECT_EQ(messages[0].Msg.Command, 0);
  EXPECT_EQ(messages[1].Msg.Command, 98);
}

TEST(CaptureJournal, EntriesCarryTheRecordedTimes) {
  // 12:04:31.250 local time on some day.
  const QDateTime when(QDate(2026, 3, 14), QTime(12, 4, 31, 250));
  const int64_t us = when.toMSecsSinceEpoch() * 1000;
  const std::vector<TCaptureRecord> records = {FromBus(us, Msg(2, 0, 96)),
                                               FromBus(us + 1'500'000, Msg(2, 0, 98))};
  const auto journal = CaptureJournal(records);
  ASSERT_EQ(journal->ViewCount(), 2);
  EXPECT_EQ(journal->TimeText(*journal->EntryAt(0)), "12.04.31");
  EXPECT_EQ(journal->TimeText(*journal->EntryAt(1)), "12.04.32");
  journal->SetTimeBase(0);
  EXPECT_EQ(journal->TimeText(*journal->EntryAt(1)), " 1.50");
}

// A capture longer than the live journal's capacity is shown whole, not restarted.
TEST(CaptureJournal, HoldsACaptureOfAnyLength) {
  std::vector<TCaptureRecord> records;
  for (int i = 0; i < TLogger::kCapacity + 5; ++i) records.push_back(FromBus(i, Msg(2, 0, 96)));
  const auto journal = CaptureJournal(records);
  EXPECT_EQ(journal->EntryCount(), TLogger::kCapacity + 5);
  EXPECT_EQ(journal->EntryAt(0)->Id, 1u);
}

}  // namespace
