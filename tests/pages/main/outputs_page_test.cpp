#include "pages/main/outputs_page.h"

#include <gtest/gtest.h>

#include "binding/ui/vd_data.h"
#include "binding/ui/vd_grid.h"
#include "link/bus_worker.h"
#include "memory/lan_rw.h"
#include "options_page_fixture.h"
#include "pages/main/main_board.h"
#include "pages/main/outputs_editor.h"
#include "pages/main/start_relays.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

constexpr uint8_t kSecondGeneration = 32;
constexpr uint8_t kThirdGeneration = 4;
constexpr int kLeftSide = 2;
constexpr int kRightSide = 3;
constexpr int kLock = 4;
constexpr int kUnlock = 5;
constexpr int kStarter = 13;

int OutputNamed(const TBoardModel& model, const char* name) {
  const auto& outputs = model.Pcb().Outputs();
  for (size_t i = 0; i < outputs.size(); ++i) {
    if (outputs[i].Name == QString::fromUtf8(name)) return static_cast<int>(i);
  }
  ADD_FAILURE() << "no output " << name;
  return -1;
}

// A third-generation board with the engine start module, edited as the grid edits it.
struct TEditedBoard {
  explicit TEditedBoard(uint8_t config = kThirdGeneration) {
    model.SetPresence({.StartModule = true});
    model.SetConfiguration(config);
  }
  std::vector<int> On(int pin) const { return model.TasksOn(pin); }

  TBoardModel model;
  TStartRelays relays;
  TOutputsEditor editor{model, relays};
};

TEST(OutputsEditor, JoiningKeepsTheFunctionsOfAPinAndAPlainClickReplacesThem) {
  TEditedBoard board;
  const int pin = OutputNamed(board.model, "RL1");
  ASSERT_TRUE(board.editor.Click(kLeftSide, pin, false));
  ASSERT_TRUE(board.editor.Click(kLock, pin, true));
  EXPECT_EQ(board.On(pin), (std::vector<int>{kLeftSide, kLock}));
  ASSERT_TRUE(board.editor.Click(kUnlock, pin, false));
  EXPECT_EQ(board.On(pin), std::vector<int>{kUnlock});
  EXPECT_FALSE(board.relays.Drives(kLeftSide - 1, 1)) << "a released function leaves the relay";
  EXPECT_TRUE(board.relays.Drives(kUnlock - 1, 1));
}

TEST(OutputsEditor, ShiftBetweenStartRelaysAddsARelayAndAPlainClickMovesTheFunction) {
  TEditedBoard board;
  const int rl2 = OutputNamed(board.model, "RL2");
  const int rl4 = OutputNamed(board.model, "RL4");
  ASSERT_TRUE(board.editor.Click(kLeftSide, rl2, false));
  ASSERT_TRUE(board.editor.Click(kLeftSide, rl4, true));
  EXPECT_EQ(board.model.Task(kLeftSide)->Pin, rl2);
  EXPECT_EQ(board.relays.MaskByte(kLeftSide - 1), 0b1010);
  EXPECT_EQ(board.editor.Cell(kLeftSide, rl4), TOutputCell::Relay);

  ASSERT_TRUE(board.editor.Click(kLeftSide, rl4, false));
  EXPECT_EQ(board.model.Task(kLeftSide)->Pin, rl4);
  EXPECT_EQ(board.relays.MaskByte(kLeftSide - 1), 0b1000);

  ASSERT_TRUE(board.editor.Click(kLeftSide, rl4, false)) << "a click on its own pin releases it";
  EXPECT_EQ(board.model.Task(kLeftSide)->Pin, -1);
  EXPECT_EQ(board.relays.MaskByte(kLeftSide - 1), 0);
}

TEST(OutputsEditor, SecondGenerationBoardsRefuseTheRightSideAndTheStarter) {
  TEditedBoard board(kSecondGeneration);
  for (const int task : {kRightSide, kStarter}) {
    SCOPED_TRACE(task);
    EXPECT_FALSE(board.model.IsAssignable(*board.model.Task(task)));
    for (int pin = 0; pin < static_cast<int>(board.model.Pcb().Outputs().size()); ++pin) {
      EXPECT_EQ(board.editor.Cell(task, pin), TOutputCell::Refused);
      EXPECT_FALSE(board.editor.Click(task, pin, false));
    }
  }
}

TEST(OutputsEditor, OnlyTheFunctionsWithACanBitToggleIt) {
  TEditedBoard board;
  const std::pair<int, uint8_t> cases[] = {{4, 0x01}, {5, 0x02},  {8, 0x10},
                                           {2, 0x20}, {11, 0x40}, {17, 0x80}};
  for (const auto& [task, bit] : cases) {
    board.editor.CanOutputs() = 0;
    ASSERT_TRUE(board.editor.ToggleCan(task)) << task;
    EXPECT_EQ(board.editor.CanOutputs(), bit) << task;
  }
  EXPECT_FALSE(board.editor.ToggleCan(kRightSide));
}

