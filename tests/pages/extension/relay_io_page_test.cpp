#include "pages/extension/relay_io_page.h"

#include <gtest/gtest.h>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_grid.h"
#include "learning_fixture.h"
#include "pages/extension/grid_cells.h"
#include "pages/extension/learn_session.h"
#include "pages/extension/learn_wait.h"
#include "pages/extension/overload_record.h"
#include "pages/main/inputs_page.h"
#include "pages/main/main_board.h"
#include "pages/main/outputs_page.h"
#include "shell/fake_page_host.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kRelayIO = 13;

template <TRelayIOPage::TGeneration G>
struct TGenerationPage : TRelayIOPage {
  explicit TGenerationPage(IPageHost& host) : TRelayIOPage(host, G) {}
};

using NewerRelayIOLearning = TLearningTest<TGenerationPage<TRelayIOPage::kNewer>>;
using OlderRelayIOLearning = TLearningTest<TGenerationPage<TRelayIOPage::kOlder>>;

bool SentCommand(const std::vector<TLanMsg>& sent, uint8_t command, std::vector<uint8_t> data) {
  return std::ranges::any_of(sent, [&](const TLanMsg& msg) {
    return msg.Dest == kRelayIO && msg.Command == command && msg.Length == data.size() &&
           std::equal(data.begin(), data.end(), msg.Data.begin());
  });
}

TEST_F(NewerRelayIOLearning, CombinationLearnedAndShown) {
  page.ClickCombination(3, TRelayIOPage::kLearnColumn);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Waiting(); }, 5s));
  EXPECT_EQ(page.Learning().Window()->windowTitle(), QStringLiteral("Обучить событию  3"));
  PressButton(kRelayIO);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение закончено")));
  EXPECT_EQ(ModuleByte(kRelayIO, 46 + 2), 1);
  EXPECT_TRUE(SentCommand(Sent(), 54, {2, 2}));
}

TEST_F(NewerRelayIOLearning, FailedButtonLearningIsStoppedWithTheEchoChecked) {
  page.ClickInput(2, 3);  // input 2 reads a ladder
  ASSERT_TRUE(page.Inputs().Analog(2));
  SetOutcome(kRelayIO, TLearnOutcome::NotLearned);
  page.ClickAnalog(TRelayIOPage::kBlockRows + TRelayIOPage::kLearnInBlock, 4);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Waiting(); }, 5s));
  PressButton(kRelayIO);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение отменено")));
  EXPECT_FALSE(StatusSays(QStringLiteral("Команда отмены обучения не принята.")));
  const auto sent = Sent();
  EXPECT_TRUE(SentCommand(sent, 54, {11, 1}));
  EXPECT_TRUE(SentCommand(sent, 54, {11, 0}));
}

TEST_F(NewerRelayIOLearning, SilentModuleLearnsNothing) {
  Silence(kRelayIO);
  page.ClickCombination(1, TRelayIOPage::kLearnColumn);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_FALSE(page.Learning().Window()->isVisible());
  EXPECT_FALSE(StatusSays(QStringLiteral("Обучение закончено")));
  EXPECT_FALSE(page.Inputs().CombinationLearned(1));
}

TEST_F(OlderRelayIOLearning, RefusedCombinationIsNotWaitedFor) {
  SetOutcome(kRelayIO, TLearnOutcome::Refuses);
  page.ClickCombination(5, TRelayIOPage::kLearnColumn);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Команда обучения не принята.")));
  EXPECT_TRUE(SentCommand(Sent(), 112, {5}));
}

TEST_F(OlderRelayIOLearning, CombinationLearnedSetsItsBit) {
  page.ClickCombination(5, TRelayIOPage::kLearnColumn);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Waiting(); }, 5s));
  PressButton(kRelayIO);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение закончено")));
  EXPECT_EQ(ModuleByte(kRelayIO, 2), 0x10);
}

}  // namespace

namespace {

// A page of the wrong generation would write its settings where the module keeps others.
TEST_F(OlderRelayIOLearning, HandsANewerModuleToTheNewerPage) {
  page.PageShown();
  registry.DispatchMessage(StatusAnswer(kRelayIO, {0x01, 0x05}));  // 261
  SpinFor(50ms);
  EXPECT_TRUE(host.Shown.isEmpty());
  registry.DispatchMessage(StatusAnswer(kRelayIO, {0x01, 0x06}));  // 262
  ASSERT_TRUE(SpinUntil([&] { return !host.Shown.isEmpty(); }, 5s));
  EXPECT_EQ(host.Shown, QStringList{QStringLiteral("aRelayIOPropertiesNew")});
}

TEST_F(NewerRelayIOLearning, HandsAnOlderModuleToTheOlderPageOnlyWhileShown) {
  registry.DispatchMessage(StatusAnswer(kRelayIO, {0x01, 0x00}));
  SpinFor(50ms);
  EXPECT_TRUE(host.Shown.isEmpty()) << "a hidden page hands over nothing";
  page.PageShown();
  ASSERT_TRUE(SpinUntil([&] { return !host.Shown.isEmpty(); }, 5s));
  EXPECT_EQ(host.Shown, QStringList{QStringLiteral("aRelayIOProperties")});
}

}  // namespace

