#include "pages/main/board_model.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "test_support.h"

namespace {

constexpr uint8_t kFirst = 0;
constexpr uint8_t kFirstPager = 2;
constexpr uint8_t kThird = 4;
constexpr uint8_t kSecond = 32;
constexpr uint8_t kSecondPager = 34;
constexpr uint8_t kSecondSirenMoved = 96;
constexpr uint8_t kSecondPagerSirenMoved = 98;

constexpr TBoardPresence kNoModules = {};
constexpr TBoardPresence kAllModules = {.StartModule = true, .OutputExtender = true};

// A board as the outputs page sets it up: presence first, then the configuration byte.
TBoardModel MakeBoard(uint8_t config, std::optional<uint8_t> subRevision = std::nullopt,
                      TBoardPresence presence = kNoModules) {
  TBoardModel model;
  model.SetPresence(presence);
  model.SetConfiguration(config);
  if (subRevision) model.SetSubRevision(*subRevision);
  return model;
}

int OutputNamed(const TBoardModel& model, const char* name) {
  const auto& outputs = model.Pcb().Outputs();
  for (size_t i = 0; i < outputs.size(); ++i)
    if (outputs[i].Name == QString::fromUtf8(name)) return static_cast<int>(i);
  ADD_FAILURE() << "no output " << name;
  return -1;
}

// Main-module inputs only: the start module's inputs share the name 7.о.
int InputNamed(const TBoardModel& model, const char* name) {
  const auto inputs = model.Pcb().MainInputs();
  for (size_t i = 0; i < inputs.size(); ++i)
    if (inputs[i].Name == QString::fromUtf8(name)) return static_cast<int>(i);
  ADD_FAILURE() << "no input " << name;
  return -1;
}

QString OutputName(const TBoardModel& model, int pin) {
  return pin < 0 ? QString() : model.Pcb().Outputs()[static_cast<size_t>(pin)].Name;
}

QString InputName(const TBoardModel& model, int pin) {
  return pin < 0 ? QString() : model.Pcb().Inputs()[static_cast<size_t>(pin)].Name;
}

QString PinOfTask(const TBoardModel& model, int taskId) {
  return OutputName(model, model.Task(taskId)->Pin);
}

QString PinOfTaskIn(const TBoardModel& model, int taskId) {
  return InputName(model, model.TaskIn(taskId)->Pin);
}

TEST(BoardConfiguration, ByteChoosesGenerationVariantAndMasks) {
  struct TCase {
    uint8_t Config;
    TPcbGeneration Generation;
    bool Pager;
    const char* FirstShownOutput;
    uint8_t PolarityMask;
    uint8_t TriggerMask;
  };
  // clang-format off
  const TCase cases[] = {
      {kThird, TPcbGeneration::Third, false, "16.о", 8, 128},
      {kThird | kSecond, TPcbGeneration::Third, false, "16.о", 8, 128},
      {kSecond, TPcbGeneration::Second, false, "9+7.о", 16, 2},
      {kSecondPager, TPcbGeneration::Second, true, "9+7.о", 16, 2},
      {kFirst, TPcbGeneration::First, false, "18.о", 16, 2},
      {kFirstPager, TPcbGeneration::First, true, "18.о", 16, 2},
      {8, TPcbGeneration::First, false, "18.о", 16, 2},
  };
  // clang-format on
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Config);
    const TBoardModel model = MakeBoard(c.Config);
    const TPCB& pcb = model.Pcb();
    EXPECT_EQ(pcb.Generation(), c.Generation);
    EXPECT_EQ(pcb.IsThirdGeneration(), c.Generation == TPcbGeneration::Third);
    EXPECT_EQ(pcb.Config().Pager(), c.Pager);
    EXPECT_EQ(pcb.Config().Byte(), c.Config);
    EXPECT_EQ(OutputName(model, pcb.OutputAt(1)), QString::fromUtf8(c.FirstShownOutput));
    EXPECT_EQ(pcb.PolarityMask(), c.PolarityMask);
    EXPECT_EQ(pcb.TriggerMask(), c.TriggerMask);
  }
}

TEST(BoardConfiguration, NewerBoardMarkChangesTheFlagNotTheLists) {
  TBoardModel model = MakeBoard(kFirst);
  model.MarkThirdGeneration();
  EXPECT_TRUE(model.Pcb().IsThirdGeneration());
  EXPECT_EQ(OutputName(model, model.Pcb().OutputAt(1)), "18.о");

  model.Rebuild();
  EXPECT_EQ(OutputName(model, model.Pcb().OutputAt(1)), "16.о");

  // Loading the byte again takes the flag from bit 2.
  model.SetConfiguration(kFirst);
  EXPECT_FALSE(model.Pcb().IsThirdGeneration());
}

