#include <gtest/gtest.h>

#include "pages/extension/slave_commands.h"
#include "pages/extension/slave_records.h"
#include "pages/extension/validator_lines.h"
#include "test_support.h"

namespace {

// The validator as it leaves the factory.
TValidatorLines FactoryValidator() {
  TValidatorLines lines;
  lines.UpDown = TValidatorLines::kFactoryUpDown;
  lines.Mask = TValidatorLines::kFactoryMask;
  lines.PinCopy = {0};
  lines.Status = {3};
  lines.StatusEn = {TValidatorLines::kNoLine};
  lines.Vix6 = {1};
  return lines;
}

TEST(ValidatorLines, FactoryBytesMeanWhatTheInstallerExpects) {
  const TValidatorLines lines = FactoryValidator();
  EXPECT_EQ(lines.Polarity(2), 0);
  EXPECT_EQ(lines.Polarity(3), 1);
  EXPECT_EQ(lines.Polarity(4), 0);
  EXPECT_EQ(lines.Polarity(5), 1);
  EXPECT_FALSE(lines.InCode(2));
  EXPECT_TRUE(lines.InCode(3));
  EXPECT_TRUE(lines.InCode(4));
  EXPECT_FALSE(lines.InCode(5));
  EXPECT_EQ(lines.FunctionCaption(1), QStringLiteral("Пассивная блокировка"));
  EXPECT_EQ(lines.FunctionCaption(2), QStringLiteral("Дублёр кнопки ПИН"));
  EXPECT_EQ(lines.FunctionCaption(5), QStringLiteral("Запрос ввода кода"));
  EXPECT_EQ(lines.FunctionCaption(6), QStringLiteral("Реле клаксона"));
}

TEST(ValidatorLines, AFunctionMovesFromLineToLine) {
  TValidatorLines lines = FactoryValidator();
  ASSERT_TRUE(lines.ChooseFunction(3, TValidatorLines::kCodeRequest, 15));
  EXPECT_EQ(lines.Status[0], 1);
  EXPECT_EQ(lines.Function(3), TValidatorLines::kCodeRequest);
  EXPECT_EQ(lines.Function(5), TValidatorLines::kDigitalCode);
  EXPECT_FALSE(lines.InCode(3)) << "a line with a function is no code button";

  // Line 2 gives up the PIN copy for the request: the copy has no line any more.
  ASSERT_TRUE(lines.ChooseFunction(2, TValidatorLines::kCodeRequest, 15));
  EXPECT_EQ(lines.Status[0], 0);
  EXPECT_EQ(lines.PinCopy[0], TValidatorLines::kNoLine);
  EXPECT_EQ(lines.Function(3), TValidatorLines::kDigitalCode);
}

TEST(ValidatorLines, PuttingTheRequestOffNeedsACodeTime) {
  TValidatorLines lines = FactoryValidator();
  EXPECT_FALSE(lines.ChooseFunction(4, TValidatorLines::kDelayRequest, 0));
  EXPECT_EQ(lines.StatusEn[0], TValidatorLines::kNoLine);
  EXPECT_TRUE(lines.ChooseFunction(4, TValidatorLines::kDelayRequest, 1));
  EXPECT_EQ(lines.StatusEn[0], 2);
}

TEST(ValidatorLines, AnAnalogLineDropsItsFunctionCodePlaceAndPolarity) {
  TValidatorLines lines = FactoryValidator();
  ASSERT_TRUE(lines.ChooseFunction(3, TValidatorLines::kCodeRequest, 15));
  lines.UpDown[0] = 0xFF;  // line 3 at polarity 0
  lines.Inv[0] = 0xFF;     // every input on opening
  ASSERT_TRUE(lines.ToggleAnalog(3));
  EXPECT_TRUE(lines.Analog(3));
  EXPECT_EQ(lines.Status[0], TValidatorLines::kNoLine);
  EXPECT_EQ(lines.Polarity(3), 1);
  EXPECT_EQ(lines.TriggerMode(3), 0);
  EXPECT_EQ(lines.FunctionCaption(3), QStringLiteral("Аналоговый код 1"));
  EXPECT_FALSE(lines.TogglePolarity(3));
  EXPECT_FALSE(lines.ToggleInCode(3));
  EXPECT_FALSE(lines.ToggleAnalog(2)) << "only lines 3 and 4 read a ladder";
  EXPECT_EQ(lines.AnalogDigit[0] & 0xF0, 0xF0);
}

TEST(ValidatorLines, EditedPolarityKeepsTheUnusedBitsSet) {
  TValidatorLines lines;
  ASSERT_TRUE(lines.TogglePolarity(2));
  EXPECT_EQ(lines.UpDown[0], 0xF8);
  EXPECT_FALSE(lines.TogglePolarity(1)) << "outputs have a fixed polarity";
  EXPECT_FALSE(lines.TogglePolarity(6));
}

TEST(ValidatorNotes, LevelChangesAreNotedWithTheLinesActiveFlags) {
  const TValidatorLines lines = FactoryValidator();  // lines 2 and 4 polarity 0
  // Line 2 (bit 3) goes high: no longer active; output 1 (bit 4) switches on.
  const auto notes = LevelNotes(lines, 0x00, 0x18);
  ASSERT_EQ(notes.size(), 2u);
  // Active now: line 4 (low, polarity 0); lines 3 and 5 are low at polarity 1, line 2 high.
  const uint8_t levels = 0x10 | 0x02;
  EXPECT_EQ(notes[0], (std::array<uint8_t, 3>{1, levels, 0x18})) << "the outputs' note";
  EXPECT_EQ(notes[1], (std::array<uint8_t, 3>{1, levels, 0x98})) << "the inputs' note";
  EXPECT_EQ(LevelNotes(lines, 0x20, 0x00).size(), 1u) << "only output 2 changed";
  EXPECT_TRUE(LevelNotes(lines, 0x05, 0x05).empty());
  EXPECT_EQ(LadderNote(2, 0x01, 0x03), (std::array<uint8_t, 3>{4, 0x03, 0x02}));
  EXPECT_FALSE(LadderNote(1, 0x03, 0x03).has_value());
}

TEST(OverloadText, SaysWhichOutputsWereOverloaded) {
  const struct {
    uint8_t Record;
    int FirstBit;
    int A;
    int B;
    const char* Text;
  } cases[] = {
      {0x00, 2, 1, 2, ""},
      {0x04, 2, 1, 2, "Были перегрузки на выходе 1"},
      {0x08, 2, 1, 2, "Были перегрузки на выходе 2"},
      {0x0C, 2, 1, 2, "Были перегрузки на выходах 1 и 2"},
      {0x01, 0, 5, 6, "Были перегрузки на выходе 5"},
      {0x02, 0, 5, 6, "Были перегрузки на выходе 6"},
      {0x03, 0, 5, 6, "Были перегрузки на выходах 5 и 6"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OverloadText(c.Record, c.FirstBit, c.A, c.B), QString::fromUtf8(c.Text)) << +c.Record;
  }
}

TEST(SlaveCommands, UnknownCodesAreShownAsTheyAre) {
  EXPECT_EQ(SlaveCommandIndex(98), 0);
  EXPECT_EQ(SlaveCommandIndex(115), 33);
  EXPECT_EQ(SlaveCommandCaption(100), QStringLiteral("Автосервис: вход/выход, ввести дважды"));
  EXPECT_FALSE(SlaveCommandIndex(0).has_value());
  EXPECT_EQ(SlaveCommandCaption(0), QStringLiteral("Команда 0"));
  EXPECT_EQ(SlaveCommandCaption(200), QStringLiteral("Команда 200"));
}

TEST(SlaveFlashLayout, FactoryLayoutFits) {
  const TSlaveFlashLayout layout = FactorySlaveFlashLayout();
  EXPECT_EQ(layout.Records[0], 0x1A00);
  EXPECT_EQ(layout.Records[7], 0x1D80);
  EXPECT_EQ(layout.SequenceAt(7), 0x19C0);
  EXPECT_FALSE(SlaveFlashProblem(layout).has_value());
}

TEST(SlaveFlashLayout, RefusesRecordsOutsideTheFlashOrOverlapping) {
  const struct {
    const char* Why;
    int Event;  // -1: the sequence base
    int Address;
    const char* Says;
  } cases[] = {
      {"last byte past the end", 7, 8192 - 89, "выходит за пределы"},
      {"far outside", 0, 0xFFFF, "выходит за пределы"},
      {"sequences past the end", -1, 8192 - 7 * 64 - 15, "выходит за пределы"},
      {"two recordings share bytes", 3, 0x1A00 + 89, "перекрывает"},
      {"a recording over a sequence", 5, 0x1800 + 3 * 64 + 15 - 89, "перекрывает"},
      {"sequences over recordings", -1, 0x1A00 - 7 * 64, "перекрывает"},
  };
  for (const auto& c : cases) {
    TSlaveFlashLayout layout = FactorySlaveFlashLayout();
    if (c.Event < 0) {
      layout.Sequences = c.Address;
    } else {
      layout.Records[static_cast<std::size_t>(c.Event)] = c.Address;
    }
    const auto problem = SlaveFlashProblem(layout);
    ASSERT_TRUE(problem.has_value()) << c.Why;
    EXPECT_TRUE(problem->contains(QString::fromUtf8(c.Says)))
        << c.Why << ": " << problem->toStdString();
  }
}

TEST(SlaveFlashLayout, RecordsMayTouchWithoutOverlapping) {
  TSlaveFlashLayout layout = FactorySlaveFlashLayout();
  layout.Records[1] = layout.Records[0] + kSlaveRecordBytes;
  layout.Records[7] = 8192 - kSlaveRecordBytes;
  EXPECT_FALSE(SlaveFlashProblem(layout).has_value());
}

}  // namespace
