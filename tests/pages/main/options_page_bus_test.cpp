// The options page against the virtual vehicle: what reaches the bus.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "binding/comp_error.h"
#include "binding/ui/pin_edit.h"
#include "link/bus_worker.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_rw.h"
#include "memory/user_questions.h"
#include "options_page_fixture.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

class TRecordingQuestions : public IUserQuestions {
 public:
  TUserAnswer AskStep(const QString& text) override {
    asked.push_back(text);
    return TUserAnswer::No;
  }
  void ShowError(const QString& text) override { errors.push_back(text); }

  std::vector<QString> asked;
  std::vector<QString> errors;
};

class OptionsPageBusTest : public ::testing::Test, public TBoundOptionsPage {
 protected:
  void SetUp() override {
    vehicle = MakeTestVehicle();
    adapter = ConnectTo(vehicle);
    ASSERT_TRUE(adapter->IsConnected());
    rw.SetAdapter(adapter.get());
    rw.SetClearDirtyAfterWrite(true);
    rw.SetLocations(kPersistentLocations);
    registry.SetRW(&rw);
    registry.SetUserQuestions(&questions);
  }
  void TearDown() override { registry.SetRW(nullptr); }

  std::vector<uint8_t> ModuleBytes(int addr, int count) {
    return vehicle->WithVehicle([&](TVirtualVehicle& v) {
      const auto& memory = v.Module(2)->Memory(mlExt);
      return std::vector<uint8_t>(memory.begin() + addr, memory.begin() + addr + count);
    });
  }
  QPushButton& Button(const char* name) {
    return *page.findChild<QPushButton*>(QLatin1String(name));
  }

  std::shared_ptr<TVirtualAdapter> vehicle;
  std::unique_ptr<TAdapter> adapter;
  TLanRW rw;
  TRecordingQuestions questions;
};

TEST_F(OptionsPageBusTest, AnIncompletePinStopsTheWriteWithAQuestionAndTheModuleKeepsItsPin) {
  TLanDevice& main = *registry.FindDevice(2);
  registry.ReadDevice(&main, {mlExt}, {});
  const std::vector<uint8_t> stored = ModuleBytes(212, 2);
  auto& pin = *page.findChild<TPinEdit*>(QStringLiteral("edPin"));
  pin.selectAll();
  QTest::keyClicks(&pin, QStringLiteral("12"));

  EXPECT_THROW(registry.WriteDevice(&main, {mlExt}, {}), EStoreRefused);
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_TRUE(questions.asked[0].contains(Settings().GetTitle()))
      << questions.asked[0].toStdString();
  EXPECT_TRUE(questions.asked[0].contains(QStringLiteral("ПИН: введите четыре цифры")))
      << "the question says what to change";
  EXPECT_EQ(ModuleBytes(212, 2), stored);
  EXPECT_TRUE(Settings().IsModified()) << "the user's changes wait for the next write";

  QTest::keyClicks(&pin, QStringLiteral("34"));
  registry.WriteDevice(&main, {mlExt}, {});
  EXPECT_EQ(ModuleBytes(212, 2), (std::vector<uint8_t>{0x21, 0x43}));
}

TEST_F(OptionsPageBusTest, ImitationButtonsSpeakForTheGsmModuleToEveryModule) {
  TBusWorker worker(*adapter);
  page.AttachBus(worker);
  vehicle->TakeSentByPc();
  const auto sent = [this](int count) {
    std::vector<TLanMsg> messages;
    EXPECT_TRUE(SpinUntil(
        [&] {
          for (const TLanMsg& msg : vehicle->TakeSentByPc()) messages.push_back(msg);
          return static_cast<int>(messages.size()) >= count;
        },
        5s));
    return messages;
  };

  Button("btAutoBlock").click();
  std::vector<TLanMsg> messages = sent(1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Data[0], 0) << "no transceiver code seen yet";
  EXPECT_EQ(messages[0].Data[1], 0);

  page.SetTransceiverCode({0x5A, 0xC3});
  for (const char* name : {"btAutoBlock", "btAutoUnblock", "btForcedBlock", "btForcedUnblock"}) {
    Button(name).click();
  }
  messages = sent(4);
  ASSERT_EQ(messages.size(), 4u);
  const uint8_t commands[] = {14, 13, 67, 101};
  for (std::size_t i = 0; i < messages.size(); ++i) {
    EXPECT_EQ(messages[i].Source, 3);
    EXPECT_EQ(messages[i].Dest, 0);
    EXPECT_EQ(messages[i].Command, commands[i]);
    EXPECT_EQ(messages[i].Length, 2);
    EXPECT_EQ(messages[i].Data[0], 0x5A);
    EXPECT_EQ(messages[i].Data[1], 0xC3);
    EXPECT_EQ(messages[i].AnswerRequested, 0);
  }
  worker.Stop();
}

}  // namespace