namespace {

TEST_F(OlderRelayIOLearning, OverloadRecordIsClearedByTheNextWrite) {
  vehicle->WithVehicle([](TVirtualVehicle& car) {
    car.Module(kRelayIO)->Memory(kSimInt)[76] = 0x03;
    return 0;
  });
  Read(kRelayIO);
  auto* record = page.findChild<TOverloadRecord*>();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Text(), QStringLiteral("Были перегрузки на выходах 5 и 6"));
  Click("btResetOverloads");
  EXPECT_TRUE(record->Text().isEmpty());
  EXPECT_EQ(ModuleByte(kRelayIO, 76), 0x03) << "nothing is written before the write";
  registry.WriteDevice(registry.FindDevice(kRelayIO), kPersistentLocations, {});
  EXPECT_EQ(ModuleByte(kRelayIO, 76), 0x00);
}

}  // namespace

namespace {

// The module's broadcast command 3 carries its input levels and pressed buttons.
TEST(RelayIOPage, TheModulesBroadcastShowsItsInputsAndPressedButtons) {
  for (const auto generation : {TRelayIOPage::kOlder, TRelayIOPage::kNewer}) {
    SCOPED_TRACE(generation == TRelayIOPage::kOlder ? "older" : "newer");
    TFakePageHost host;
    TRelayIOPage page(host, generation);
    TLanMsg msg;
    msg.Source = kRelayIO;
    msg.Dest = 0;
    msg.Command = 3;
    msg.Length = 4;
    msg.Data = {0x05, 0x01, 0x80, 0x00};
    host.Deliver(msg);
    EXPECT_EQ(page.Inputs().Inputs, 0x05);
    EXPECT_EQ(page.Inputs().Pressed, (std::array<uint8_t, 3>{0x01, 0x80, 0x00}));
    msg.Dest = 1;  // a message to the PC is not the broadcast
    msg.Data = {0, 0, 0, 0};
    host.Deliver(msg);
    EXPECT_EQ(page.Inputs().Inputs, 0x05);
  }
}

}  // namespace

namespace {

// The start module's inputs carry main input functions through the main inputs page's board.
class RelayIOFunctions : public ::testing::Test {
 protected:
  RelayIOFunctions() {
    board.Model().SetPresence({.StartModule = true});
    board.Model().SetConfiguration(kThirdGeneration);
    host.Pages.insert(QStringLiteral("MainInputs"), &inputs);
    host.Pages.insert(QStringLiteral("MainOutputs"), &outputs);
    inputs.PageShown();
  }
  int ColumnOf(int taskId) const {
    // The grid's columns from 4 on are the inputs page's from 3 on.
    for (int column = 4; column < page.InputsGrid().columnCount(); ++column) {
      if (inputs.FunctionAtColumn(column - 1) == taskId) return column;
    }
    return -1;
  }
  void Click(int input, int column) { emit page.InputsGrid().cellClicked(input, column); }

  static constexpr uint8_t kThirdGeneration = 4;
  static constexpr int kDoor = 1;
  static constexpr int kIgnition = 4;
  TFakePageHost host;
  TMainBoard board;
  TMainInputs inputs{host, board};
  TMainOutputs outputs{host, board};
  TRelayIOPage page{host, TRelayIOPage::kNewer};
};

TEST_F(RelayIOFunctions, AClickPutsAFunctionOnAnInputAndAnotherClickTakesItAway) {
  page.PageShown();
  const int door = ColumnOf(kDoor);
  ASSERT_GE(door, 4);
  const int ignition = ColumnOf(kIgnition);
  ASSERT_GE(ignition, 4);
  Click(2, ignition);
  EXPECT_EQ(inputs.StartInputFunction(2), 0) << "the ignition stays on the main module";
  Click(2, door);
  EXPECT_EQ(inputs.StartInputFunction(2), kDoor);
  EXPECT_EQ(page.InputsGrid().item(2, door)->text(), kLamp);
  Click(3, door);
  EXPECT_EQ(inputs.StartInputFunction(2), 0) << "a function has one input";
  EXPECT_EQ(inputs.StartInputFunction(3), kDoor);
  Click(3, door);
  EXPECT_EQ(inputs.StartInputFunction(3), 0);
}

TEST_F(RelayIOFunctions, AnAnalogInputAndDirectControlTakeTheFunctionAway) {
  page.PageShown();
  const int door = ColumnOf(kDoor);
  Click(1, door);
  ASSERT_EQ(inputs.StartInputFunction(1), kDoor);
  Click(1, 3);  // analog
  EXPECT_EQ(inputs.StartInputFunction(1), 0);
  Click(1, door);
  EXPECT_EQ(inputs.StartInputFunction(1), 0) << "an analog input reads buttons only";

  Click(4, door);
  ASSERT_EQ(inputs.StartInputFunction(4), kDoor);
  page.Controls().Get<TVDCheckBox>("vdCBDirectControl").click();
  EXPECT_EQ(inputs.StartInputFunction(4), 0);
  Click(4, door);
  EXPECT_EQ(inputs.StartInputFunction(4), 0) << "input 4 drives the starter";
}

}  // namespace
