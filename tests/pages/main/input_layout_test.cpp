// The byte layouts of the inputs page that are easy to get wrong: the assignment storage of
// each board generation, the impulse inputs, the command bytes and the press-count order.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "binding/page_table.h"
#include "pages/main/input_commands.h"
#include "pages/main/input_records.h"
#include "pages/main/input_values.h"
#include "pages/main/inputs_table.h"

namespace {

constexpr uint8_t kFirst = 0;
constexpr uint8_t kFirstPager = 2;
constexpr uint8_t kThird = 4;
constexpr uint8_t kSecond = 32;

constexpr int kDoor = 1;
constexpr int kTrunk = 2;
constexpr int kIgnition = 4;
constexpr int kButton = 5;
constexpr int kPark = 7;
constexpr int kSpeed = 9;
constexpr int kTacho = 10;

struct TBoard {
  explicit TBoard(uint8_t config) {
    model.SetPresence({.StartModule = true});
    model.SetConfiguration(config);
  }
  // The pin name of a function, "" for none; a start-module input reads "start N".
  QString PinOf(int taskId) const {
    const int pin = model.TaskIn(taskId)->Pin;
    if (pin < 0) return {};
    const TIn& in = model.Pcb().Inputs()[static_cast<size_t>(pin)];
    if (in.StartModuleInput >= 0) return QStringLiteral("start %1").arg(in.StartModuleInput);
    return in.Name;
  }
  std::array<uint8_t, 3> Record(int taskId) const {
    return {records.PinByte(taskId), records.SourceByte(taskId), records.FixedByte(taskId)};
  }

  TBoardModel model;
  TInputRecords records{model};
};

TEST(InputRecords, OlderBoardsKeepThePinCodeWithItsSettingBits) {
  struct TCase {
    uint8_t Config;
    int Task;
    uint8_t Stored;
    const char* Pin;  // "" for none
    uint8_t StoredBack;
  };
  // clang-format off
  const TCase cases[] = {
      {kFirst, kDoor, 4, "5.о", 4},
      {kFirst, kDoor, 4 | 2, "5.о", 4 | 2},          // the trigger-type bit goes with the pin
      {kFirst, kTacho, 60, "8.о", 60},
      {kFirst, kPark, 32, "3.о", 32},
      {kFirst, kDoor, 255, "", 255},
      {kFirst, kDoor, 201, "", 201},                  // no such pin: the byte stays as it was
      {kFirst, kButton, 0, "", 34},                   // the button always names input 34
      {kSecond, kIgnition, 60, "3.о", 60},
      {kSecond, 3, 4 | 16 | 2, "5.о", 4 | 16 | 2},    // polarity and trigger-type bits
      {kSecond, kTrunk, 68, "2.о", 68},
  };
  // clang-format on
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "config " << int(c.Config) << " task " << c.Task
                                    << " code " << int(c.Stored));
    TBoard board(c.Config);
    board.records.LoadOlder(c.Task, c.Stored);
    if (c.Task != kButton) {
      EXPECT_EQ(board.PinOf(c.Task), QString::fromUtf8(c.Pin));
    }
    EXPECT_EQ(board.records.OlderByte(c.Task), c.StoredBack);
  }
  TBoard board(kFirst);
  board.records.LoadOlder(kPark, 32);
  board.records.LoadOlder(kButton, 34);
  EXPECT_EQ(board.PinOf(kPark), QStringLiteral("3.о")) << "34 is 3.о with its trigger-type bit";
  EXPECT_EQ(board.records.OlderByte(kPark), 32);
}

TEST(InputRecords, ThirdGenerationRecordsNameAWireCanOrAStartModuleInput) {
  struct TCase {
    int Task;
    uint8_t Pin;
    uint8_t Source;
    const char* Shown;  // "" for none
    bool FromCan;
    std::array<uint8_t, 3> StoredBack;
  };
  // clang-format off
  const TCase cases[] = {
      {kDoor, 50, 0, "4.о", true, {50, 0, 1}},
      {kDoor, 50 | 128, 255, "4.о", false, {50 | 128, 255, 1}},
      // 106 names both 5.о and start-module input 2: byte 1 decides.
      {kTrunk, 106, 255, "5.о", false, {106, 255, 17}},
      {kIgnition, 255, 106, "start 2", false, {49, 106, 0}},
      // The tacho record names its start-module input with bit 1 set.
      {kTacho, 255, 106, "start 0", false, {255, 106, 0}},
      {kTacho, 255, 105, "start 0", false, {255, 106, 0}},
      {kTacho, 255, 0, "", true, {255, 0, 255}},
      {kPark, 255, 255, "", false, {255, 255, 97}},
      {14, 57, 255, "7.о", false, {57, 255, 53}},
  };
  // clang-format on
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "task " << c.Task << " bytes " << int(c.Pin) << ", "
                                    << int(c.Source));
    TBoard board(kThird);
    board.records.LoadPinByte(c.Task, c.Pin);
    EXPECT_TRUE(board.records.LoadSourceByte(c.Task, c.Source));
    EXPECT_EQ(board.PinOf(c.Task), QString::fromUtf8(c.Shown));
    EXPECT_EQ(board.model.TaskIn(c.Task)->FromCan, c.FromCan);
    EXPECT_EQ(board.Record(c.Task), c.StoredBack);
  }
}

