#include "binding/component_data.h"

#include <gtest/gtest.h>

#include "binding/comp_error.h"
#include "binding/fake_memory_area.h"
#include "binding/help_anchor.h"
#include "test_support.h"

namespace {

TComponentData Cell(int addr, TDataType type, int startBit = 0, int maxVal = 0) {
  TComponentData data;
  data.SetLanAddr(2);
  data.SetMemID(mlExt);
  data.SetAddr(addr);
  data.SetDataType(type);
  data.SetStartBit(static_cast<TStartBit>(startBit));
  data.SetMaxVal(maxVal);
  return data;
}

TEST(ComponentData, SizeFollowsTheCoding) {
  const struct {
    TDataType Type;
    int MaxVal;
    int Size;
  } cases[] = {{stBit, 0, 1},      {stBits, 0, 1},  {stByteLo, 0, 1}, {stByteHi, 0, 1},
               {stByte, 200, 1},   {stFloat, 0, 2}, {st2Bytes, 0, 2}, {stHL, 0, 2},
               {stString, 39, 39}, {stDate, 0, 1},  {stArray, 5, 5},  {stBitArray, 3, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(Cell(0, c.Type, 0, c.MaxVal).GetSize(), c.Size) << static_cast<int>(c.Type);
  }
}

TEST(ComponentData, AssignTakesTheCellButKeepsSizeGuardAndLiveSettings) {
  TComponentData source = Cell(242, st2Bytes, 3, 99);
  source.SetLanAddr(20);
  source.SetMemID(mlRam);
  source.SetReadOnlyAddr(267);
  source.SetAutoUpdate(true);
  source.SetUpdateInterval(500);
  TComponentData target = Cell(10, stBit, 0, 5);
  target.Assign(source);
  EXPECT_EQ(target.Addr(), 242);
  EXPECT_EQ(target.DataType(), st2Bytes);
  EXPECT_EQ(target.LanAddr(), 20);
  EXPECT_EQ(target.MemID(), mlRam);
  EXPECT_EQ(target.StartBit(), sb3);
  EXPECT_EQ(target.MaxVal(), 5);
  EXPECT_EQ(target.ReadOnlyAddr(), 0);
  EXPECT_FALSE(target.AutoUpdate());
  EXPECT_EQ(target.UpdateInterval(), 0);
}

TEST(ComponentData, SameCellComparesEveryPartOfTheCellButNotTheGuard) {
  const TComponentData base = Cell(82, stBit, 5);
  TComponentData guarded = base;
  guarded.SetReadOnlyAddr(267);
  guarded.SetAutoUpdate(true);
  EXPECT_TRUE(base.SameCell(guarded));

  std::vector<TComponentData> others(6, base);
  others[0].SetAddr(83);
  others[1].SetDataType(stBits);
  others[2].SetLanAddr(3);
  others[3].SetStartBit(sb4);
  others[4].SetMaxVal(1);
  others[5].SetMemID(mlInt);
  for (const TComponentData& other : others) EXPECT_FALSE(base.SameCell(other));
}

class Guard : public ::testing::Test {
 protected:
  TFakeMemoryArea area;
  TComponentData data = Cell(88, stBit, 1);
};

TEST_F(Guard, WithoutGuardAddressNeverReadOnly) {
  data.SetMem(&area);
  EXPECT_FALSE(data.IsReadOnly());
}

TEST_F(Guard, AvailabilityBitLocksOnlyOnTheBus) {
  data.SetReadOnlyAddr(267);
  data.SetReadOnlyBit(sb1);
  EXPECT_FALSE(data.IsConnected()) << "an unbound control is not on the bus";
  EXPECT_FALSE(data.IsReadOnly());
  data.SetMem(&area);

  area.Fill(267, {0xFD});
  EXPECT_TRUE(data.IsReadOnly());
  area.Fill(267, {0x02});
  EXPECT_FALSE(data.IsReadOnly());

  area.Fill(267, {0x00});
  area.SetBusChannel(false);
  EXPECT_FALSE(data.IsReadOnly()) << "a file operation never locks a setting";
}

TEST(CompErrors, TextsNameTheControl) {
  EXPECT_EQ(InitErrorText(QStringLiteral("VDCheckBox3"), QStringLiteral("Сирена")),
            QStringLiteral("VDCheckBox3 (Сирена): Ошибка инициализации"));
  EXPECT_EQ(BadDataTypeText(QStringLiteral("rgMode"), stDate),
            QStringLiteral("rgMode: Недопустимый тип данных (9)"));
}

TEST(CompErrors, WrapperTurnsAnyFailureIntoEComp) {
  try {
    WrapComp(QStringLiteral("tbZone"), QString(), [] { throw std::runtime_error("boom"); });
    FAIL() << "nothing thrown";
  } catch (const EComp& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("tbZone (): Ошибка инициализации"));
    EXPECT_EQ(error.Cause(), QStringLiteral("boom"));
  }
}

TEST(HelpAnchor, ByKindAndCell) {
  const struct {
    TControlKind Kind;
    TComponentData Data;
    const char* Anchor;
  } cases[] = {
      {ckCheckBox, Cell(82, stBit, 5), "cb82b5"},
      {ckRadioGroup, Cell(90, stBits, 3), "rg90b3"},
      {ckTrackBar, Cell(198, stByteLo), "tb198h0"},
      {ckTrackBar, Cell(198, stByteHi), "tb198h1"},
      {ckTrackBar, Cell(210, stByte), "tb210h0"},
      {ckTrackBar, Cell(210, stFloat), "tb210h0"},
      {ckTrackBar, Cell(242, stHL), "tb242h0"},
      {ckTrackBar, Cell(242, st2Bytes), "tb242h"},
      {ckMemo, Cell(300, stString), ""},
      {ckData, Cell(320, stArray), ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HelpAnchor(c.Kind, c.Data), QString::fromLatin1(c.Anchor));
  }
}

}  // namespace