// A stored code must name the wire the module drives; the pins by board, sub-revision and code.
TEST(BoardTables, StoredOutputCodeNamesThePinOfEachBoard) {
  struct TCase {
    uint8_t Config;
    std::optional<uint8_t> SubRevision;
    uint8_t Code;
    const char* Pin;  // "" for none
  };
  // clang-format off
  const TCase cases[] = {
      {kThird, {}, 204, "LED"},
      {kThird, {}, 169, "16.о"},
      {kThird, {}, 140, "8.о"},
      {kThird, {}, 137, "1.о"},
      {kThird, {}, 139, "1.о"},
      {kThird, {}, 108, "9.о"},
      {kThird, {}, 172, "9.о"},
      {kThird, {}, 233, "12.о"},
      {kThird, {}, 77, "11.о"},
      {kThird, {}, 45, "3.о"},
      {kThird, {}, 24, "MR"},
      {kThird, {}, 44, "10.о"},
      {kThird, {}, 171, "7.о"},
      {kThird, {}, 14, "RO1"},
      {kThird, {}, 46, "RO2"},
      {kThird, {}, 15, "RL1"},
      {kThird, {}, 47, "RL2"},
      {kThird, {}, 79, "RL3"},
      {kThird, {}, 111, "RL4"},
      {kThird, {}, 143, "RL5"},
      {kThird, {}, 175, "RL6"},
      {kThird, {}, 152, "SVH1"},
      {kThird, {}, 56, "SVW"},
      {kThird, {}, 220, "SVL2"},
      {kThird, {}, 107, ""},
      {kThird, {}, 42, ""},
      {kThird, 8, 169, "16.о"},
      {kThird, 9, 107, "16.о"},
      {kThird, 9, 169, ""},
      {kThird, 12, 233, "12.о"},
      {kThird, 13, 42, "12.о"},
      {kThird, 13, 233, "3V (от pcb 17)"},
      {kSecond, {}, 42, "LED"},
      {kSecond, {}, 74, "9+7.о"},
      {kSecond, {}, 170, "2.д"},
      {kSecond, {}, 106, "5.д"},
      {kSecond, {}, 14, "1.о"},
      {kSecond, {}, 111, "11.о"},
      {kSecond, {}, 15, "10.о"},
      {kSecond, {}, 88, "SVI"},
      {kSecond, {}, 203, ""},
      {kSecond, {}, 248, ""},
      {kSecondSirenMoved, {}, 203, "1.о"},
      {kSecondSirenMoved, {}, 14, ""},
      {kSecondPager, {}, 14, "1.о"},
      {kSecondPager, {}, 248, "MV1"},
      {kSecondPager, {}, 252, "MV2"},
      {kSecondPagerSirenMoved, {}, 203, "1.о"},
      {kFirst, {}, 169, "LED"},
      {kFirst, {}, 42, "18.о"},
      {kFirst, {}, 203, "9.о"},
      {kFirst, {}, 139, "2.д"},
      {kFirst, {}, 137, ""},
      {kFirst, {}, 171, "5.д"},
      {kFirst, {}, 78, "11.о"},
      {kFirst, {}, 142, "12.о"},
      {kFirst, {}, 111, "13.о"},
      {kFirst, {}, 15, "1.о"},
      {kFirst, {}, 174, "14.о"},
      {kFirst, {}, 47, "10.о"},
      {kFirst, {}, 248, ""},
      {kFirstPager, {}, 78, "11.о"},
      {kFirstPager, {}, 111, "13.о"},
      {kFirstPager, {}, 248, "MV1"},
      {kFirstPager, {}, 252, "MV2"},
  };
  // clang-format on
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "config " << int(c.Config) << " sub-revision "
                                    << int(c.SubRevision.value_or(0)) << " code " << int(c.Code));
    const TBoardModel model = MakeBoard(c.Config, c.SubRevision);
    EXPECT_EQ(OutputName(model, model.Pcb().FindOutput(c.Code)), QString::fromUtf8(c.Pin));
  }
}

TEST(BoardTables, StoredInputCodeNamesThePinApartFromItsSettingBits) {
  struct TCase {
    uint8_t Config;
    uint8_t Code;
    const char* Pin;  // "" for none
  };
  // clang-format off
  const TCase cases[] = {
      {kThird, 50, "4.о"},
      {kThird, 50 | 128, "4.о"},
      {kThird, 50 | 8, ""},  // 4.о has no polarity toggle: the bit is part of its code,
      {kThird, 106, "5.о"},
      {kThird, 90 | 8 | 128, "2.о"},
      {kThird, 124, "6.о"},
      {kThird, 34, "pin"},
      {kThird, 57, "7.о"},
      {kThird, 104, ""},  // a start-module input, found only as such,
      {kSecond, 36, "4.о"},
      {kSecond, 36 | 2, "4.о"},
      {kSecond, 36 | 16, ""},
      {kSecond, 4 | 16 | 2, "5.о"},
      {kSecond, 60, "3.о"},
      {kSecond, 164, "pin"},
      {kSecond, 161, ""},
      {kSecondPager, 161, "4.с"},
      {kSecondPager, 161 | 2, "4.с"},
      {kSecondPager, 4 | 16, "5.о"},
      {kFirst, 4, "5.о"},
      {kFirst, 0, "2.о"},
      {kFirst, 2, "2.о"},
      {kFirst, 28, "7.о"},
      {kFirst, 8, "pin"},
      {kFirst, 32, "3.о"},
      {kFirst, 60 | 2, "8.о"},
      {kFirst, 60 & ~16, ""},
      {kFirstPager, 161, "4.с"},
      {kFirstPager, 0, "2.о"},
  };
  // clang-format on
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "config " << int(c.Config) << " code " << int(c.Code));
    const TBoardModel model = MakeBoard(c.Config);
    EXPECT_EQ(InputName(model, model.Pcb().FindInput(c.Code)), QString::fromUtf8(c.Pin));
  }
  const TBoardModel third = MakeBoard(kThird);
  for (int n = 0; n < 4; ++n) {
    const int pin = third.Pcb().FindStartInput(static_cast<uint8_t>(104 + n));
    ASSERT_GE(pin, 0);
    EXPECT_EQ(third.Pcb().Inputs()[static_cast<size_t>(pin)].StartModuleInput, n);
  }
}