TEST(InputRecords, AnUnknownStartModuleInputFailsButIsKept) {
  TBoard board(kThird);
  board.records.LoadPinByte(kPark, 97);
  EXPECT_FALSE(board.records.LoadSourceByte(kPark, 120));
  EXPECT_EQ(board.PinOf(kPark), QString());
  EXPECT_EQ(board.Record(kPark), (std::array<uint8_t, 3>{97, 120, 0}));
}

TEST(InputRecords, RemovingAStartModuleAssignmentStoresNone) {
  TBoard board(kThird);
  board.records.LoadPinByte(kIgnition, 49);
  board.records.LoadSourceByte(kIgnition, 105);
  const int pin = board.model.TaskIn(kIgnition)->Pin;
  board.model.AssignInput(kIgnition, pin);  // a click on the cell it already holds
  EXPECT_EQ(board.Record(kIgnition), (std::array<uint8_t, 3>{255, 255, 49}));
}

TEST(InputRecords, ThirdGenerationDefaultsTakeTheDoorsAndIgnitionFromCan) {
  TBoard board(kThird);
  for (int task = 1; task <= 19; ++task) {
    if (board.model.TaskIn(task) == nullptr) continue;
    SCOPED_TRACE(task);
    board.records.DefaultPinByte(task);
    const bool can = task == 1 || task == 2 || task == 3 || task == 4 || task == 15 || task == 17;
    EXPECT_EQ(board.records.DefaultSourceByte(task), can ? 0 : 255);
    EXPECT_EQ(board.model.TaskIn(task)->FromCan, can);
  }
  EXPECT_EQ(board.PinOf(kDoor), QStringLiteral("4.о"));
  EXPECT_EQ(board.Record(kDoor), (std::array<uint8_t, 3>{50, 0, 1}));
}

TEST(InputRecords, APresenceChangeLeavesEveryStoredByteAsItWas) {
  TBoard board(kThird);
  const std::pair<uint8_t, uint8_t> loaded[] = {
      {50 | 128, 0}, {106, 255}, {255, 255}, {255, 107}, {34, 255}, {255, 255}, {201, 255},
      {255, 255},    {255, 255}, {255, 104}};
  for (int task = 1; task <= 10; ++task) {
    board.records.LoadPinByte(task, loaded[task - 1].first);
    board.records.LoadSourceByte(task, loaded[task - 1].second);
  }
  std::vector<std::array<uint8_t, 3>> before;
  for (int task = 1; task <= 10; ++task) before.push_back(board.Record(task));
  for (const bool startModule : {false, true}) {
    board.model.SetPresence({.StartModule = startModule});
    board.model.Rebuild();
    for (int task = 1; task <= 10; ++task) {
      EXPECT_EQ(board.Record(task), before[static_cast<size_t>(task - 1)]) << task;
    }
  }
}

TEST(InputsTable, RecordCellsMapToTheirFunctionAndByte) {
  struct TCase {
    const char* Name;
    int Task;
    TInputCellKind Kind;
  };
  const TCase cases[] = {
      {"vddinDoor", 1, TInputCellKind::Older},
      {"vddInAHJ", 13, TInputCellKind::Older},
      {"vddinDoorFlash", 1, TInputCellKind::Pin},
      {"vddInTaxoFlashCan", 10, TInputCellKind::Source},
      {"VDData16", 17, TInputCellKind::Fixed},
      {"VDData18", 19, TInputCellKind::Pin},
      {"VDData19", 19, TInputCellKind::Source},
      {"VDData20", 12, TInputCellKind::Fixed},
      {"AnInpLearned", 0, TInputCellKind::None},
  };
  const auto rows = MainInputsTable().Rows;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto row = std::ranges::find_if(
        rows, [&c](const TControlRow& r) { return std::string_view(r.Name) == c.Name; });
    ASSERT_NE(row, rows.end());
    const TInputCell cell = InputCellOfRow(*row);
    EXPECT_EQ(cell.TaskId, c.Task);
    EXPECT_EQ(cell.Kind, c.Kind);
  }
}

