#include "binding/headless_binder.h"

#include <gtest/gtest.h>

#include "binding/example_page_table.h"
#include "binding/fake_memory_area.h"
#include "binding/row_binding.h"
#include "test_support.h"

namespace {

TEST(HeadlessBinder, CellsOfEveryBoundRowInTableOrder) {
  const std::vector<TBoundCell> cells = BoundCells(kExampleRows, kExampleLanAddr);
  ASSERT_EQ(cells.size(), 12u);
  EXPECT_EQ(cells[0].Name, QStringLiteral("cbSiren"));
  EXPECT_EQ(cells[1].ReadOnlyAddr, 267);
  EXPECT_EQ(cells[1].ReadOnlyBit, sb1);
  EXPECT_EQ(cells[6].Name, QStringLiteral("tbDelay"));
  EXPECT_EQ(cells[6].Size, 2);
  EXPECT_EQ(cells[7].Size, 16);
  EXPECT_EQ(cells[9].MemID, mlMsg);
  EXPECT_EQ(cells[10].LanAddr, 20) << "a module override wins over the page's module";
  EXPECT_EQ(cells[11].LanAddr, kExampleLanAddr);
  EXPECT_EQ(cells[11].Size, 1) << "a bit field reads its byte";
}

TEST(HeadlessBinder, RunsMergeBytesAndAddGuardsOnlyForTheBus) {
  const std::vector<TBoundCell> cells = BoundCells(kExampleRows, kExampleLanAddr);
  const std::vector<TByteRun> file = {{82, 1},  {88, 1},   {90, 3}, {198, 1},
                                      {242, 2}, {300, 16}, {320, 2}};
  EXPECT_EQ(BoundRuns(cells, kExampleLanAddr, mlExt, false), file);
  const std::vector<TByteRun> bus = {{82, 1},  {88, 1},  {90, 3},   {198, 1}, {242, 2},
                                     {260, 1}, {267, 1}, {300, 16}, {320, 2}};
  EXPECT_EQ(BoundRuns(cells, kExampleLanAddr, mlExt, true), bus);
  EXPECT_EQ(BoundRuns(cells, 20, mlInt, true), (std::vector<TByteRun>{{3, 1}}));
}

// A generated name never repeats one that a row of the table gives: the list would show the
// value of the named control on the other's line.
TEST(HeadlessBinder, GeneratedNamesCountPerKindAndSkipGivenNames) {
  constexpr TControlRow rows[] = {
      {.Kind = ckHeading, .Caption = "A"},
      {.Kind = ckCheckBox, .Mem = mlExt, .Addr = 1, .Type = stBit},
      {.Name = "cbNamed", .Kind = ckCheckBox, .Mem = mlExt, .Addr = 2, .Type = stBit},
      {.Kind = ckCheckBox, .Mem = mlExt, .Addr = 3, .Type = stBit},
      {.Kind = ckTrackBar, .Mem = mlExt, .Addr = 4, .Type = stByte, .Max = 9},
      {.Kind = ckCheckBox, .Mem = mlExt, .Addr = 5, .Type = stBit},
      {.Name = "VDCheckBox3", .Kind = ckCheckBox, .Mem = mlExt, .Addr = 6, .Type = stBit},
  };
  static_assert(CheckTable(rows).Row == -1);
  EXPECT_EQ(RowControlNames(rows),
            (QStringList{QString(), QStringLiteral("VDCheckBox1"), QStringLiteral("cbNamed"),
                         QStringLiteral("VDCheckBox2"), QStringLiteral("VDTrackBar1"),
                         QStringLiteral("VDCheckBox4"), QStringLiteral("VDCheckBox3")}));
  THeadlessPage page(rows, kExampleLanAddr);
  EXPECT_EQ(page.Find(QStringLiteral("VDCheckBox3"))->GetAddr(), 6);
  EXPECT_EQ(page.Find(QStringLiteral("VDCheckBox4"))->GetAddr(), 5);
}

TEST(HeadlessBinder, PageReadsItsBytesAndRewritesThemForAForcedWrite) {
  TFakeMemoryArea ext;
  const THeadlessPage page(kExampleRows, kExampleLanAddr);
  for (IBoundControl* control : page.BoundControls()) {
    if (control->GetMemID() == mlExt && control->GetLanAddr() == kExampleLanAddr) {
      ext.Attach(*control);
    }
  }
  ext.LoadAll();
  for (const TByteRun& run :
       BoundRuns(BoundCells(kExampleRows, kExampleLanAddr), kExampleLanAddr, mlExt, true)) {
    for (int i = 0; i < run.Count; ++i) EXPECT_TRUE(ext.Valid(run.Start + i)) << run.Start + i;
  }
  EXPECT_FALSE(ext.Valid(83));

  ext.SetForceWrite(true);
  ext.StoreAll();
  EXPECT_TRUE(ext.Changed(301));
  EXPECT_FALSE(ext.Changed(267)) << "guards are read, never written";

  ext.Fill(242, {0x80, 0x0C});
  EXPECT_EQ(page.Find(QStringLiteral("tbDelay"))->GetValueText(), QStringLiteral("3200"));
}

TEST(ControlTable, ProblemsAreFoundPerRow) {
  const struct {
    TControlRow Row;
    const char* Problem;
  } cases[] = {
      {{.Caption = "x"}, "kind missing"},
      {{.Kind = ckHeading}, "heading without caption"},
      {{.Kind = ckCheckBox, .Addr = 1, .Type = stBit}, "memory missing"},
      {{.Kind = ckCheckBox, .Mem = mlExt, .Addr = 1}, "data type missing"},
      {{.Kind = ckCheckBox, .Mem = mlExt, .Type = stBit, .Bit = 8}, "address or bit out of range"},
      {{.Kind = ckCheckBox, .Mem = mlExt, .Type = stByte}, "check box needs stBit"},
      {{.Kind = ckRadioGroup, .Mem = mlExt, .Type = stByte}, "radio group without items"},
      {{.Kind = ckRadioGroup, .Mem = mlExt, .Type = stBitArray, .Max = 3, .Items = kChannelItems},
       "bit field needs 2^Max items"},
      {{.Kind = ckTrackBar, .Mem = mlExt, .Type = stByte, .Max = 15, .Default = 16},
       "default out of range"},
      {{.Kind = ckTrackBar,
        .Mem = mlExt,
        .Type = stByte,
        .Max = 200,
        .Range = {100, 210},
        .Default = 150},
       nullptr},
      {{.Kind = ckMemo, .Mem = mlExt, .Type = stString}, "memo needs a byte count"},
      {{.Kind = ckData, .Mem = mlExt, .Type = stBit}, "data needs stArray"},
      {{.Kind = ckCheckBox, .Mem = mlExt, .Type = stBit, .Guard = {267, 9}}, "bad guard"},
  };
  for (const auto& c : cases) {
    const char* problem = RowProblem(c.Row);
    EXPECT_EQ(problem == nullptr ? std::string() : std::string(problem),
              c.Problem == nullptr ? std::string() : std::string(c.Problem));
  }
}

TEST(ControlTable, RadioItemsMustBeNumberedInOrderAndNamesUnique) {
  static constexpr TRadioItem gap[] = {{0, "a"}, {2, "b"}};
  constexpr TControlRow rows[] = {
      {.Name = "x", .Kind = ckCheckBox, .Mem = mlExt, .Type = stBit},
      {.Name = "x", .Kind = ckCheckBox, .Mem = mlExt, .Type = stBit},
      {.Kind = ckRadioGroup, .Mem = mlExt, .Type = stByte, .Items = gap},
  };
  EXPECT_EQ(CheckTable(rows).Row, 1);
  EXPECT_EQ(CheckTable(std::span(rows).subspan(2)).Row, 0);
  EXPECT_STREQ(CheckTable(std::span(rows).subspan(2)).Problem, "radio items out of order");
}

}  // namespace