TEST(BoardTables, DefaultFunctionsGoToTheFirstPinNamingThem) {
  struct TCase {
    uint8_t Config;
    int Task;
    const char* Pin;  // "" for none
  };
  // clang-format off
  const TCase outputs[] = {
      {kThird, 1, "LED"},
      {kThird, 2, "16.о"},
      {kThird, 3, "8.о"},
      {kThird, 6, "12.о"},
      {kThird, 10, "MR"},
      {kThird, 11, "10.о"},
      {kThird, 15, "SVH1"},
      {kThird, 16, "SVH2"},
      {kThird, 12, ""},
      {kThird, 13, ""},
      {kSecond, 2, "9+7.о"},
      {kSecond, 3, ""},
      {kSecond, 6, "1.о"},
      {kSecond, 7, ""},
      {kSecond, 12, "SVI"},
      {kSecond, 15, "SVH1"},
      {kSecond, 17, "SVA"},
      {kSecondPager, 6, ""},
      {kSecondPager, 7, "1.о"},
      {kSecondPager, 15, "MV1"},
      {kSecondPager, 16, "MV2"},
      {kFirst, 3, "9.о"},
      {kFirst, 6, "11.о"},
      {kFirst, 7, "12.о"},
      {kFirst, 11, "SVW"},
      {kFirst, 13, "10.о"},
      {kFirstPager, 6, ""},
      {kFirstPager, 8, "11.о"},
      {kFirstPager, 11, "13.о"},
      {kFirstPager, 15, "MV1"},
      {kFirstPager, 16, "MV2"},
      {kFirstPager, 17, "SVA"},
  };
  // clang-format on
  for (const TCase& c : outputs) {
    SCOPED_TRACE(testing::Message() << "config " << int(c.Config) << " output function " << c.Task);
    TBoardModel model = MakeBoard(c.Config);
    model.DefaultOutput(c.Task);
    EXPECT_EQ(PinOfTask(model, c.Task), QString::fromUtf8(c.Pin));
  }
  // clang-format off
  const TCase inputs[] = {
      {kThird, 1, "4.о"},
      {kThird, 3, "2.о"},
      {kThird, 5, "pin"},
      {kThird, 14, "7.о"},
      {kThird, 10, ""},
      {kSecond, 3, "5.о"},
      {kSecond, 9, ""},
      {kSecondPager, 3, "4.с"},
      {kSecondPager, 9, "5.о"},
      {kFirst, 3, "2.о"},
      {kFirst, 7, "3.о"},
      {kFirst, 10, "8.о"},
      {kFirstPager, 9, ""},
      {kFirstPager, 3, "4.с"},
  };
  // clang-format on
  for (const TCase& c : inputs) {
    SCOPED_TRACE(testing::Message() << "config " << int(c.Config) << " input function " << c.Task);
    TBoardModel model = MakeBoard(c.Config);
    model.DefaultInput(c.Task);
    EXPECT_EQ(PinOfTaskIn(model, c.Task), QString::fromUtf8(c.Pin));
  }
}

// Catches a mistyped code anywhere in the tables: board outputs are port + 8 + 32 × bit,
// relays 24 + 4 × (n mod 2) + 32 × (n div 2), and no two pins of a board share a code but
// the one pair the board really has.
TEST(BoardTables, OutputCodesFollowTheirEncodingAndAreUnique) {
  std::set<int> relayCodes;
  for (int n = 0; n < 16; ++n) relayCodes.insert(24 + 4 * (n % 2) + 32 * (n / 2));
  EXPECT_EQ(relayCodes, (std::set<int>{24, 28, 56, 60, 88, 92, 120, 124, 152, 156, 184, 188, 216,
                                       220, 248, 252}));

  const auto portCode = [](int code) { return code % 32 >= 9 && code % 32 <= 15; };
  for (const TPcbGeneration generation :
       {TPcbGeneration::First, TPcbGeneration::Second, TPcbGeneration::Third}) {
    for (const bool pager : {false, true}) {
      std::map<int, int> uses;
      for (const TOutRow& row : OutputRows(generation, pager)) {
        SCOPED_TRACE(row.Name);
        if (row.Flags & kOutExtensionRelay) {
          EXPECT_TRUE(relayCodes.contains(row.Code));
        } else {
          EXPECT_TRUE(portCode(row.Code));
        }
        if (row.Flags & kOutPolarity) {
          EXPECT_TRUE(portCode(row.ClearCode));
        }
        if (row.Variant.When != TCodeCondition::Never) {
          EXPECT_TRUE(portCode(row.Variant.Code));
        }
        ++uses[row.Code];
      }
      for (const auto& [code, count] : uses) {
        SCOPED_TRACE(code);
        EXPECT_EQ(count, generation == TPcbGeneration::Third && code == 233 ? 2 : 1);
      }
    }
  }
}

