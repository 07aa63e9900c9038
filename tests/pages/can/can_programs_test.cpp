#include "pages/can/can_programs.h"

#include <gtest/gtest.h>

#include "pages/can/security_choices.h"

namespace {

TEST(CanCommandList, ItemsSkipTheTwoCommandsItCannotOfferAndKnowNoneAbove41) {
  struct TCase {
    uint8_t Command;
    std::optional<int> Item;
  };
  const TCase cases[] = {
      {0, 0},   {1, 1},   {14, 14},           {15, std::nullopt}, {16, std::nullopt}, {17, 15},
      {20, 18}, {41, 39}, {42, std::nullopt}, {63, std::nullopt}, {255, std::nullopt}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(int(c.Command));
    EXPECT_EQ(CanCommandItem(c.Command), c.Item);
    if (c.Item) {
      EXPECT_EQ(CanCommandOfItem(*c.Item), c.Command);
    }
  }
  EXPECT_EQ(CanCommandItemText(15), QStringLiteral("17. Перезапуск CANa"));
  EXPECT_EQ(CanCommandItemText(39), QStringLiteral("41. Отменить блокировку двигателя (ДЕЛЬТА)"));
}

// The module keeps a program's bytes in three items: four per program at 896 and at 960, one
// per program in the flash image.
TEST(CanPrograms, ItemBytesReachTheFieldsOfTheirProgram) {
  TCanPrograms programs;
  for (int i = 0; i < TCanPrograms::kSettingsBytes; ++i) {
    programs.EventsByte(i) = static_cast<uint8_t>(i);
    programs.OffEventsByte(i) = static_cast<uint8_t>(100 + i);
  }
  for (int i = 0; i < TCanPrograms::kCount; ++i) programs.CommandByte(i) = uint8_t(200 + i);

  const TCanProgram& third = programs.Program(2);
  EXPECT_EQ(third.OnEvent, 8);
  EXPECT_EQ(third.Delay, 9);
  EXPECT_EQ(third.Pause, 10);
  EXPECT_EQ(third.Repeats, 11);
  EXPECT_EQ(third.OffEvents, (std::array<uint8_t, 4>{108, 109, 110, 111}));
  EXPECT_EQ(third.Command, 202);
  EXPECT_EQ(programs.Program(15).Repeats, 63);
  EXPECT_EQ(programs.Program(15).OffEvents[3], 163);
}

TEST(CanPrograms, OnlyACommandOrASwitchOnEventMakesAProgramSet) {
  EXPECT_FALSE(TCanProgram{}.IsSet());
  EXPECT_FALSE(TCanProgram{.Command = 255}.IsSet()) << "255 is an erased cell";
  EXPECT_TRUE(TCanProgram{.Command = 1}.IsSet());
  EXPECT_TRUE(TCanProgram{.OnEvent = 200}.IsSet());
  EXPECT_FALSE((TCanProgram{.Delay = 5, .Repeats = 3}.IsSet()));
}

TEST(CanProgramTime, LabelsCountSecondsThenMinutes) {
  EXPECT_EQ(CanProgramTimeText(0), QStringLiteral("T1 = 0.00 c"));
  EXPECT_EQ(CanProgramTimeText(103), QStringLiteral("T1 = 6.50 c"));
  EXPECT_EQ(CanProgramTimeText(211), QStringLiteral("T1 =    2 мин"));
  EXPECT_EQ(CanProgramTimeText(225), QStringLiteral("T1 =   56 мин"));
}

// Arming: byte bit 2, VDCheckBox3, CanSlaveSystem2. Disarming: byte bit 3, VDCheckBox4, byte
// bit 7. Both groups store their items alike.
TEST(SecurityChoices, EveryItemStoresItsRowAndReadsBackAsItself) {
  const TChoiceBits rows[kChoiceItems] = {{false, false, false},
                                          {true, false, false},
                                          {true, true, false},
                                          {false, true, false},
                                          {false, false, true}};
  for (int item = 0; item < kChoiceItems; ++item) {
    SCOPED_TRACE(item);
    EXPECT_EQ(ChoiceBits(item), rows[item]);
    EXPECT_EQ(ChoiceItem(ChoiceBits(item)), item);
  }
}

TEST(SecurityChoices, SettingsNoItemStoresShowTheNearestItem) {
  struct TCase {
    TChoiceBits Bits;
    int Item;
  };
  const TCase cases[] = {
      {{.ByteBit = true, .Box = true, .Third = true}, 4},
      {{.ByteBit = false, .Box = true, .Third = true}, 4},
      {{.ByteBit = true, .Box = false, .Third = true}, 4},
  };
  for (const TCase& c : cases) EXPECT_EQ(ChoiceItem(c.Bits), c.Item);
}

}  // namespace
