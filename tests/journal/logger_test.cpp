#include "journal/logger.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <thread>

#include "journal_test_support.h"
#include "link/adapter.h"
#include "sim_link.h"
#include "test_support.h"
#include "text/code_page_1251.h"

namespace {

using namespace std::chrono_literals;

constexpr double kSecond = 1.0 / 86400;

// A journal on a clock the test sets.
class LoggerTest : public ::testing::Test {
 protected:
  double now = (12 * 3600 + 34 * 60 + 56) * kSecond;
  TLogger logger{TLogger::kCapacity, nullptr, [this] { return now; }};
};

TEST_F(LoggerTest, EntryBeyondCapacityStartsTheJournalOver) {
  for (int i = 0; i < TLogger::kCapacity; ++i) logger.Add(Msg(2, 0, 96));
  ASSERT_EQ(logger.EntryCount(), TLogger::kCapacity);
  EXPECT_EQ(logger.EntryAt(TLogger::kCapacity - 1)->Id, uint32_t(TLogger::kCapacity));

  logger.Add(Msg(2, 0, 98));
  ASSERT_EQ(logger.EntryCount(), 1);
  ASSERT_EQ(logger.ViewCount(), 1);
  EXPECT_EQ(logger.EntryAt(0)->Id, 1u);
  EXPECT_EQ(logger.LineAt(0), QStringLiteral("Главный модуль: Снять с охраны"));
}

TEST_F(LoggerTest, RepeatedErrorRefreshesTheLastEntry) {
  QSignalSpy refreshed(&logger, &TLogger::EntryRefreshed);
  logger.AddError(kErrNoise, AdapterErrorText(kErrNoise));
  now += 5 * kSecond;
  logger.AddError(kErrNoise, AdapterErrorText(kErrNoise));
  ASSERT_EQ(logger.EntryCount(), 1);
  EXPECT_DOUBLE_EQ(logger.EntryAt(0)->TimeStamp, now);
  EXPECT_EQ(refreshed.count(), 1);
  EXPECT_EQ(refreshed.front().front().toInt(), 0);

  // Only the last entry merges: a message in between starts a new error entry.
  logger.Add(Msg(2, 0, 96));
  logger.AddError(kErrNoise, AdapterErrorText(kErrNoise));
  logger.AddError(kErrTransmit, AdapterErrorText(kErrTransmit));
  EXPECT_EQ(logger.EntryCount(), 4);
  EXPECT_EQ(logger.LineAt(3), QStringLiteral("ошибка при передаче данных в сеть"));
}

TEST_F(LoggerTest, DropRulesKeepChatterOut) {
  const struct {
    TLanMsg msg;
    bool dropped;
  } cases[] = {
      {Msg(2, 1, 1), true},  // presence answers to the PC
      {Msg(24, 1, 1), true},
      {Msg(3, 11, 1), true},
      {Msg(3, 12, 1), true},
      {Msg(1, 2, 1, {}, true), false},
      {Msg(2, 0, 127), true},  // quiet commands
      {Msg(2, 0, 53), true},
      {Msg(1, 2, 88, {8, 0, 0}), true},  // memory transfers
      {Msg(2, 1, 122), true},
      {Msg(2, 3, 64), true},  // commands between the main module and the GSM module
      {Msg(3, 2, 70), true},
      {Msg(2, 0, 64), false},
      {Msg(11, 2, 40), true},
      {Msg(2, 1, 4), true},
      {Msg(2, 1, 3), true},
      {Msg(2, 1, 3, {0x81}), false},
      {Msg(3, 0, 3), true},
      {Msg(3, 0, 48), true},
      {Msg(3, 1, 48), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TLogger::IsDropped(c.msg), c.dropped)
        << int(c.msg.Source) << "->" << int(c.msg.Dest) << " C=" << int(c.msg.Command);
  }
  logger.Add(Msg(2, 1, 1));
  logger.Add(Msg(24, 1, 1));
  EXPECT_EQ(logger.EntryCount(), 0);
}

TEST_F(LoggerTest, FrameErrorsNeverReachTheJournal) {
  logger.AddError(kErrBadFormat, AdapterErrorText(kErrBadFormat));
  logger.AddError(kErrTooLong, AdapterErrorText(kErrTooLong));
  EXPECT_EQ(logger.EntryCount(), 0);
  logger.AddError(kErrAdapterFound, AdapterErrorText(kErrAdapterFound));
  EXPECT_EQ(logger.LineAt(0), QStringLiteral("адаптер обнаружен"));
}

TEST_F(LoggerTest, BuiltInFiltersHideLiveStatus) {
  logger.Add(Msg(2, 1, 48));
  logger.Add(Msg(4, 1, 49));
  logger.Add(Msg(2, 0, 96));
  EXPECT_EQ(logger.EntryCount(), 3);
  ASSERT_EQ(logger.ViewCount(), 1);
  EXPECT_EQ(logger.EntryAt(0)->Command, 96);
  logger.SetInvert(true);
  EXPECT_EQ(logger.ViewCount(), 2);
}

TEST_F(LoggerTest, OutputFilterLeavesInputsShown) {
  logger.Add(Msg(2, 0, 3, {0xC1}));  // an output
  logger.Add(Msg(2, 0, 3, {0x81}));  // an input
  EXPECT_EQ(logger.ViewCount(), 2);
  QSignalSpy filtersChanged(&logger, &TLogger::FiltersChanged);
  logger.ToggleFilter(TFilterData::ForAll(2, 64, 3, 0), true);
  ASSERT_EQ(logger.ViewCount(), 1);
  EXPECT_EQ(logger.EntryAt(0)->Data[0], 0x81);
  EXPECT_EQ(filtersChanged.count(), 1);
  logger.SetInvert(true);
  ASSERT_EQ(logger.ViewCount(), 1);
  EXPECT_EQ(logger.EntryAt(0)->Data[0], 0xC1);
}

TEST_F(LoggerTest, TogglingAFilterTwiceKeepsOneCopy) {
  const int builtIn = logger.FilterCount();
  logger.ToggleFilter(TFilterData::ForSource(20), true);
  logger.ToggleFilter(TFilterData::ForSource(20), true);
  EXPECT_EQ(logger.FilterCount(), builtIn + 1);
  logger.ToggleFilter(TFilterData::ForSource(20), false);
  EXPECT_EQ(logger.FilterCount(), builtIn);
  logger.ToggleFilter(TFilterData::ForSource(20), false);
  EXPECT_EQ(logger.FilterCount(), builtIn);
}

TEST_F(LoggerTest, ModuleFiltersNeverTakeTheBuiltInOnesForTheirOwn) {
  const int builtIn = logger.FilterCount();
  logger.ToggleFilter(TFilterData::ForSource(13), true);
  EXPECT_EQ(logger.FilterCount(), builtIn + 1);
  logger.ToggleFilter(TFilterData::ForSource(13), false);
  EXPECT_EQ(logger.FilterCount(), builtIn);
  // The start module's voltage answers stay hidden.
  logger.Add(Msg(13, 1, 53));
  EXPECT_EQ(logger.ViewCount(), 0);
}

TEST_F(LoggerTest, EntriesAreDecodedOnArrivalEvenWhenHidden) {
  logger.ToggleFilter(TFilterData::ForSourceCommand(2, 7), true);
  logger.Add(Msg(2, 0, 7, {5}));
  logger.Add(Msg(2, 0, 7, {0}));
  logger.Add(Msg(2, 0, 120, {23}));
  ASSERT_EQ(logger.ViewCount(), 1);
  EXPECT_EQ(logger.LineAt(0), QStringLiteral("Главный модуль: Количество брелоков: 3; меток: 2"));
  // Showing the hidden entries again decodes nothing anew.
  logger.ToggleFilter(TFilterData::ForSourceCommand(2, 7), false);
  ASSERT_EQ(logger.ViewCount(), 3);
  EXPECT_EQ(logger.LineAt(2), QStringLiteral("Главный модуль: Количество брелоков: 3; меток: 2"));
}

TEST_F(LoggerTest, TimesAreClockTimeOrSecondsFromTheBase) {
  logger.Add(Msg(2, 0, 96));
  now += 1.5 * kSecond;
  logger.Add(Msg(2, 0, 98));
  EXPECT_EQ(logger.TimeText(*logger.EntryAt(0)), QStringLiteral("12.34.56"));
  QSignalSpy changed(&logger, &TLogger::Changed);
  logger.SetTimeBase(1);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(logger.TimeText(*logger.EntryAt(0)), QStringLiteral("-1.50"));
  EXPECT_EQ(logger.TimeText(*logger.EntryAt(1)), QStringLiteral(" 0.00"));
  logger.SetTimeBase(2);
  EXPECT_EQ(logger.TimeBase(), -1);
  EXPECT_EQ(logger.TimeText(*logger.EntryAt(1)), QStringLiteral("12.34.57"));
}

// UTF-8 with LF as Linux editors read it, or the code page 1251 with CR LF of the older
// program's files; the same lines either way.
TEST_F(LoggerTest, ExportWritesTheChosenEncoding) {
  logger.AddError(kErrAdapterFound, AdapterErrorText(kErrAdapterFound));
  logger.Add(Msg(2, 1, 48));  // hidden by a built-in filter
  now += 2 * kSecond;
  logger.Add(Msg(2, 0, 96));
  const QString date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
  const QStringList all = {date, QStringLiteral("001 12.34.56 адаптер обнаружен"),
                           QStringLiteral("002 12.34.56 Главный модуль->PC: запрос состояния "
                                          "(команда 48) []"),
                           QStringLiteral("003 12.34.58 Главный модуль: Поставить на охрану")};
  const QStringList relativeView = {
      date, QStringLiteral("001    -2.00 адаптер обнаружен"),
      QStringLiteral("003     0.00 Главный модуль: Поставить на охрану")};
  const auto encode = [](const QStringList& lines, TLogger::TEncoding encoding) {
    QByteArray bytes;
    for (const QString& line : lines) {
      bytes +=
          encoding == TLogger::TEncoding::Utf8Lf ? line.toUtf8() + "\n" : ToCp1251(line) + "\r\n";
    }
    return bytes;
  };
  const auto read = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  QTemporaryDir dir;
  for (const auto encoding : {TLogger::TEncoding::Utf8Lf, TLogger::TEncoding::Cp1251CrLf}) {
    const QString allPath = dir.filePath(QStringLiteral("all.txt"));
    const QString viewPath = dir.filePath(QStringLiteral("view.txt"));
    logger.SetTimeBase(-1);
    ASSERT_TRUE(logger.Export(allPath, true, encoding));
    logger.SetTimeBase(1);
    ASSERT_TRUE(logger.Export(viewPath, false, encoding));
    EXPECT_EQ(read(allPath), encode(all, encoding));
    EXPECT_EQ(read(viewPath), encode(relativeView, encoding));
  }
}

TEST_F(LoggerTest, FailedExportSaysSoAndLeavesNoFile) {
  logger.Add(Msg(2, 0, 96));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("missing/log.txt"));
  QString error;
  EXPECT_FALSE(logger.Export(path, true, TLogger::TEncoding::Utf8Lf, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(path));
}

TEST(LoggerNames, TextExtensionOnlyWhenNoneGiven) {
  EXPECT_EQ(TLogger::WithTextExtension(QStringLiteral("log")), QStringLiteral("log.txt"));
  EXPECT_EQ(TLogger::WithTextExtension(QStringLiteral("log.txt")), QStringLiteral("log.txt"));
  EXPECT_EQ(TLogger::WithTextExtension(QStringLiteral("/tmp/a.b/log")),
            QStringLiteral("/tmp/a.b/log.txt"));
}

TEST_F(LoggerTest, ReportsFromOtherThreadsWaitForTheOwnThread) {
  std::thread worker([this] {
    logger.AddError(kErrNoise, AdapterErrorText(kErrNoise));
    logger.AddMessage(Msg(2, 0, 96));
  });
  worker.join();
  EXPECT_EQ(logger.EntryCount(), 0);
  EXPECT_TRUE(SpinUntil([this] { return logger.EntryCount() == 2; }));
  EXPECT_EQ(logger.LineAt(1), QStringLiteral("Главный модуль: Поставить на охрану"));
}

TEST(LoggerOnAdapter, JournalsTheLinkAndTheBus) {
  auto vehicle = MakeTestVehicle();
  auto owned = std::make_unique<TLogger>();
  TLogger* logger = owned.get();
  auto link = ConnectTo(vehicle, std::move(owned));
  TAdapter& adapter = *link;
  ASSERT_TRUE(adapter.IsConnected());
  vehicle->SendFromModule(Msg(2, 0, 96));
  ASSERT_TRUE(SpinUntil([logger] { return logger->ViewCount() >= 2; }));
  EXPECT_EQ(logger->LineAt(0), QStringLiteral("адаптер обнаружен"));
  EXPECT_EQ(logger->LineAt(1), QStringLiteral("Главный модуль: Поставить на охрану"));
}

}  // namespace
