// The helpers that finish a built page: row codings, track bar labels, context help and parts
// the table cannot describe.

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>

#include "binding/fake_memory_area.h"
#include "binding/page_table.h"
#include "binding/setting_text.h"
#include "binding/ui/category_panels.h"
#include "binding/ui/context_help.h"
#include "binding/ui/control_tooltip.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/track_bar_setup.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "shell/fake_page_host.h"
#include "test_support.h"

namespace {

// clang-format off
constexpr TRadioItem kModes[] = {{0, "нет"}, {1, "метка"}};
constexpr TRadioItem kSpeeds[] = {{0, "1200"}, {1, "2400"}, {2, "9600"}};
constexpr TPositionCoding kKm{.Kind = pcScaled, .LoadFactor = 0.006, .StoreFactor = 166.7};
constexpr int kSpeedCodes[] = {0x10, 0x20, 0x40};
constexpr TPositionCoding kSpeedCoding{.Kind = pcMap, .Values = kSpeedCodes};
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Пробег"},
    {.Name = "tbKm", .Kind = ckTrackBar, .Caption = "Автосервис", .Mem = mlExt, .Addr = 242,
     .Type = st2Bytes, .Max = 3200, .Range = {1, 16}, .Default = 7, .Coding = &kKm},
    {.Name = "cbLock", .Kind = ckCheckBox, .Caption = "Замок", .Mem = mlExt, .Addr = 80, .Type = stBit},
    {.Kind = ckHeading, .Caption = "Метка"},
    {.Name = "rgMode", .Kind = ckRadioGroup, .Caption = "Режим", .Mem = mlExt, .Addr = 81,
     .Type = stBit, .Items = kModes, .NoHelp = true},
    {.Name = "rgSpeed", .Kind = ckRadioGroup, .Caption = "Скорость", .Mem = mlExt, .Addr = 82,
     .Type = stByte, .Max = 255, .Items = kSpeeds, .Default = 2, .Coding = &kSpeedCoding},
};
static_assert(CheckTable(kRows).Row == -1);
constexpr TValueLabelRow kLabels[] = {{.Name = "tbKm", .Format = "%d км"}};
// clang-format on

class PageSetupTest : public ::testing::Test {
 protected:
  // The area outlives the controls, which leave it when they go.
  TFakeMemoryArea area;
  TVDFrame frame{2};
  TPageControls controls = TPageControls::Build(frame, kRows);
};

TEST_F(PageSetupTest, TrackBarsLoadStoreAndLabelThroughTheirRows) {
  ApplyValueLabels(PageLabelContext(frame, controls), controls, kLabels);
  for (IBoundControl* control : frame.BoundControls()) area.Attach(*control);
  area.Fill(242, {0x6B, 0x0A});  // 2667 units of 6 m
  area.LoadAll();
  auto& km = controls.Get<TVDTrackBar>("tbKm");
  EXPECT_EQ(km.Position(), 16);
  EXPECT_EQ(km.GetValueText(), QStringLiteral("16 км"));
  km.SetPosition(10);
  EXPECT_EQ(km.GetValueText(), QStringLiteral("10 км"));
  area.StoreAll();
  EXPECT_EQ(area.Byte(242) | area.Byte(243) << 8, 1667);
}

// The widget and the command line's text must show the same item for every stored byte,
// and a byte the coding does not know must survive a store untouched.
TEST_F(PageSetupTest, MappedRadioGroupAgreesWithTheSettingTextAndKeepsUnknownBytes) {
  const TPageTable table{.Name = "Test", .LanAddr = 2, .Rows = kRows};
  const TControlRow& row = kRows[5];
  for (IBoundControl* control : frame.BoundControls()) area.Attach(*control);
  auto& speed = controls.Get<TVDRadioGroup>("rgSpeed");
  const struct {
    uint8_t Stored;
    int Index;
    const char* Text;
  } cases[] = {{0x10, 0, "0 (1200)"}, {0x40, 2, "2 (9600)"}, {0x33, 2, "2 (9600)"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Stored);
    speed.SetItemIndex(row.Default);
    area.Fill(82, {c.Stored});
    area.LoadAll();
    EXPECT_EQ(speed.ItemIndex(), c.Index);
    EXPECT_EQ(SettingValueText(row, QStringLiteral("rgSpeed"), table, area, speed.ComponentData(),
                               TTableLabelContext(table,
                                                  [this](uint8_t, TMemoryLocation)
                                                      -> TBaseDeviceMemoryItem* { return &area; })),
              QString::fromUtf8(c.Text));
  }
  speed.SetItemIndex(1);
  area.StoreAll();
  EXPECT_EQ(area.Byte(82), 0x20);
  area.Fill(82, {0x33});
  speed.SetItemIndex(-1);
  area.StoreAll();
  EXPECT_EQ(area.Byte(82), 0x33) << "no item selected: the byte stays";
}

