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

// Consecutive entries with the same text share a row that counts them and tells the time of
// the last one; the journal keeps every entry, and showing every entry undoes the folding.
TEST_F(TLogModelTest, RepeatsFoldIntoOneRowWithCountAndLastTime) {
  const TLanMsg voltage = Msg(2, 0, 26, {80, 84});
  const TLanMsg armed = Msg(2, 0, 96);
  struct TStep {
    int Seconds;
    TLanMsg Message;
  };
  const TStep steps[] = {
      {12 * 3600 + 4 * 60 + 1, voltage},  {12 * 3600 + 4 * 60 + 11, voltage},
      {12 * 3600 + 4 * 60 + 31, voltage}, {12 * 3600 + 5 * 60, armed},
      {12 * 3600 + 5 * 60 + 1, voltage},
  };
  for (const TStep& step : steps) {
    clock_.SetSeconds(step.Seconds);
    logger_.Add(step.Message);
  }
  struct TRowCase {
    const char* Id;
    const char* Time;
    int Count;
    const char* Suffix;
  };
  const TRowCase rows[] = {
      {"001", "12.04.01", 3, "   (×3, последнее 12:04:31)"},
      {"004", "12.05.00", 1, ""},
      {"005", "12.05.01", 1, ""},
  };
  EXPECT_EQ(logger_.EntryCount(), 5);
  ASSERT_EQ(model_.rowCount(), std::ssize(rows));
  for (int row = 0; row < model_.rowCount(); ++row) {
    const TRowCase& c = rows[row];
    EXPECT_EQ(Cell(row, TLogModel::kIdColumn).toString(), c.Id) << row;
    EXPECT_EQ(Cell(row, TLogModel::kTimeColumn).toString(), c.Time) << row;
    EXPECT_EQ(model_.RepeatCount(row), c.Count) << row;
    const int first = model_.FirstViewIndex(row);
    EXPECT_EQ(Cell(row, TLogModel::kMessageColumn).toString(),
              logger_.LineAt(first) + QString::fromUtf8(c.Suffix))
        << row;
  }

  // Hiding the entry between two runs joins them.
  logger_.ToggleFilter(TFilterData::ForDestCommand(0, 96), true);
  ASSERT_EQ(model_.rowCount(), 1);
  EXPECT_EQ(model_.RepeatCount(0), 4);
  EXPECT_TRUE(Cell(0, TLogModel::kMessageColumn).toString().endsWith("(×4, последнее 12:05:01)"));

  // Every entry on its own row again.
  model_.SetCollapseRepeats(false);
  EXPECT_EQ(model_.rowCount(), 4);
  for (int row = 0; row < model_.rowCount(); ++row) EXPECT_EQ(model_.RepeatCount(row), 1);
  EXPECT_EQ(model_.RowOfViewIndex(3), 3);
}

// A repeat that arrives changes the last row in place, so a view that follows the newest
// entry stays put instead of growing by a row.
TEST_F(TLogModelTest, ARepeatChangesItsRowInsteadOfAddingOne) {
  logger_.Add(Msg(2, 0, 96));
  QSignalSpy inserted(&model_, &QAbstractItemModel::rowsInserted);
  QSignalSpy changed(&model_, &QAbstractItemModel::dataChanged);
  logger_.Add(Msg(2, 0, 96));
  EXPECT_EQ(inserted.size(), 0);
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex().row(), 0);
  logger_.Add(Msg(2, 0, 98));
  EXPECT_EQ(inserted.size(), 1);
  EXPECT_EQ(model_.RowOfViewIndex(1), 0);
  EXPECT_EQ(model_.RowOfViewIndex(2), 1);
  EXPECT_EQ(model_.RowOfViewIndex(3), -1);
}

TEST_F(TLogModelTest, SearchHighlightsMatchingRowsAndStepsThroughThemAround) {
  for (const uint8_t command : {96, 98, 96, 106, 98}) logger_.Add(Msg(2, 0, command));
  model_.SetSearchText(QStringLiteral("СНЯТЬ с"));  // case aside
  std::vector<int> highlighted;
  for (int row = 0; row < model_.rowCount(); ++row) {
    if (Cell(row, TLogModel::kMessageColumn, Qt::BackgroundRole).isValid())
      highlighted.push_back(row);
  }
  EXPECT_EQ(highlighted, (std::vector<int>{1, 4}));
  struct TCase {
    int From;
    bool Forward;
    int Found;
  };
  const TCase cases[] = {{-1, true, 1},  {1, true, 4},  {4, true, 1},
                         {-1, false, 4}, {4, false, 1}, {1, false, 4}};
  for (const TCase& c : cases)
    EXPECT_EQ(model_.FindRow(c.From, c.Forward), c.Found) << c.From << " " << c.Forward;
  model_.SetSearchText(QStringLiteral("нет такого текста"));
  EXPECT_EQ(model_.FindRow(-1, true), -1);
  model_.SetSearchText({});
  EXPECT_FALSE(Cell(1, TLogModel::kMessageColumn, Qt::BackgroundRole).isValid());
}

TEST_F(TLogModelTest, PauseHoldsTheRowsStillAndLosesNothing) {
  logger_.Add(Msg(2, 0, 96));
  model_.SetPaused(true);
  logger_.Add(Msg(2, 0, 96));
  logger_.Add(Msg(2, 0, 98));
  EXPECT_EQ(model_.rowCount(), 1);
  EXPECT_EQ(model_.RepeatCount(0), 1);
  EXPECT_EQ(model_.WaitingEntries(), 2);
  model_.SetPaused(false);
  EXPECT_EQ(model_.WaitingEntries(), 0);
  ASSERT_EQ(model_.rowCount(), 2);
  EXPECT_EQ(model_.RepeatCount(0), 2);
  EXPECT_EQ(model_.RepeatCount(1), 1);
}

// With repeats folded, the rows still account for every entry of the view, in order.
TEST(TLogModelConsistency, FoldedRowsCoverTheViewThroughEveryChange) {
  TTestClock clock;
  TLogger logger(8, nullptr, clock.Clock());
  TOptionsData options;
  TLogModel model(logger, options.JournalColors());
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  const auto expectCovered = [&](const char* step) {
    int next = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
      EXPECT_EQ(model.FirstViewIndex(row), next) << step << " row " << row;
      next += model.RepeatCount(row);
    }
    EXPECT_EQ(next, logger.ViewCount()) << step;
  };
  for (const uint8_t source : {20, 20, 21, 20, 20, 20}) logger.Add(Msg(source, 0, 2));
  expectCovered("added");
  EXPECT_EQ(model.rowCount(), 3);
  logger.ToggleFilter(TFilterData::ForSource(21), true);
  expectCovered("filtered");
  EXPECT_EQ(model.rowCount(), 1);
  logger.SetInvert(true);
  expectCovered("inverted");
  logger.SetInvert(false);
  for (const uint8_t source : {22, 22, 22}) logger.Add(Msg(source, 0, 2));
  expectCovered("wrapped");
  logger.Clear();
  expectCovered("cleared");
}

}  // namespace