TEST(BoardNumbering, VisibleEntriesAreNumberedWithoutGaps) {
  struct TCase {
    TBoardPresence Presence;
    std::vector<const char*> Outputs;
    int ShownInputs;
  };
  const std::vector<const char*> board = {"16.о", "8.о", "1.о",  "9.о", "12.о",          "11.о",
                                          "3.о",  "MR",  "10.о", "7.о", "3V (от pcb 17)"};
  const std::vector<const char*> relays = {"SVH1", "SVH2", "SVW",  "SVI",  "SVA",  "SVT", "SVS",
                                           "SV21", "SV22", "SVD1", "SVD2", "SVL1", "SVL2"};
  const auto join = [](std::vector<std::vector<const char*>> parts) {
    std::vector<const char*> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  const std::vector<const char*> extender = {"RO1", "RO2"};
  const std::vector<const char*> start = {"RL1", "RL2", "RL3", "RL4", "RL5", "RL6"};
  // clang-format off
  const TCase cases[] = {
      {kNoModules, join({board, relays}), 5},
      {{.StartModule = true}, join({board, start, relays}), 9},
      {{.OutputExtender = true}, join({board, extender, relays}), 5},
      {kAllModules, join({board, extender, start, relays}), 9},
  };
  // clang-format on
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "start module " << c.Presence.StartModule << " extender "
                                    << c.Presence.OutputExtender);
    TBoardModel model = MakeBoard(kThird);
    model.SetPresence(c.Presence);
    const TPCB& pcb = model.Pcb();
    std::vector<QString> shown;
    for (int index = 1; pcb.OutputAt(index) >= 0; ++index)
      shown.push_back(OutputName(model, pcb.OutputAt(index)));
    std::vector<QString> expected;
    for (const char* name : c.Outputs) expected.push_back(QString::fromUtf8(name));
    EXPECT_EQ(shown, expected);
    int hidden = 0;
    for (const TOut& out : pcb.Outputs()) hidden += out.Index == 0 ? 1 : 0;
    EXPECT_EQ(hidden + static_cast<int>(shown.size()), static_cast<int>(pcb.Outputs().size()));
    // The digital output of the security page uses the pin shown ninth.
    EXPECT_EQ(OutputName(model, pcb.OutputAt(9)), "10.о");

    int inputs = 0;
    for (int index = 1; pcb.InputAt(index) >= 0; ++index) {
      const TIn& in = pcb.Inputs()[static_cast<size_t>(pcb.InputAt(index))];
      EXPECT_TRUE(in.Assignable);
      // Main-module inputs come first.
      EXPECT_EQ(in.StartModuleInput >= 0, index > 5);
      ++inputs;
    }
    EXPECT_EQ(inputs, c.ShownInputs);
    EXPECT_EQ(pcb.Inputs()[static_cast<size_t>(InputNamed(model, "pin"))].Index, 0);
  }
}

constexpr int kLeftSideTask = 2;

TEST(BoardSubRevision, AnAnswerChangesTwoPinCodesAndKeepsTheAssignments) {
  TBoardModel model;
  model.SetConfiguration(kThird);
  const auto code = [&model](const char* name) {
    return model.Pcb().Outputs()[static_cast<size_t>(OutputNamed(model, name))].Code;
  };
  EXPECT_EQ(code("16.о"), 169) << "until the module answers";
  EXPECT_EQ(code("12.о"), 233);
  model.AssignOutput(kLeftSideTask, OutputNamed(model, "3.о"), false);

  model.SetSubRevision(13);
  EXPECT_EQ(model.Pcb().SubRevision(), 13);
  EXPECT_EQ(code("16.о"), 107);
  EXPECT_EQ(code("12.о"), 42);
  EXPECT_EQ(model.Task(kLeftSideTask)->Pin, OutputNamed(model, "3.о"));

  model.SetSubRevision(0);
  EXPECT_EQ(code("16.о"), 169) << "no answer: the older codes";
  EXPECT_EQ(code("12.о"), 233);

  const uint8_t full[] = {29, 0, 0, 0, 0, 9};
  EXPECT_EQ(SubRevisionFromAnswer(full), std::optional<uint8_t>(9));
  EXPECT_EQ(SubRevisionFromAnswer(std::span(full).first(5)), std::nullopt);
}

