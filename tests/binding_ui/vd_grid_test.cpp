#include "binding/ui/vd_grid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "binding/ui/turned_header.h"
#include "test_support.h"

namespace {

// A grid whose first row names its columns, taller than its window, as the outputs page has.
class GridWithHeadings : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    grid.setRowCount(40);
    grid.setColumnCount(6);
    for (int column = 0; column < grid.columnCount(); ++column) {
      grid.setItem(0, column, new QTableWidgetItem(QStringLiteral("Функция %1").arg(column)));
      for (int row = 1; row < grid.rowCount(); ++row) {
        grid.setItem(row, column, new QTableWidgetItem(QStringLiteral("%1").arg(row)));
      }
    }
    grid.setRowHeight(0, 60);
    grid.resize(400, 300);
    grid.FreezeTopRow();
    grid.show();
    QCoreApplication::processEvents();
  }

  TVDGrid grid;
};

TEST_F(GridWithHeadings, TheHeadingRowStaysInViewWhileTheRowsScroll) {
  QTableView* frozen = grid.FrozenRow();
  ASSERT_NE(frozen, nullptr);
  grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
  QCoreApplication::processEvents();
  ASSERT_GT(grid.verticalScrollBar()->value(), 0) << "the rows must be able to scroll";
  EXPECT_TRUE(frozen->isVisible());
  EXPECT_EQ(frozen->geometry().top(), grid.viewport()->geometry().top());
  EXPECT_EQ(frozen->height(), grid.rowHeight(0));
  EXPECT_EQ(frozen->visualRect(frozen->model()->index(0, 2)).top(), 0);
  EXPECT_EQ(frozen->model()->index(0, 2).data().toString(), QStringLiteral("Функция 2"));
  // Column widths and horizontal scrolling follow the grid.
  grid.setColumnWidth(2, 150);
  EXPECT_EQ(frozen->columnWidth(2), 150);
  grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
  EXPECT_EQ(frozen->horizontalScrollBar()->value(), grid.horizontalScrollBar()->value());
}

TEST_F(GridWithHeadings, AClickOnTheFrozenRowReachesThePageAsAClickOnTheGrid) {
  QSignalSpy clicks(&grid, &QTableWidget::cellClicked);
  grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
  QTableView* frozen = grid.FrozenRow();
  const QRect cell = frozen->visualRect(frozen->model()->index(0, 1));
  QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, cell.center());
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks[0][0].toInt(), 0);
  EXPECT_EQ(clicks[0][1].toInt(), 1);
}

TEST(VDGrid, AColumnIsAsWideAsItsHeadingNeedsAndNoNarrower) {
  TVDGrid grid;
  const QString longName = QStringLiteral("Кнопка управления центральным замком");
  const int wide = grid.WidthForText(longName, 90, 60);
  EXPECT_GT(wide, 60);
  const QFontMetrics metrics = grid.fontMetrics();
  const QRect wrapped = metrics.boundingRect(QRect(0, 0, wide - 8, 1000),
                                             Qt::AlignCenter | Qt::TextWordWrap, longName);
  EXPECT_LE(wrapped.width(), wide - 8);
  EXPECT_LE(wrapped.height(), 90 - 8);
  EXPECT_EQ(grid.WidthForText(QStringLiteral("Сирена"), 90, 60), 60) << "short names keep it";
}

TEST(TurnedHeader, NamesOfNarrowColumnsSetTheHeaderHeight) {
  QTableWidget grid(2, 3);
  grid.setHorizontalHeader(new TTurnedHeader(&grid));
  const QString longest = QStringLiteral("Датчик открытия дверей пассажиров");
  grid.setHorizontalHeaderLabels({QStringLiteral("Ключ"), longest, QStringLiteral("Стоп")});
  grid.horizontalHeader()->setDefaultSectionSize(26);
  EXPECT_GE(grid.horizontalHeader()->sizeHint().height(),
            grid.fontMetrics().horizontalAdvance(longest));
}

}  // namespace
