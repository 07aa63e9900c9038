#include "journal/ui/log_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QFont>
#include <QSignalSpy>

#include "journal/journal_test_support.h"
#include "journal/logger.h"
#include "journal_ui_test_support.h"
#include "shell/options_data.h"
#include "test_support.h"

namespace {

class TLogModelTest : public ::testing::Test {
 protected:
  QVariant Cell(int row, int column, int role = Qt::DisplayRole) const {
    return model_.data(model_.index(row, column), role);
  }

  TTestClock clock_;
  TLogger logger_{TLogger::kCapacity, nullptr, clock_.Clock()};
  TOptionsData options_;
  TLogModel model_{logger_, options_.JournalColors()};
};

// The grid's header is the view's own header, not a row of the model, and rows that would
// hold no entry are not offered at all: an empty or one-entry journal shows its header and
// zero or one row over the empty grid, where a string grid needed three rows. The bytes column
// is the window's to hide.
TEST_F(TLogModelTest, OffersOneRowPerViewEntryUnderItsColumnHeaders) {
  EXPECT_EQ(model_.rowCount(), 0);
  EXPECT_EQ(model_.columnCount(), 5);
  const QStringList headers = {" ", " #", "Время", "Байты", "Сообщение"};
  for (int column = 0; column < headers.size(); ++column) {
    EXPECT_EQ(model_.headerData(column, Qt::Horizontal).toString(), headers[column]);
  }
  logger_.Add(Msg(20, 0, 2));
  EXPECT_EQ(model_.rowCount(), 1);
  logger_.Add(Msg(21, 0, 2));
  EXPECT_EQ(model_.rowCount(), 2);
  EXPECT_FALSE(Cell(2, TLogModel::kMessageColumn).isValid());
}

TEST_F(TLogModelTest, CellsShowNumberTimeTextAndSenderColour) {
  clock_.SetSeconds(10 * 3600 + 11 * 60 + 12);
  logger_.Add(Msg(20, 0, 2));
  options_.Colors[20] = QColor(0x12, 0x34, 0x56);
  EXPECT_EQ(Cell(0, TLogModel::kIdColumn).toString(), "001");
  EXPECT_EQ(Cell(0, TLogModel::kTimeColumn).toString(), "10.11.12");
  EXPECT_EQ(Cell(0, TLogModel::kMessageColumn).toString(), logger_.LineAt(0));
  EXPECT_FALSE(logger_.LineAt(0).isEmpty());
  EXPECT_EQ(Cell(0, TLogModel::kMarkerColumn, Qt::BackgroundRole).value<QColor>(),
            QColor(0x12, 0x34, 0x56));
  EXPECT_FALSE(Cell(0, TLogModel::kMarkerColumn).isValid());

  // New colours from the options reach the markers and the header at once.
  QSignalSpy markers(&model_, &QAbstractItemModel::dataChanged);
  QSignalSpy header(&model_, &QAbstractItemModel::headerDataChanged);
  options_.LogHeaderColor = QColor(0xC0, 0xC0, 0xC0);
  model_.RefreshColors();
  ASSERT_EQ(markers.size(), 1);
  EXPECT_EQ(markers[0][0].toModelIndex().column(), TLogModel::kMarkerColumn);
  EXPECT_EQ(header.size(), 1);
  EXPECT_EQ(model_.headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(),
            QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(TLogModelTest, ProgramEntriesAreGreenWhenTheLinkCameBackAndRedOtherwise) {
  struct TCase {
    int Error;
    QColor Marker;
  };
  const TCase cases[] = {{10, QColor(0, 0x80, 0)},
                         {12, QColor(0, 0x80, 0)},
                         {1, QColor(0xFF, 0, 0)},
                         {9, QColor(0xFF, 0, 0)}};
  for (const TCase& c : cases) logger_.AddError(c.Error, QStringLiteral("ошибка %1").arg(c.Error));
  ASSERT_EQ(model_.rowCount(), std::ssize(cases));
  for (int row = 0; row < model_.rowCount(); ++row) {
    EXPECT_EQ(Cell(row, TLogModel::kMarkerColumn, Qt::BackgroundRole).value<QColor>(),
              cases[row].Marker)
        << "error " << cases[row].Error;
  }
}

TEST_F(TLogModelTest, MainModuleModeAndAlarmBroadcastsAreBold) {
  struct TCase {
    uint8_t Source;
    uint8_t Dest;
    uint8_t Command;
    bool Bold;
  };
  const TCase cases[] = {
      {2, 0, 7, true}, {2, 0, 11, true}, {2, 1, 7, false}, {4, 0, 7, false}, {2, 0, 3, false},
  };
  for (const TCase& c : cases) logger_.Add(Msg(c.Source, c.Dest, c.Command, {1}));
  ASSERT_EQ(model_.rowCount(), std::ssize(cases));
  for (int row = 0; row < model_.rowCount(); ++row) {
    const QVariant font = Cell(row, TLogModel::kMessageColumn, Qt::FontRole);
    EXPECT_EQ(font.isValid() && font.value<QFont>().bold(), cases[row].Bold) << "row " << row;
    EXPECT_FALSE(Cell(row, TLogModel::kIdColumn, Qt::FontRole).isValid());
  }
}

TEST_F(TLogModelTest, RepeatedErrorRefreshesTheTimeOfItsRowWithoutAddingOne) {
  clock_.SetSeconds(3600);
  logger_.AddError(1, QStringLiteral("нет ответа"));
  QSignalSpy changed(&model_, &QAbstractItemModel::dataChanged);
  clock_.SetSeconds(3600 + 5);
  logger_.AddError(1, QStringLiteral("нет ответа"));
  EXPECT_EQ(model_.rowCount(), 1);
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex().row(), 0);
  EXPECT_EQ(Cell(0, TLogModel::kTimeColumn).toString(), "01.00.05");
}

// The model announces exactly the rows the journal's view holds, through every kind of
// change, so a view never asks for an entry that is gone.
TEST(TLogModelConsistency, FollowsTheViewThroughFiltersTimeBaseClearAndWrap) {
  TTestClock clock;
  TLogger logger(5, nullptr, clock.Clock());
  TOptionsData options;
  TLogModel model(logger, options.JournalColors());
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  const auto expectRows = [&](const char* step) {
    EXPECT_EQ(model.rowCount(), logger.ViewCount()) << step;
  };
  for (uint8_t source = 20; source < 24; ++source) logger.Add(Msg(source, 0, 2));
  expectRows("added");
  logger.ToggleFilter(TFilterData::ForSource(21), true);
  expectRows("filtered");
  logger.SetInvert(true);
  expectRows("inverted");
  logger.SetTimeBase(0);
  expectRows("time base");
  logger.SetInvert(false);
  logger.Add(Msg(24, 0, 2));
  logger.Add(Msg(25, 0, 2));
  expectRows("wrapped");
  EXPECT_EQ(model.rowCount(), 1);
  EXPECT_EQ(model.data(model.index(0, TLogModel::kIdColumn)).toString(), "001");
  logger.Clear();
  expectRows("cleared");
}

}  // namespace