TEST(InputCommands, TheTagFlagOfAnUnassignedEntryCannotBeSet) {
  EXPECT_EQ(ToggleTag(kNoCommand), kNoCommand);
  EXPECT_EQ(ToggleTag(5), 0x85);
  EXPECT_EQ(ToggleTag(0x85), 5);
  EXPECT_EQ(WithCommand(kNoCommand, 3), 3) << "a new assignment starts without the tag";
  EXPECT_EQ(WithCommand(0x85, 7), 0x87);
  EXPECT_EQ(WithCommand(7, -1), kNoCommand);
  EXPECT_FALSE(RequiresTag(kNoCommand));
  EXPECT_EQ(CommandText(kNoCommand), QStringLiteral("Не назначено"));
  EXPECT_EQ(CommandText(0x80 | 33), QStringLiteral("Заблокировать/разблокировать комбинацию №1"));
}

TEST(InputCommands, SixteenPressesLiveInByteZero) {
  EXPECT_EQ(PressCountByte(16), 0);
  EXPECT_EQ(PressCountByte(1), 1);
  EXPECT_EQ(PressCountByte(15), 15);
}

TEST(ImpulseInputs, InputOneSpreadsItsItemOverTwoBytesKeepingTheirOtherBits) {
  // Item to (bits 7-6, bit 5).
  const std::pair<uint8_t, bool> codes[] = {{0b00, false}, {0b01, false}, {0b11, false},
                                            {0b10, false}, {0b00, true},  {0b01, true},
                                            {0b10, true},  {0b11, true}};
  for (int item = 0; item < 8; ++item) {
    SCOPED_TRACE(item);
    const TImpulse1Bytes bytes = WithImpulse1Item({.High = 0x2D, .Low = 0xDF}, item);
    EXPECT_EQ(bytes.High, (codes[item].first << 6) | 0x2D);
    EXPECT_EQ(bytes.Low, codes[item].second ? 0xFF : 0xDF);
    EXPECT_EQ(Impulse1Item(bytes), item);
  }
}

TEST(ImpulseInputs, InputsTwoAndThreeAddTheBeachPinFlagToTheItem) {
  EXPECT_EQ(ImpulseByte({.Item = 3, .BeachPin = true}), 115);
  EXPECT_EQ(ImpulseByte({.Item = 3, .BeachPin = false}), 243);
  EXPECT_EQ(ImpulseChoice(115, 0x0F), (TImpulseChoice{.Item = 3, .BeachPin = true}));
  EXPECT_EQ(ImpulseChoice(243, 0x0F), (TImpulseChoice{.Item = 3, .BeachPin = false}));
  EXPECT_EQ(ImpulseChoice(255, 0x0F), (TImpulseChoice{.Item = -1, .BeachPin = false}));
  EXPECT_EQ(ImpulseChoice(0x7F, 0x0F), (TImpulseChoice{.Item = -1, .BeachPin = true}));
  EXPECT_EQ(ImpulseChoice(0xFD, 0x07), (TImpulseChoice{.Item = 5, .BeachPin = false}))
      << "input 3 reads its low three bits";
  EXPECT_EQ(ImpulseByte({.Item = -1, .BeachPin = false}), 255);
}

TEST(BeachPin, TheTrunkPinAddsOneToTheLastDigit) {
  EXPECT_EQ(TrunkPinText(QStringLiteral("6493")), QStringLiteral("6-4-9-4"));
  EXPECT_EQ(TrunkPinText(QStringLiteral("1239")), QStringLiteral("1-2-3-10"));
  EXPECT_EQ(TrunkPinText(QStringLiteral("123")), QString());
}

TEST(AdcReading, RevisionChoosesTheInputDivider) {
  const TAdcTexts newer = AdcTexts(128, 8);
  EXPECT_EQ(newer.Input, QStringLiteral("  3.31 [В]"));
  EXPECT_EQ(newer.Supply, QStringLiteral("  3.67 [В]"));
  EXPECT_EQ(AdcTexts(128, 7).Input, QStringLiteral(" 10.64 [В]"));
}

}  // namespace
