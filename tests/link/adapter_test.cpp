#include "link/adapter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <thread>

#include "link/link_keeper.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

// Records on which thread each journal entry is made.
class TThreadJournal : public TMemoryJournal {
 public:
  void AddError(int number, const QString& text) override {
    onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
    TMemoryJournal::AddError(number, text);
  }
  void AddMessage(const TLanMsg& msg) override {
    onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
    TMemoryJournal::AddMessage(msg);
  }
  bool onUiThread = true;
};

class AdapterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vehicle = MakeTestVehicle();
    auto sink = std::make_unique<TThreadJournal>();
    journal = sink.get();
    adapter = ConnectTo(vehicle, std::move(sink));
    ASSERT_TRUE(adapter->IsConnected());
  }

  // Lets posted notifications run.
  void Settle(std::chrono::milliseconds time = 50ms) { SpinFor(time); }

  std::shared_ptr<TVirtualAdapter> vehicle;
  std::unique_ptr<TAdapter> adapter;
  TThreadJournal* journal = nullptr;
};

TEST_F(AdapterTest, ConnectingIsJournalled) {
  EXPECT_EQ(journal->CountErrors(kErrAdapterFound), 1);
}

TEST_F(AdapterTest, GetAnswerReturnsTheModulesAnswer) {
  const auto presence = adapter->GetAnswerNoData(1, 2, 1);
  EXPECT_TRUE(presence.Answered);
  EXPECT_FALSE(adapter->IsWaiting());

  vehicle->WithVehicle([](TVirtualVehicle& v) {
    auto& ext = v.Module(2)->Memory(kSimExt);
    for (int i = 0; i < 8; ++i) ext[0x310 + i] = static_cast<uint8_t>(0xA0 + i);
  });
  const uint8_t request[] = {8, 0x10, 0x03};
  const auto read = adapter->GetAnswer(1, 2, request, 88);
  ASSERT_TRUE(read.Answered);
  EXPECT_EQ(read.Length, 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(read.Data[i], 0xA0 + i);
}

TEST_F(AdapterTest, SilentModuleCostsThreeTriesThenErrorZero) {
  vehicle->WithVehicle([](TVirtualVehicle& v) { v.Module(2)->Silent = true; });
  const int before = vehicle->FramesFromPc();
  const auto answer = adapter->GetAnswerNoData(1, 2, 1);
  EXPECT_FALSE(answer.Answered);
  EXPECT_TRUE(adapter->IsWaiting());
  EXPECT_EQ(vehicle->FramesFromPc() - before, 3);
  ASSERT_EQ(journal->CountErrors(kErrNoAnswer), 1);
  EXPECT_EQ(journal->Entries().back().Text, QStringLiteral("Главный модуль не отвечает на запрос"));

  adapter->SetRaiseOnNoAnswer(true);
  EXPECT_THROW(adapter->GetAnswerNoData(1, 2, 1), EAdapter);
  EXPECT_EQ(journal->CountErrors(kErrNoAnswer), 1);
}

TEST_F(AdapterTest, UnavailableLinkSendsNothing) {
  adapter->SetSuspended(true);
  const int before = vehicle->FramesFromPc();
  QElapsedTimer timer;
  timer.start();
  const auto answer = adapter->GetAnswerNoData(1, 2, 1);
  EXPECT_LT(timer.elapsed(), 50);
  EXPECT_FALSE(answer.Answered);
  EXPECT_TRUE(adapter->IsWaiting());
  adapter->SendCommand(1, 2, false, true, 1);
  Settle();
  EXPECT_EQ(vehicle->FramesFromPc(), before);
}

TEST_F(AdapterTest, LateAnswerOfAnEarlierTryIsAccepted) {
  // Answers come 150 ms late: the first try's answer arrives while the second try waits.
  vehicle->SetExtraAnswerDelay(150ms);
  const int before = vehicle->FramesFromPc();
  const auto answer = adapter->GetAnswerNoData(1, 2, 1);
  EXPECT_TRUE(answer.Answered);
  EXPECT_EQ(vehicle->FramesFromPc() - before, 2);
  EXPECT_EQ(journal->CountErrors(kErrNoAnswer), 0);
}

TEST_F(AdapterTest, CorruptedAnswerIsDroppedAndRetried) {
  vehicle->CorruptFramesToPc(1);
  const uint8_t request[] = {8, 0x00, 0x00};
  const auto answer = adapter->GetAnswer(1, 2, request, 88);
  EXPECT_TRUE(answer.Answered);
  Settle();
  EXPECT_EQ(journal->CountErrors(kErrBadFormat), 1);
  EXPECT_TRUE(journal->onUiThread);
}

TEST_F(AdapterTest, IncomingMessagesReachRegistryThenJournalOnTheUiThread) {
  std::vector<std::string> order;
  bool onUiThread = true;
  adapter->SetOnDeviceMessage([&](TAdapter&, const TLanMsg& msg) {
    onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
    order.push_back("registry " + std::to_string(msg.Command));
  });
  adapter->SetOnMessage(
      [&](const TLanMsg& msg) { order.push_back("journal " + std::to_string(msg.Command)); });
  TLanMsg mode;
  mode.Source = 2;
  mode.Dest = 0;
  mode.Command = 7;
  mode.Length = 1;
  mode.Data[0] = 0x41;
  vehicle->SendFromModule(mode);
  ASSERT_TRUE(SpinUntil([&] { return order.size() == 2; }));
  EXPECT_EQ(order, (std::vector<std::string>{"registry 7", "journal 7"}));
  EXPECT_TRUE(onUiThread);
}

TEST_F(AdapterTest, AFailingHandlerDoesNotKeepTheMessageFromTheOthers) {
  QStringList failures;
  std::vector<int> journalled;
  adapter->SetOnDispatchError([&](const QString& text) { failures << text; });
  adapter->SetOnLiveStatus([](TAdapter&, const TLanMsg&) { throw std::runtime_error("live"); });
  adapter->SetOnDeviceMessage(
      [](TAdapter&, const TLanMsg&) { throw std::runtime_error("registry"); });
  adapter->SetOnMessage([&](const TLanMsg& msg) { journalled.push_back(msg.Command); });
  TLanMsg mode;
  mode.Source = 2;
  mode.Command = 7;
  vehicle->SendFromModule(mode);
  ASSERT_TRUE(SpinUntil([&] { return !journalled.empty(); }));
  EXPECT_EQ(journalled, std::vector<int>{7});
  EXPECT_EQ(failures, (QStringList{"live", "registry"}));
}

TEST_F(AdapterTest, OutgoingRingDropsTheSixtyFourthMessage) {
  vehicle->TakeSentByPc();
  for (int i = 0; i < 64; ++i) adapter->QueueCommand(1, 2, static_cast<uint8_t>(i));
  for (int i = 0; i < 70; ++i) adapter->ProcessQueue();
  Settle();
  const auto sent = vehicle->TakeSentByPc();
  ASSERT_EQ(sent.size(), 63u);
  EXPECT_EQ(sent.front().Command, 0);
  EXPECT_EQ(sent.back().Command, 62);
}

TEST_F(AdapterTest, QueueRefusesOverlongMessages) {
  const std::vector<uint8_t> data(15, 0);
  adapter->QueueMsg(1, 2, false, false, data, 80);
  EXPECT_EQ(journal->CountErrors(kErrBadFormat), 1);
}

TEST_F(AdapterTest, UnplugReportsOnceThenReconnectsEveryTwoSeconds) {
  TLinkKeeper keeper(*adapter);
  std::chrono::milliseconds now{100000};
  keeper.SetClock([&] { return now; });
  int unavailable = 0;
  QObject::connect(&keeper, &TLinkKeeper::LinkUnavailable, [&] { ++unavailable; });
  keeper.Start();
  vehicle->Unplug();
  ASSERT_TRUE(SpinUntil([&] { return unavailable == 1; }));
  EXPECT_TRUE(adapter->IsUnavailable());
  EXPECT_EQ(journal->CountErrors(kErrAdapterNotFound), 1);

  // Within the period nothing is tried; then two reconnection attempts fail silently.
  now += 1999ms;
  Settle(150ms);
  EXPECT_EQ(unavailable, 1);
  for (int attempt = 2; attempt <= 3; ++attempt) {
    now += 2000ms;
    ASSERT_TRUE(SpinUntil([&] { return unavailable == attempt; }));
  }
  Settle(150ms);
  EXPECT_EQ(unavailable, 3) << "one attempt per period";
  EXPECT_TRUE(adapter->IsUnavailable());
  EXPECT_EQ(journal->CountErrors(kErrAdapterNotFound), 1);
  EXPECT_EQ(journal->CountErrors(kErrAdapterFound), 1);

  vehicle->Replug();
  now += 2000ms;
  ASSERT_TRUE(SpinUntil([&] { return !adapter->IsUnavailable(); }));
  EXPECT_EQ(journal->CountErrors(kErrAdapterFound), 2);
  EXPECT_TRUE(adapter->GetAnswerNoData(1, 2, 1).Answered);
}

}  // namespace
