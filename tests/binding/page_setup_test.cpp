// The helpers that finish a built page: track bar codings and labels, context help and parts
// the table cannot describe.

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

#include "binding/fake_memory_area.h"
#include "binding/ui/category_panels.h"
#include "binding/ui/context_help.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/track_bar_setup.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "test_support.h"

namespace {

// clang-format off
constexpr TRadioItem kModes[] = {{0, "нет"}, {1, "метка"}};
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Пробег"},
    {.Name = "tbKm", .Kind = ckTrackBar, .Caption = "Автосервис", .Mem = mlExt, .Addr = 242,
     .Type = st2Bytes, .Max = 3200, .Range = {1, 16}, .Default = 7},
    {.Name = "cbLock", .Kind = ckCheckBox, .Caption = "Замок", .Mem = mlExt, .Addr = 80, .Type = stBit},
    {.Kind = ckHeading, .Caption = "Метка"},
    {.Name = "rgMode", .Kind = ckRadioGroup, .Caption = "Режим", .Mem = mlExt, .Addr = 81,
     .Type = stBit, .Items = kModes, .NoHelp = true},
};
constexpr TValueLabelRow kLabels[] = {{.Name = "tbKm", .Format = "%d км"}};
constexpr TScaledCodingRow kCodings[] = {{.Name = "tbKm", .LoadFactor = 0.006, .StoreFactor = 166.7}};
// clang-format on

class THelpHost : public IPageHost {
 public:
  void ShowPageCommand(const QString&) override {}
  void ShowStatusText(const QString&, bool) override {}
  void ShowControlHelp(QWidget* control, const QString& topic) override {
    asked.emplace_back(control, topic);
  }
  void BeginBusy() override {}
  void EndBusy() override {}
  void ReportProgress(const QString&, int, int) override {}
  bool DemoMode() const override { return false; }
  uint8_t MainVersionMajor() const override { return 0; }
  uint8_t MainVersionMinor() const override { return 0; }
  uint8_t MainGeneration() const override { return 0; }

  std::vector<std::pair<QWidget*, QString>> asked;
};

class PageSetupTest : public ::testing::Test {
 protected:
  // The area outlives the controls, which leave it when they go.
  TFakeMemoryArea area;
  TVDFrame frame{2};
  TPageControls controls = TPageControls::Build(frame, kRows);
};

TEST_F(PageSetupTest, TrackBarsLoadStoreAndLabelThroughTheirRows) {
  ApplyValueLabels(controls, kLabels);
  ApplyScaledCodings(controls, kCodings);
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

TEST_F(PageSetupTest, RightClickAsksForHelpExceptOnNoHelpRows) {
  THelpHost host;
  AttachControlHelp(controls, host, QStringLiteral("main_test"));
  const auto rightClick = [](QWidget& widget) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1),
                            widget.mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(&widget, &event);
  };
  auto& mode = controls.Get<TVDRadioGroup>("rgMode");
  rightClick(mode);
  rightClick(*mode.Button(1));
  rightClick(controls.Get<TVDCheckBox>("cbLock"));
  rightClick(controls.Get<TVDTrackBar>("tbKm"));
  ASSERT_EQ(host.asked.size(), 2u);
  EXPECT_EQ(host.asked[0].first, &controls.Get<TVDCheckBox>("cbLock"));
  EXPECT_EQ(host.asked[0].second, QStringLiteral("main_test"));
  EXPECT_EQ(host.asked[1].first, &controls.Get<TVDTrackBar>("tbKm"));
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

}  // namespace