TEST_F(PageSetupTest, RightClickAsksForHelpExceptOnNoHelpRows) {
  TFakePageHost host;
  AttachControlHelp(controls, host, QStringLiteral("main_test"));
  // A right click offers "Справка" in a context menu; the user picks it.
  const auto rightClick = [](QWidget& widget) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1),
                            widget.mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(&widget, &event);
    for (auto* menu : widget.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
      if (auto* help = menu->findChild<QAction*>(QLatin1String(kControlHelpAction))) {
        help->trigger();
      }
      menu->close();
      delete menu;
    }
  };
  auto& mode = controls.Get<TVDRadioGroup>("rgMode");
  rightClick(mode);
  rightClick(*mode.Button(1));
  rightClick(controls.Get<TVDCheckBox>("cbLock"));
  rightClick(controls.Get<TVDTrackBar>("tbKm"));
  ASSERT_EQ(host.Help.size(), 2u);
  EXPECT_EQ(host.Help[0].first, &controls.Get<TVDCheckBox>("cbLock"));
  EXPECT_EQ(host.Help[0].second, QStringLiteral("main_test"));
  EXPECT_EQ(host.Help[1].first, &controls.Get<TVDTrackBar>("tbKm"));
}

TEST_F(PageSetupTest, ATooltipNamesTheCellTheFactoryValueAndWhatTheHelpSays) {
  // clang-format off
  constexpr TControlRow kHinted[] = {
      {.Kind = ckHeading, .Caption = "Охрана"},
      {.Name = "cbSiren", .Kind = ckCheckBox, .Caption = "Сирена", .Mem = mlExt, .Addr = 82,
       .Type = stBit, .Bit = 5, .Default = 1, .Hint = "Звучит;\r\nпри тревоге"},
      {.Name = "cbGsm", .Kind = ckCheckBox, .Caption = "Связь", .Mem = mlInt, .Addr = 12,
       .Type = stBit, .Bit = 2, .Module = 3},
  };
  // clang-format on
  const TPageTable table{"Example", 2, kRows, "Пример", "", kLabels};
  const TPageTable hinted{"Hinted", 2, kHinted, "Пример"};
  const struct {
    const TPageTable& Table;
    const TControlRow& Row;
    const char* Sentence;
    const char* Tooltip;
  } cases[] = {
      {hinted, kHinted[1], "Включается при тревоге.",
       "Сирена\nЗвучит;\r\nпри тревоге\nМодуль: Главный модуль (адрес 2)\n"
       "Ячейка: Память настроек, байт 82, бит 5\nЗаводское значение: включено\n"
       "Включается при тревоге."},
      // The help saying what the hint says adds nothing.
      {hinted, kHinted[1], "Звучит; при тревоге",
       "Сирена\nЗвучит;\r\nпри тревоге\nМодуль: Главный модуль (адрес 2)\n"
       "Ячейка: Память настроек, байт 82, бит 5\nЗаводское значение: включено"},
      // A row of another module names that module and its memory.
      {hinted, kHinted[2], "",
       "Связь\nМодуль: GSM (адрес 3)\nЯчейка: Память настроек, байт 12, бит 2\n"
       "Заводское значение: выключено"},
      // A track bar's factory value with its value label, a radio group's with its item.
      {table, kRows[1], "",
       "Автосервис\nМодуль: Главный модуль (адрес 2)\nЯчейка: Память настроек, байт 242 (2 байт)\n"
       "Заводское значение: 7 (7 км)"},
      {table, kRows[5], "",
       "Скорость\nМодуль: Главный модуль (адрес 2)\nЯчейка: Память настроек, байт 82\n"
       "Заводское значение: 9600"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ControlTooltip(c.Table, c.Row, QString::fromUtf8(c.Sentence)),
              QString::fromUtf8(c.Tooltip));
  }
}

