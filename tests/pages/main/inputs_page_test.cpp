#include "pages/main/inputs_page.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_grid.h"
#include "link/bus_worker.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "pages/main/button_commands.h"
#include "pages/main/impulse_inputs.h"
#include "pages/main/input_learning.h"
#include "pages/main/input_records.h"
#include "pages/main/main_board.h"
#include "shell/fake_page_host.h"
#include "sim/virtual_vehicle.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kFirst = 0;
constexpr uint8_t kThird = 4;
constexpr int kDoor = 1;
constexpr int kPark = 7;
constexpr int kCharge = 8;
constexpr int kTacho = 10;
constexpr int kAnalogButtons = 14;

int InputNamed(const TBoardModel& model, const char* name) {
  const auto& inputs = model.Pcb().Inputs();
  for (size_t i = 0; i < inputs.size(); ++i) {
    if (inputs[i].Name == QString::fromUtf8(name) && inputs[i].StartModuleInput < 0) {
      return static_cast<int>(i);
    }
  }
  ADD_FAILURE() << "no input " << name;
  return -1;
}

// The inputs page over a board of its own, bound to the main module of the virtual vehicle.
struct TInputsOnVehicle {
  TInputsOnVehicle(TAdapter& adapter, uint8_t config) {
    board.Model().SetConfiguration(config);
    rw.SetAdapter(&adapter);
    rw.SetClearDirtyAfterWrite(true);
    rw.SetLocations(kPersistentLocations);
    registry.SetRW(&rw);
    registry.BindControls(page.BoundControls(), {});
  }
  ~TInputsOnVehicle() { registry.SetRW(nullptr); }
  void Read() { registry.ReadDevice(registry.FindDevice(2), kPersistentLocations, {}); }
  void Write() { registry.WriteDevice(registry.FindDevice(2), kPersistentLocations, {}); }
  const TBoardModel& Model() const { return board.Model(); }

  TFakePageHost host;
  TMainBoard board;
  TMainInputs page{host, board};
  TLanRW rw;
  TLanDevices registry;
};

TEST(InputsPageOnVehicle, AnAssignedFunctionIsWrittenAndReadBackOnEveryGeneration) {
  struct TCase {
    uint8_t Config;
    int Task;
    const char* Pin;
  };
  const TCase cases[] = {{kFirst, kDoor, "3.о"}, {kFirst, kPark, "8.о"}, {kThird, kDoor, "2.о"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "config " << int(c.Config) << " pin " << c.Pin);
    auto vehicle = MakeTestVehicle();
    auto adapter = ConnectTo(vehicle);
    {
      TInputsOnVehicle written(*adapter, c.Config);
      written.Read();
      const int pin = InputNamed(written.Model(), c.Pin);
      const int row = written.page.RowOfPin(pin);
      const int column = written.page.ColumnOfTask(c.Task);
      ASSERT_GT(row, 0);
      ASSERT_GT(column, 0);
      written.page.ClickCell(row, column);
      ASSERT_EQ(written.Model().TaskIn(c.Task)->Pin, pin);
      EXPECT_EQ(written.page.Grid().item(row, column)->text(), QStringLiteral("●"));
      written.Write();
    }
    TInputsOnVehicle read(*adapter, c.Config);
    read.Read();
    read.page.PageShown();
    const int pin = InputNamed(read.Model(), c.Pin);
    EXPECT_EQ(read.Model().TaskIn(c.Task)->Pin, pin);
    EXPECT_EQ(
        read.page.Grid().item(read.page.RowOfPin(pin), read.page.ColumnOfTask(c.Task))->text(),
        QStringLiteral("●"));
  }
}

// The page over a third-generation board with the engine start module, firmware 4.
struct TThirdGenerationPage {
  TThirdGenerationPage() {
    host.Major = 4;
    board.Model().SetPresence({.StartModule = true});
    board.Model().SetConfiguration(kThird);
    page.PageShown();
  }
  const TTaskIn& Task(int id) const { return *board.Model().TaskIn(id); }
  TVDCheckBox& Box(const char* name) const { return page.Controls().Get<TVDCheckBox>(name); }

  TFakePageHost host;
  TMainBoard board;
  TMainInputs page{host, board};
  TInputRecords records{board.Model()};
};