TEST(BoardFunctions, ColumnsFollowTheListOrder) {
  const TBoardModel model;
  const std::pair<int, int> outputColumns[] = {{1, 2},   {5, 6},   {6, 8},   {11, 14},
                                               {12, 13}, {15, 17}, {16, 18}, {35, 37}};
  for (const auto& [column, id] : outputColumns) {
    ASSERT_NE(model.TaskAtColumn(column), nullptr) << column;
    EXPECT_EQ(model.TaskAtColumn(column)->Id, id) << column;
  }
  EXPECT_EQ(model.TaskAtColumn(36), nullptr);
  EXPECT_EQ(model.TaskAtColumn(0), nullptr);
  EXPECT_EQ(model.Task(1)->Column, 0);
  EXPECT_EQ(model.Task(7)->Column, 0);
  EXPECT_EQ(model.Task(37)->Name, "Программа №20");

  const std::pair<int, int> inputColumns[] = {{3, 1},   {7, 7},   {12, 13}, {16, 17},
                                              {17, 12}, {18, 19}, {19, 6}};
  for (const auto& [column, id] : inputColumns) {
    ASSERT_NE(model.TaskInAtColumn(column), nullptr) << column;
    EXPECT_EQ(model.TaskInAtColumn(column)->Id, id) << column;
  }
  EXPECT_EQ(model.TaskIn(9)->FixedCode, 255);
  EXPECT_EQ(model.TaskIn(19)->FixedCode, 9);
  EXPECT_EQ(model.TaskIn(6)->Name, "Импульсное управление №3");
}

TEST(BoardRules, FunctionAssignabilityByBoardAndAvailability) {
  TBoardModel model = MakeBoard(kThird);
  // Before the availability bits are loaded.
  EXPECT_FALSE(model.IsAssignable(*model.Task(1)));
  EXPECT_FALSE(model.IsAssignable(*model.Task(7)));
  EXPECT_TRUE(model.IsAssignable(*model.Task(6)));
  model.SetAvailable(7, true);
  model.SetAvailable(4, false);
  EXPECT_TRUE(model.IsAssignable(*model.Task(7)));
  EXPECT_FALSE(model.MayTakeOutput(4, OutputNamed(model, "1.о"), TDigitalOutput::Free));

  model.SetConfiguration(kSecond);
  EXPECT_FALSE(model.IsAssignable(*model.Task(3)));
  EXPECT_FALSE(model.IsAssignable(*model.Task(13)));
  EXPECT_FALSE(model.IsAssignable(*model.TaskIn(10)));
  EXPECT_TRUE(model.IsAssignable(*model.Task(6)));
  // A rebuild keeps the availability loaded from the images.
  EXPECT_TRUE(model.IsAssignable(*model.Task(7)));
  EXPECT_FALSE(model.IsAssignable(*model.Task(4)));

  model.SetConfiguration(kSecondPager);
  EXPECT_FALSE(model.IsAssignable(*model.Task(6)));
  model.SetConfiguration(kFirst);
  EXPECT_TRUE(model.IsAssignable(*model.Task(3)));
  EXPECT_TRUE(model.IsAssignable(*model.Task(13)));
  EXPECT_TRUE(model.IsAssignable(*model.TaskIn(10)));
  EXPECT_FALSE(model.IsAssignable(*model.TaskIn(5)));
  EXPECT_FALSE(model.IsAssignable(*model.TaskIn(18)));
}

TEST(BoardRules, OutputPinsRefuseWhatTheirWiresCannotDo) {
  struct TCase {
    uint8_t Config;
    int Task;
    const char* Pin;
    TDigitalOutput DigitalOutput;
    bool May;
  };
  constexpr TDigitalOutput kFree = TDigitalOutput::Free;
  constexpr TDigitalOutput kReserved = TDigitalOutput::Reserved;
  // clang-format off
  const TCase cases[] = {
      {kThird, 7, "10.о", kFree, true},
      {kThird, 7, "16.о", kFree, false},
      {kThird, 2, "LED", kFree, false},
      {kThird, 10, "MR", kFree, true},
      {kThird, 18, "MR", kFree, true},
      {kThird, 37, "MR", kFree, true},
      {kThird, 9, "MR", kFree, false},
      {kThird, 17, "MR", kFree, false},
      {kThird, 13, "SVI", kFree, false},
      {kThird, 13, "3.о", kFree, true},
      {kThird, 13, "RL2", kFree, true},
      {kThird, 11, "10.о", kFree, true},
      {kThird, 11, "10.о", kReserved, false},
      {kThird, 11, "SVW", kReserved, true},
      {kSecond, 3, "9+7.о", kFree, false},
      {kSecond, 13, "10.о", kFree, false},
      {kSecond, 6, "1.о", kFree, true},
      {kSecond, 7, "2.д", kFree, false},
      {kSecondPager, 6, "1.о", kFree, false},
      {kSecondPager, 7, "1.о", kFree, true},
      {kFirst, 7, "12.о", kFree, true},
      {kFirst, 13, "10.о", kFree, true},
      {kFirst, 13, "SVA", kFree, false},
      {kFirstPager, 6, "11.о", kFree, false},
  };
  // clang-format on
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "config " << int(c.Config) << " function " << c.Task << " pin " << c.Pin);
    TBoardModel model = MakeBoard(c.Config, std::nullopt, kAllModules);
    for (const TTask& task : model.Tasks()) model.SetAvailable(task.Id, true);
    EXPECT_EQ(model.MayTakeOutput(c.Task, OutputNamed(model, c.Pin), c.DigitalOutput), c.May);
  }
}