TEST_F(PageSetupTest, PartsGoToTheEndOfTheirSectionAcrossItsWidth) {
  auto* note = new QLabel(QStringLiteral("Примечание"));
  AddToSection(frame, QStringLiteral("Пробег"), note);
  QWidget* panel = frame.CategoryPanels1()->Categories()[0]->Panel();
  EXPECT_EQ(note->parentWidget(), panel);
  auto* grid = qobject_cast<QGridLayout*>(panel->layout());
  ASSERT_NE(grid, nullptr);
  int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
  grid->getItemPosition(grid->indexOf(note), &row, &column, &rowSpan, &columnSpan);
  EXPECT_EQ(row, grid->rowCount() - 1);
  EXPECT_EQ(columnSpan, grid->columnCount());
  QLabel stray;
  EXPECT_THROW(AddToSection(frame, QStringLiteral("Нет такого"), &stray), std::logic_error);
}

// clang-format off
constexpr TControlRow kCarRows[] = {
    {.Name = "cbFixed", .Kind = ckCheckBox, .Caption = "Всегда серый", .Mem = mlExt, .Addr = 90,
     .Type = stBit, .Disabled = true},
    {.Name = "cbCan", .Kind = ckCheckBox, .Caption = "По CAN", .Mem = mlExt, .Addr = 90,
     .Type = stBit, .Bit = 1, .Firmware = {4, 5}},
    {.Name = "cbNewBoard", .Kind = ckCheckBox, .Caption = "Новая плата", .Mem = mlExt,
     .Addr = 90, .Type = stBit, .Bit = 2, .Boards = kBoardGen3},
    {.Name = "cbHiddenNew", .Kind = ckCheckBox, .Caption = "Скрытый", .Mem = mlExt, .Addr = 90,
     .Type = stBit, .Bit = 3, .Hidden = true, .Boards = kBoardGen3},
};
// clang-format on

// Each reason to grey or leave out a control has its owner; a load (which lifts the guard),
// the firmware and the board must not undo one another, and what is greyed or left out is
// not stored.
TEST(CarLimits, TableFirmwareAndBoardReasonsHoldApartAndStopStores) {
  TFakeMemoryArea area;
  TVDFrame frame{2};
  const TPageControls controls = TPageControls::Build(frame, kCarRows);
  for (IBoundControl* control : frame.BoundControls()) area.Attach(*control);
  auto& fixed = controls.Get<TVDCheckBox>("cbFixed");
  auto& can = controls.Get<TVDCheckBox>("cbCan");
  auto& newBoard = controls.Get<TVDCheckBox>("cbNewBoard");
  auto& hiddenNew = controls.Get<TVDCheckBox>("cbHiddenNew");
  frame.show();
  area.Fill(90, {0x00});
  area.LoadAll();
  EXPECT_FALSE(fixed.isEnabled()) << "a load does not bring a greyed row back";

  for (auto* control : {&fixed, &can, &newBoard, &hiddenNew}) {
    control->ApplyMainFirmware(3, false);
    control->ApplyBoardGeneration(1);
  }
  EXPECT_FALSE(can.isEnabled());
  EXPECT_FALSE(newBoard.isVisible());
  for (auto* control : {&fixed, &can, &newBoard, &hiddenNew}) control->SetChecked(true);
  area.StoreAll();
  EXPECT_EQ(area.Byte(90), 0x00) << "greyed and left-out controls store nothing";
  newBoard.SetChecked(false);
  area.Fill(90, {0x0F});
  area.LoadAll();
  EXPECT_TRUE(fixed.isChecked()) << "a greyed row still shows the module's value";
  EXPECT_FALSE(newBoard.isChecked()) << "a left-out row does not load";

  for (auto* control : {&fixed, &can, &newBoard, &hiddenNew}) {
    control->ApplyMainFirmware(5, false);
    control->ApplyBoardGeneration(3);
  }
  EXPECT_TRUE(can.isEnabled());
  EXPECT_TRUE(newBoard.isVisible());
  EXPECT_FALSE(hiddenNew.isVisible()) << "the table's hidden row stays hidden on its board";
  EXPECT_FALSE(fixed.isEnabled());
  can.ApplyMainFirmware(3, true);
  EXPECT_TRUE(can.isEnabled()) << "demo mode shows every firmware's settings";
  can.ApplyMainFirmware(0, false);
  EXPECT_TRUE(can.isEnabled()) << "an unknown firmware greys nothing";
}

}  // namespace