TEST(InputsPage, TheTachoFromCanLeavesItsWireAndTakesTheChargeFunctionOffCan) {
  TThirdGenerationPage third;
  TBoardModel& model = third.board.Model();
  model.AssignInput(kTacho, InputNamed(model, "4.о"));
  model.SetFromCan(kCharge, true);
  third.page.ClickCell(third.page.CanRow(), third.page.ColumnOfTask(kTacho));
  EXPECT_EQ(third.page.TachoSource(), TTachoSource::Can);
  EXPECT_EQ(third.Task(kTacho).Pin, -1);
  EXPECT_FALSE(third.Task(kCharge).FromCan);
  EXPECT_TRUE(third.Box("VDCheckBox1").isChecked());
  EXPECT_EQ(third.records.SourceByte(kTacho), 0);

  // The charge function back on CAN sends the tacho back to its wire.
  third.page.ClickCell(third.page.CanRow(), third.page.ColumnOfTask(kCharge));
  EXPECT_TRUE(third.Task(kCharge).FromCan);
  EXPECT_EQ(third.page.TachoSource(), TTachoSource::Wire);
  EXPECT_FALSE(third.Box("VDCheckBox1").isChecked());
  EXPECT_EQ(third.records.SourceByte(kTacho), 255);
}

TEST(InputsPage, SteeringButtonsOnAnotherWireAreDigitalAndLeaveItWhenThatIsUnchecked) {
  TThirdGenerationPage third;
  const int wire = InputNamed(third.board.Model(), "4.о");
  third.page.ClickCell(third.page.RowOfPin(wire), third.page.ColumnOfTask(kAnalogButtons));
  ASSERT_EQ(third.Task(kAnalogButtons).Pin, wire);
  EXPECT_TRUE(third.Box("VDCheckBox20").isChecked());

  third.Box("VDCheckBox21").click();  // from CAN: the digital signal goes, and with it the wire
  EXPECT_FALSE(third.Box("VDCheckBox20").isChecked());
  EXPECT_EQ(third.Task(kAnalogButtons).Pin, -1);
  third.page.ClickCell(third.page.RowOfPin(wire), third.page.ColumnOfTask(kAnalogButtons));
  EXPECT_EQ(third.Task(kAnalogButtons).Pin, -1) << "refused while the buttons come from CAN";
}

class InputLearningTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(adapter->IsConnected());
    page.AttachBus(worker);
  }
  void TearDown() override { worker.Stop(); }
  uint8_t LearnedButtons() {
    return vehicle->WithVehicle(
        [](TVirtualVehicle& v) { return v.Module(2)->Memory(mlFlash).at(62912); });
  }
  bool StatusSays(const char* text) {
    return SpinUntil([&] { return host.Status.contains(QString::fromUtf8(text)); }, 3s);
  }
  TLanMsg LearningEnded(uint8_t learned) const {
    TLanMsg msg;
    msg.Source = 2;
    msg.Dest = kBroadcastAddr;
    msg.Command = 55;
    msg.Length = 1;
    msg.Data[0] = learned;
    return msg;
  }

  std::shared_ptr<TVirtualAdapter> vehicle = MakeTestVehicle();
  std::unique_ptr<TAdapter> adapter = ConnectTo(vehicle);
  TBusWorker worker{*adapter};
  TFakePageHost host;
  TMainBoard board;
  TMainInputs page{host, board};
};

TEST_F(InputLearningTest, TheModuleEchoesTheRequestAndLearnsTheButton) {
  page.Learning().Start(false, 3);
  ASSERT_TRUE(StatusSays("Обучение входу"));
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Window() != nullptr; }, 3s));
  EXPECT_EQ(page.Learning().Window()->windowTitle(), QStringLiteral("Обучить входу  4"));
  EXPECT_EQ(LearnedButtons() & 0x08, 0x08);
  host.Deliver(LearningEnded(1));
  EXPECT_TRUE(StatusSays("Обучение закончено"));
  EXPECT_FALSE(page.Learning().Active());
}

TEST_F(InputLearningTest, SilenceIsAFailureNotASuccess) {
  vehicle->SilenceModule(2, true);
  page.Learning().Start(true, 0);
  EXPECT_TRUE(StatusSays("Команда обучения не принята."));
  EXPECT_FALSE(page.Learning().Active());
  EXPECT_FALSE(host.Status.contains(QStringLiteral("Обучение закончено")));
  host.Deliver(LearningEnded(1));
  EXPECT_FALSE(host.Status.contains(QStringLiteral("Обучение закончено")));
}