TEST(BoardRules, InputPinsTakeSpeedAndTachoOnlyWhereWired) {
  struct TCase {
    uint8_t Config;
    int Task;
    const char* Pin;
    bool May;
  };
  // clang-format off
  const TCase cases[] = {
      {kThird, 1, "5.о", true},
      {kThird, 10, "4.о", true},
      {kThird, 10, "7.о", true},
      {kThird, 10, "5.о", false},
      {kThird, 9, "2.о", true},
      {kThird, 9, "4.о", true},
      {kThird, 9, "6.о", false},
      {kThird, 15, "4.о", false},
      {kThird, 16, "6.о", false},
      {kThird, 17, "5.о", false},
      {kThird, 1, "pin", false},
      {kThird, 5, "4.о", false},
      {kThird, 18, "4.о", false},
      {kSecond, 9, "5.о", true},
      {kSecond, 10, "5.о", false},
      {kFirst, 10, "8.о", true},
      {kFirst, 9, "8.о", true},
      {kFirst, 9, "2.о", true},
      {kFirst, 10, "2.о", false},
      {kFirst, 9, "5.о", false},
  };
  // clang-format on
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "config " << int(c.Config) << " function " << c.Task << " pin " << c.Pin);
    const TBoardModel model = MakeBoard(c.Config);
    EXPECT_EQ(model.MayTakeInput(c.Task, InputNamed(model, c.Pin)), c.May);
  }
  const TBoardModel third = MakeBoard(kThird, std::nullopt, kAllModules);
  EXPECT_TRUE(third.MayTakeInput(10, third.Pcb().FindStartInput(104)));
  EXPECT_FALSE(third.MayTakeInput(9, third.Pcb().FindStartInput(104)));
}

// Third-generation board with both extension modules, functions all available.
class ThirdBoard : public testing::Test {
 protected:
  ThirdBoard() : model_(MakeBoard(kThird, 9, kAllModules)) {
    for (const TTask& task : model_.Tasks()) model_.SetAvailable(task.Id, true);
  }
  int Out(const char* name) const { return OutputNamed(model_, name); }
  int In(const char* name) const { return InputNamed(model_, name); }
  const TOut& OutPin(const char* name) const {
    return model_.Pcb().Outputs()[static_cast<size_t>(Out(name))];
  }
  const TIn& InPin(const char* name) const {
    return model_.Pcb().Inputs()[static_cast<size_t>(In(name))];
  }

  TBoardModel model_;
};

TEST_F(ThirdBoard, InputClickAssignsMovesAndTogglesOff) {
  model_.AssignInput(1, In("4.о"));
  EXPECT_EQ(model_.TaskInOn(In("4.о")), 1);
  EXPECT_EQ(model_.InputCode(1), 50);

  model_.AssignInput(2, In("4.о"));
  EXPECT_EQ(model_.TaskInOn(In("4.о")), 2);
  EXPECT_EQ(model_.InputCode(1), kNoInputCode);

  model_.AssignInput(2, In("5.о"));
  EXPECT_EQ(model_.TaskInOn(In("4.о")), 0);
  EXPECT_EQ(PinOfTaskIn(model_, 2), "5.о");

  model_.AssignInput(2, In("5.о"));
  EXPECT_EQ(model_.TaskIn(2)->Pin, -1);
  EXPECT_EQ(model_.InputCode(2), kNoInputCode);
}

// The third-generation table codes of 2.о (90) and 5.о (106) carry the polarity bit 8.
TEST_F(ThirdBoard, StoredInputBitsBecomeThePinsSettings) {
  model_.LoadInput(3, 82 | 128);
  EXPECT_EQ(PinOfTaskIn(model_, 3), "2.о");
  EXPECT_EQ(InPin("2.о").Code, 82 | 128);

  model_.ToggleInputTrigger(In("2.о"));
  EXPECT_EQ(model_.InputCode(3), 82);
  model_.ToggleInputPolarity(In("2.о"));
  EXPECT_EQ(model_.InputCode(3), 90);

  // 4.о has no polarity toggle.
  model_.LoadInput(1, 50 | 128);
  model_.ToggleInputPolarity(In("4.о"));
  EXPECT_EQ(model_.InputCode(1), 50 | 128);
}

