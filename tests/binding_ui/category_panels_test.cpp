#include "binding/ui/category_panels.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "binding/ui/page_builder.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "binding/ui/vd_grid.h"

namespace {

QWidget* Panel(int height) {
  auto* panel = new QLabel(QStringLiteral("content"));
  panel->setMinimumHeight(height);
  return panel;
}

TEST(VDFrame, OnlyCaptionedPanelsBecomeSections) {
  TVDFrame frame(2);
  auto* plain = Panel(20);
  frame.AddPanel({}, plain);
  frame.AddPanel(QStringLiteral("Охрана"), Panel(50));
  ASSERT_EQ(frame.CategoryPanels1()->Categories().size(), 1u);
  EXPECT_EQ(frame.CategoryPanels1()->Categories()[0]->Caption(), QStringLiteral("Охрана"));
  EXPECT_EQ(plain->parentWidget(), &frame);
  EXPECT_EQ(frame.LanAddr(), 2);
}

TEST(CategoryPanels, SingleSectionFillsTheListAndCollapses) {
  TCategoryPanels list;
  list.resize(300, 400);
  auto* panel = Panel(50);
  auto* category = list.AddCategory(QStringLiteral("Одна"), panel);
  list.show();
  QApplication::processEvents();
  EXPECT_GT(panel->height(), 300);

  QSignalSpy spy(&list, &TCategoryPanels::CategoryCollapsed);
  QTest::mouseClick(category, Qt::LeftButton, {}, QPoint(20, category->HeaderHeight() / 2));
  EXPECT_TRUE(category->Collapsed());
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(spy.count(), 1);

  category->SetCollapsed(false);
  QApplication::processEvents();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_GT(panel->height(), 300);
  EXPECT_EQ(spy.count(), 2);
}

// A page's only section fills the list, but what it holds stays at its top: neither a grid
// sized to its rows nor a few settings float in the middle of the page.
TEST(CategoryPanels, ASectionThatFillsTheListKeepsItsContentAtTheTop) {
  TCategoryPanels list;
  list.resize(300, 600);
  auto* grid = Panel(50);
  grid->setFixedHeight(50);
  auto* category = list.AddCategory(QStringLiteral("Сетка"), grid);
  list.show();
  QApplication::processEvents();
  EXPECT_EQ(grid->y(), category->HeaderHeight());

  constexpr TControlRow kRows[] = {
      {.Kind = ckHeading, .Caption = "Настройки"},
      {.Kind = ckCheckBox, .Caption = "Первая", .Mem = mlInt, .Addr = 1, .Type = stBit},
      {.Kind = ckCheckBox, .Caption = "Вторая", .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 1},
  };
  TVDFrame frame(4);
  BuildPage(frame, kRows);
  frame.resize(400, 800);
  frame.show();
  QApplication::processEvents();
  const auto boxes = frame.findChildren<TVDCheckBox*>();
  ASSERT_EQ(boxes.size(), 2);
  const int gap = boxes[1]->mapTo(&frame, QPoint()).y() - boxes[0]->mapTo(&frame, QPoint()).y();
  EXPECT_LT(gap, 3 * boxes[0]->height()) << "the rows keep together";
  EXPECT_LT(boxes[0]->mapTo(&frame, QPoint()).y(), 100);
}

TEST(CategoryPanels, ScrollsInHeaderStepsAndToExpandedSections) {
  TCategoryPanels list;
  list.resize(300, 200);
  std::vector<TPanelCategory*> categories;
  for (int i = 0; i < 6; ++i) {
    categories.push_back(list.AddCategory(QStringLiteral("Раздел %1").arg(i), Panel(150)));
  }
  list.show();
  QApplication::processEvents();
  QScrollBar* bar = list.verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->singleStep(), categories[0]->HeaderHeight());

  QTest::keyClick(&list, Qt::Key_End);
  EXPECT_EQ(bar->value(), bar->maximum());
  QTest::keyClick(&list, Qt::Key_Home);
  EXPECT_EQ(bar->value(), 0);
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(bar->value(), bar->singleStep());

  categories[5]->SetCollapsed(true);
  bar->setValue(0);
  categories[5]->SetCollapsed(false);
  QApplication::processEvents();
  const int top = categories[5]->y() - bar->value();
  EXPECT_GE(top, 0);
  EXPECT_LT(top, list.viewport()->height());
}

TEST(VDGrid, ChangesTheHintOnlyWhenItDiffersAndReportsLeaving) {
  TVDGrid grid;
  QSignalSpy leave(&grid, &TVDGrid::MouseLeave);
  grid.SetCellHint(QStringLiteral("Вход 1"));
  EXPECT_EQ(grid.CellHint(), QStringLiteral("Вход 1"));
  grid.SetCellHint(QString());
  EXPECT_TRUE(grid.CellHint().isEmpty());
  QEvent event(QEvent::Leave);
  QApplication::sendEvent(&grid, &event);
  EXPECT_EQ(leave.count(), 1);
}

}  // namespace