TEST(StartRelays, DelaysAreTimeBytesShownInSecondsOrMinutes) {
  struct TCase {
    int position;
    uint8_t stored;
    const char* text;
  };
  const TCase cases[] = {{0, 0, "0.00 c"},       {100, 100, "5.00 c"},   {101, 128, "5.50 c"},
                         {150, 177, "30.00 c"},  {210, 237, "60.00 c"},  {211, 238, "   2 мин"},
                         {213, 240, "   4 мин"}, {220, 247, "  31 мин"}, {225, 252, "  56 мин"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.position);
    TStartRelays relays;
    relays.SetDelays(2, 3, c.position, c.position);
    EXPECT_EQ(relays.OnDelayByte(6 * 2 + 2), c.stored);
    EXPECT_EQ(relays.OffDelayByte(6 * 2 + 2), c.stored);
    EXPECT_EQ(relays.OnDelay(2, 3), c.position);
    EXPECT_EQ(DelayText(c.position), QString::fromUtf8(c.text));
  }
  TStartRelays relays;
  relays.OnDelayByte(0) = 120;
  EXPECT_EQ(relays.OnDelay(0, 1), 120) << "a byte in the unused range shows as it is";
  relays.SetDelays(0, 1, relays.OnDelay(0, 1), 0);
  EXPECT_EQ(relays.OnDelayByte(0), 147);
}

// The outputs page over a first-generation board in the settings image.
struct TBoundOutputsPage {
  TBoundOutputsPage() { registry.BindControls(page.BoundControls(), {}); }
  TEEMemoryItem& Settings() const {
    return *dynamic_cast<TEEMemoryItem*>(registry.FindMem(2, mlExt));
  }

  TFakePageHost host;
  TMainBoard board;
  TMainOutputs page{host, board};
  TLanDevices registry;
  TModuleMemory module;
};

TEST(OutputsPage, AClickMovesAFunctionAndTheWriteStoresItsPinCodeKeepingUnknownCodes) {
  TBoundOutputsPage bound;
  bound.module.Put(0, {0});
  const int firstPin = bound.board.Model().Pcb().OutputAt(1);
  ASSERT_GE(firstPin, 0);
  const uint8_t firstCode = bound.board.Model().Pcb().Outputs()[size_t(firstPin)].Code;
  bound.module.Put(145, {firstCode, 0x77});
  bound.Settings().Load(bound.module);
  bound.page.PageShown();

  const TBoardModel& model = bound.board.Model();
  EXPECT_EQ(model.Task(kLeftSide)->Pin, firstPin);
  const int row = bound.page.RowOfPin(firstPin);
  const int column = bound.page.ColumnOfTask(kLeftSide);
  ASSERT_GT(row, 0);
  ASSERT_GT(column, 0);
  EXPECT_FALSE(bound.page.Grid().item(row, column)->text().isEmpty());

  const int secondPin = model.Pcb().OutputAt(2);
  bound.page.ClickCell(bound.page.RowOfPin(secondPin), column, false);
  EXPECT_EQ(model.Task(kLeftSide)->Pin, secondPin);
  EXPECT_TRUE(bound.Settings().IsModified());
  bound.Settings().Store(bound.module);
  EXPECT_EQ(bound.module.Bytes[145], model.Pcb().Outputs()[size_t(secondPin)].Code);
  EXPECT_EQ(bound.module.Bytes[146], 0x77) << "a code that names no pin stays as it was";
}

// A third-generation board read from the virtual vehicle: the page asks the module for the
// board's sub-revision, which gives the pins 16.о and 12.о their newer codes.
TEST(OutputsPage, AThirdGenerationBoardTakesThePinCodesOfTheModulesSubRevision) {
  using namespace std::chrono_literals;
  auto vehicle = MakeTestVehicle();
  vehicle->WithVehicle(
      [](TVirtualVehicle& v) { v.Module(2)->Memory(kSimExt)[0] = kThirdGeneration; });
  const auto adapter = ConnectTo(vehicle);
  ASSERT_TRUE(adapter->IsConnected());
  TBusWorker worker{*adapter};
  TLanRW rw;
  rw.SetAdapter(adapter.get());
  rw.SetLocations(kPersistentLocations);
  TLanDevices registry;
  registry.SetRW(&rw);
  TFakePageHost host;
  TMainBoard board;
  TMainOutputs page{host, board};
  registry.BindControls(page.BoundControls(), {});
  registry.ReadDevice(registry.FindDevice(2), kPersistentLocations, {});

  // The window reads on the bus worker too; here the configuration is shown again once the
  // page has the worker, so that the read and the request do not share the line.
  page.AttachBus(worker);
  page.Controls().Get<TVDData>("vddConfig").Load();
  SpinUntil([&board] { return board.Model().Pcb().SubRevision() != 0; }, 5s);
  EXPECT_EQ(board.Model().Pcb().SubRevision(), 13);
  const auto& outputs = board.Model().Pcb().Outputs();
  EXPECT_EQ(outputs[size_t(OutputNamed(board.Model(), "16.о"))].Code, 107);
  EXPECT_EQ(outputs[size_t(OutputNamed(board.Model(), "12.о"))].Code, 42);
  worker.Stop();
  registry.SetRW(nullptr);
}

}  // namespace