TEST_F(ThirdBoard, DefaultInputClearsTheSettingsAndFreesThePin) {
  model_.LoadInput(1, 90 | 128);  // the door sensor on the hood's wire
  model_.DefaultInput(3);
  EXPECT_EQ(PinOfTaskIn(model_, 3), "2.о");
  EXPECT_EQ(model_.InputCode(3), 82);
  EXPECT_EQ(model_.InputCode(1), kNoInputCode);

  model_.LoadInput(4, 124 | 128);
  model_.DefaultInput(4);
  EXPECT_EQ(model_.InputCode(4), 124);

  model_.AssignInput(11, In("6.о"));
  model_.DefaultInput(11);  // no pin has it by default
  EXPECT_EQ(model_.InputCode(11), kNoInputCode);
}

TEST(BoardInputs, DefaultKeepsAPolarityBitThatIsPartOfTheCode) {
  TBoardModel model = MakeBoard(kFirst);
  model.LoadInput(10, 60 | 2);
  EXPECT_EQ(model.InputCode(10), 62);
  model.DefaultInput(10);
  EXPECT_EQ(PinOfTaskIn(model, 10), "8.о");
  EXPECT_EQ(model.InputCode(10), 60);
}

TEST_F(ThirdBoard, StartModuleInputsAreFoundByExactCode) {
  model_.LoadStartInput(10, 105);
  EXPECT_TRUE(model_.IsOnStartModule(10));
  EXPECT_EQ(model_.InputCode(10), 105);
  EXPECT_EQ(model_.Pcb().Inputs()[static_cast<size_t>(model_.TaskIn(10)->Pin)].StartModuleInput, 1);

  model_.LoadInput(10, 57);
  EXPECT_FALSE(model_.IsOnStartModule(10));
  EXPECT_EQ(PinOfTaskIn(model_, 10), "7.о");
}

TEST_F(ThirdBoard, OutputPinsCarrySeveralFunctionsOnlyWhenJoined) {
  const int pin = Out("3.о");
  model_.AssignOutput(9, pin, false);
  model_.AssignOutput(18, pin, true);
  EXPECT_EQ(model_.TasksOn(pin), (std::vector<int>{9, 18}));

  model_.AssignOutput(19, pin, false);
  EXPECT_EQ(model_.TasksOn(pin), (std::vector<int>{19}));
  EXPECT_EQ(model_.OutputCode(9), kNoOutputCode);
  EXPECT_EQ(model_.OutputCode(19), 45);

  model_.AssignOutput(19, Out("RL2"), false);
  EXPECT_TRUE(model_.TasksOn(pin).empty());
  model_.AssignOutput(19, Out("RL2"), false);
  EXPECT_EQ(model_.OutputCode(19), kNoOutputCode);

  model_.AssignOutput(20, Out("RL2"), false);
  model_.AssignOutput(21, Out("RL2"), true);
  model_.ReleaseOutputPin(Out("RL2"));
  EXPECT_TRUE(model_.TasksOn(Out("RL2")).empty());
}

TEST_F(ThirdBoard, DefaultOutputClearsItsPinAndLeavesThePreviousOne) {
  model_.AssignOutput(2, Out("3.о"), false);
  model_.AssignOutput(18, Out("16.о"), false);
  model_.AssignOutput(19, Out("16.о"), true);
  model_.DefaultOutput(2);
  EXPECT_EQ(model_.TasksOn(Out("16.о")), (std::vector<int>{2}));
  EXPECT_TRUE(model_.TasksOn(Out("3.о")).empty());
  EXPECT_EQ(model_.OutputCode(2), 107);

  model_.AssignOutput(12, Out("3.о"), false);
  model_.DefaultOutput(12);  // no pin of this board has it by default
  EXPECT_EQ(model_.OutputCode(12), kNoOutputCode);
}

TEST_F(ThirdBoard, EitherPolarityCodeFindsTheLockPinsAndSetsTheirFlag) {
  model_.LoadOutput(4, 139);
  EXPECT_EQ(PinOfTask(model_, 4), "1.о");
  EXPECT_FALSE(OutPin("1.о").PolaritySet);
  EXPECT_EQ(model_.OutputCode(4), 139);

  model_.LoadOutput(5, 108);
  EXPECT_TRUE(OutPin("9.о").PolaritySet);

  model_.ToggleOutputPolarity(Out("1.о"));
  EXPECT_TRUE(OutPin("1.о").PolaritySet);
  EXPECT_EQ(model_.OutputCode(4), 137);
  model_.ToggleOutputPolarity(Out("9.о"));
  EXPECT_EQ(model_.OutputCode(5), 172);

  // Only the two lock pins have a polarity to switch.
  model_.LoadOutput(6, 233);
  model_.ToggleOutputPolarity(Out("12.о"));
  EXPECT_EQ(model_.OutputCode(6), 233);
}