TEST_F(InputLearningTest, GivingUpTellsTheModuleToStop) {
  page.Learning().Start(true, 1);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Window() != nullptr; }, 3s));
  vehicle->SilenceModule(2, true);
  page.Learning().Cancel();
  EXPECT_TRUE(StatusSays("Обучение отменено"));
  EXPECT_TRUE(StatusSays("Команда отмены обучения не принята."));
}

TEST(ButtonCommands, TheTagOfAnUnassignedEntryStaysOffAndSixteenPressesAreByteZero) {
  TButtonCommands buttons;
  buttons.ChoosePressCommand(16, 8);
  EXPECT_EQ(buttons.PressCommands[0], 8);
  buttons.ClickPressCell(16, 1);
  EXPECT_EQ(buttons.PressCommands[0], 0x88);
  buttons.ClickPressCell(2, 1);
  EXPECT_EQ(buttons.PressCommands[2], kNoCommand);
  buttons.ClickButtonCell(1, TButtonCommands::kTagColumn);
  EXPECT_EQ(buttons.Commands[0], kNoCommand);
  buttons.ChooseCombinationCommand(0, 5);
  buttons.ClickButtonCell(1, TButtonCommands::kTagColumn);
  EXPECT_EQ(buttons.Commands[0], 0x85);
  buttons.ClickButtonCell(1, 3);
  EXPECT_EQ(buttons.Masks[0], 0x04);
}

TEST(ImpulseInputsPanel, BeachPinBoxesExcludeEachOtherAndShiftKeepsAFittingItem) {
  TImpulseInputs impulses;
  impulses.ChooseItem(1, 3, false);
  impulses.ChooseItem(2, 4, false);
  impulses.SetBeachPin(1, true, true);
  EXPECT_TRUE(impulses.BeachPin(1));
  EXPECT_EQ(impulses.Item(1), 3) << "item 3 goes with the beach PIN when Shift is held";
  impulses.SetBeachPin(2, true, false);
  EXPECT_FALSE(impulses.BeachPin(1));
  EXPECT_EQ(impulses.Item(2), -1) << "without Shift the PIN box clears the algorithm";
  impulses.ChooseItem(2, 1, true);
  EXPECT_FALSE(impulses.BeachPin(2)) << "item 1 of input 3 does not go with the beach PIN";

  impulses.Show(1, 12, true);
  EXPECT_EQ(impulses.Item(1), 12) << "an item without a button of its own is kept";
}

// Functions that the first and second boards read on some wires only as configured at start-up:
// the page offers to write the settings and restart the system.
TEST(InputsPage, AFunctionOnAWireReadAtStartUpOffersToWriteAndRestart) {
  constexpr uint8_t kSecond = 32;
  constexpr int kSpeed = 9;
  struct TCase {
    uint8_t Config;
    int Task;
    const char* Pin;
    bool Asks;
  };
  const TCase cases[] = {{kFirst, kCharge, "8.о", true},
                         {kFirst, kDoor, "8.о", false},
                         {kSecond, kSpeed, "5.о", true},
                         {kThird, kDoor, "2.о", false}};
  for (const TCase& c : cases) {
    for (const bool yes : {true, false}) {
      SCOPED_TRACE(testing::Message()
                   << "config " << int(c.Config) << " task " << c.Task << (yes ? " yes" : " no"));
      TFakePageHost host;
      host.Yes = yes;
      QStringList run;
      QAction write;
      QAction restart;
      QObject::connect(&write, &QAction::triggered, [&run] { run << QStringLiteral("aWrite2"); });
      QObject::connect(&restart, &QAction::triggered,
                       [&run] { run << QStringLiteral("ResetSystem"); });
      host.Commands = {{QStringLiteral("aWrite2"), &write},
                       {QStringLiteral("ResetSystem"), &restart}};
      TMainBoard board;
      board.Model().SetConfiguration(c.Config);
      TMainInputs page{host, board};
      page.PageShown();
      const int pin = InputNamed(board.Model(), c.Pin);
      page.ClickCell(page.RowOfPin(pin), page.ColumnOfTask(c.Task));
      ASSERT_EQ(board.Model().TaskIn(c.Task)->Pin, pin);
      EXPECT_EQ(host.Asked.size(), c.Asks ? 1 : 0);
      const QStringList expected = {QStringLiteral("aWrite2"), QStringLiteral("ResetSystem")};
      EXPECT_EQ(run, c.Asks && yes ? expected : QStringList{});
    }
  }
}

}  // namespace