// The image may name a pin this board does not have (another sub-revision, a newer
// firmware): the function shows no pin but stores the byte back as it was.
TEST_F(ThirdBoard, UnknownStoredCodesAreHeldNotRewritten) {
  model_.LoadOutput(9, 99);
  EXPECT_EQ(model_.Task(9)->Pin, -1);
  EXPECT_EQ(model_.OutputCode(9), 99);
  model_.ReleaseOutput(9);
  EXPECT_EQ(model_.OutputCode(9), kNoOutputCode);

  model_.LoadInput(4, 200);
  EXPECT_EQ(model_.TaskIn(4)->Pin, -1);
  EXPECT_EQ(model_.InputCode(4), 200);

  model_.LoadOutput(10, kNoOutputCode);
  model_.LoadInput(11, kNoInputCode);
  EXPECT_EQ(model_.OutputCode(10), kNoOutputCode);
  EXPECT_EQ(model_.InputCode(11), kNoInputCode);

  // Two functions stored on one input: the later byte wins the pin, the earlier keeps its code.
  model_.LoadInput(1, 50 | 128);
  model_.LoadInput(2, 50);
  EXPECT_EQ(PinOfTaskIn(model_, 2), "4.о");
  EXPECT_EQ(model_.TaskIn(1)->Pin, -1);
  EXPECT_EQ(model_.InputCode(1), 50 | 128);
  EXPECT_EQ(model_.InputCode(2), 50);
}

// What a store would write for every function, and where the function shows.
struct TSnapshot {
  std::vector<int> OutputCodes;
  std::vector<QString> OutputPins;
  std::vector<int> InputCodes;
  std::vector<bool> OnStartModule;
  std::vector<bool> FromCan;
  std::vector<QString> InputPins;
  bool operator==(const TSnapshot&) const = default;
};

TSnapshot Snapshot(const TBoardModel& model) {
  TSnapshot snapshot;
  for (const TTask& task : model.Tasks()) {
    snapshot.OutputCodes.push_back(model.OutputCode(task.Id));
    snapshot.OutputPins.push_back(PinOfTask(model, task.Id));
  }
  for (const TTaskIn& task : model.TasksIn()) {
    snapshot.InputCodes.push_back(model.InputCode(task.Id));
    snapshot.OnStartModule.push_back(model.IsOnStartModule(task.Id));
    snapshot.FromCan.push_back(task.FromCan);
    snapshot.InputPins.push_back(PinOfTaskIn(model, task.Id));
  }
  return snapshot;
}

// Presence changes, reloads of the configuration byte and rebuilds re-read the tables and
// renumber; the assignments stay as the memory images say.
TEST(BoardRebuild, KeepsEveryAssignmentAsTheImagesSayIt) {
  TBoardModel model;
  model.SetPresence(kAllModules);
  model.SetConfiguration(kThird);
  model.SetSubRevision(9);
  model.LoadOutput(2, 107);  // 16.о of sub-revision 9
  model.LoadOutput(4, 139);
  model.LoadOutput(5, 108);
  model.LoadOutput(6, 233);
  model.LoadOutput(9, 45);
  model.LoadOutput(18, 15);  // RL1
  model.LoadOutput(19, 14);  // RO1
  model.LoadOutput(20, 24);
  model.LoadOutput(21, 99);  // no such pin
  model.LoadInput(1, 50 | 128);
  model.LoadInput(3, 90 | 8);
  model.LoadInput(14, 57);
  model.LoadStartInput(10, 105);
  model.LoadInput(7, 201);  // no such pin
  model.SetFromCan(15, true);
  model.SetFromCan(17, true);
  const TSnapshot loaded = Snapshot(model);
  ASSERT_EQ(PinOfTask(model, 2), "16.о");
  ASSERT_EQ(PinOfTask(model, 18), "RL1");
  ASSERT_EQ(PinOfTaskIn(model, 3), "2.о");

  model.SetPresence(kNoModules);
  EXPECT_EQ(model.Pcb().Outputs()[static_cast<size_t>(model.Task(18)->Pin)].Index, 0);
  EXPECT_EQ(model.Pcb().Inputs()[static_cast<size_t>(model.TaskIn(10)->Pin)].Index, 0);
  EXPECT_EQ(Snapshot(model), loaded);

  model.Rebuild();
  EXPECT_EQ(Snapshot(model), loaded);
  model.SetConfiguration(kThird);
  EXPECT_EQ(Snapshot(model), loaded);

  // Without an answer 16.о takes its older code: function 2 shows no pin but keeps its byte.
  model.SetSubRevision(0);
  EXPECT_EQ(model.Task(2)->Pin, -1);
  EXPECT_EQ(model.OutputCode(2), 107);
  model.SetSubRevision(9);
  EXPECT_EQ(Snapshot(model), loaded);

  // Through a board of another generation and back.
  model.SetConfiguration(kFirst);
  EXPECT_EQ(model.OutputCode(4), 139);
  EXPECT_EQ(PinOfTask(model, 4), "2.д");
  model.SetConfiguration(kThird);
  model.SetPresence(kAllModules);
  EXPECT_EQ(Snapshot(model), loaded);
}

}  // namespace
