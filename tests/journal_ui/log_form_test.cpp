#include "journal/ui/log_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <set>

#include "journal/journal_test_support.h"
#include "journal/logger.h"
#include "journal/ui/log_model.h"
#include "journal_ui_test_support.h"
#include "shell/options_data.h"
#include "test_support.h"
#include "text/code_page_1251.h"

namespace {

// Answers the file dialogs with prepared names and records what the window asks and tells.
class TRecordingPrompts : public ILogPrompts {
 public:
  TLogExportChoice AskExportName(QWidget*, const QString&, const QString& folder) override {
    AskedFolders << folder;
    return {Answer, Encoding};
  }
  QString AskCaptureName(QWidget*, bool save, const QString& folder) override {
    AskedFolders << folder;
    return save ? CaptureAnswer : OpenAnswer;
  }
  void Warn(QWidget*, const QString& text) override { Warned << text; }

  QString Answer;
  TLogger::TEncoding Encoding = TLogger::TEncoding::Utf8Lf;
  QString CaptureAnswer;
  QString OpenAnswer;
  QStringList AskedFolders;
  QStringList Warned;
};

class TLogFormTest : public ::testing::Test {
 protected:
  TLogFormTest() {
    auto prompts = std::make_unique<TRecordingPrompts>();
    prompts_ = prompts.get();
    form_ =
        std::make_unique<TLogForm>(logger_, options_.JournalColors(), nullptr, std::move(prompts));
  }

  void Trigger(const char* name) { form_->Command(QString::fromLatin1(name))->trigger(); }
  bool IsChecked(const char* name) const {
    return form_->Command(QString::fromLatin1(name))->isChecked();
  }
  std::set<int> VisibleIds() const {
    std::set<int> ids;
    const TLogModel& model = *form_->Model();
    for (int row = 0; row < model.rowCount(); ++row) {
      ids.insert(model.data(model.index(row, TLogModel::kIdColumn)).toInt());
    }
    return ids;
  }
  QString TimeAt(int row) const {
    const TLogModel& model = *form_->Model();
    return model.data(model.index(row, TLogModel::kTimeColumn)).toString();
  }
  void ShowForm() {
    form_->resize(700, 240);
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  }
  QScrollBar* Scroll() const { return form_->Grid()->verticalScrollBar(); }
  void CtrlClick(int row) {
    QTableView* grid = form_->Grid();
    const QPoint at = row < form_->Model()->rowCount()
                          ? grid->visualRect(form_->Model()->index(row, 2)).center()
                          : QPoint(10, grid->viewport()->height() - 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
  }

  TTestClock clock_;
  TLogger logger_{TLogger::kCapacity, nullptr, clock_.Clock()};
  TOptionsData options_;
  TRecordingPrompts* prompts_ = nullptr;
  std::unique_ptr<TLogForm> form_;
};

TEST_F(TLogFormTest, IsTheDockableJournalWindow) {
  EXPECT_EQ(form_->objectName(), "LogForm");
  EXPECT_EQ(form_->windowTitle(), "Журнал");
  EXPECT_TRUE(form_->Command("aShock")->isCheckable());
  EXPECT_EQ(form_->Command("aShock")->text(), "Датчик удара");
  EXPECT_EQ(form_->Command("aGSM")->iconText(), "Модуль  GSM");
  EXPECT_EQ(form_->Command("aRelayIO")->toolTip(), "Модуль запуска");
}

// Traffic that every switch has something to hide in; ids follow the order of adding.
void AddSwitchTraffic(TLogger& logger) {
  logger.Add(Msg(2, 0, 3, {0x40}));              // 1: an output changed
  logger.Add(Msg(2, 0, 3, {0x01}));              // 2: an input changed
  logger.Add(Msg(2, 0, 5));                      // 3: other main module traffic
  logger.Add(Msg(2, 1, 112));                    // 4: key fob
  logger.Add(Msg(20, 0, 2));                     // 5: from the shock sensor
  logger.Add(Msg(2, 20, 9));                     // 6: to the shock sensor
  logger.Add(Msg(24, 0, 10));                    // 7: CAN module
  logger.Add(Msg(2, 0, 19));                     // 8: CAN input
  logger.Add(Msg(2, 0, 121));                    // 9: melody
  logger.Add(Msg(2, 0, 15));                     // 10: relay cut-off
  logger.AddError(1, QStringLiteral("ошибка"));  // 11: the program's own entry
  logger.Add(Msg(3, 0, 20));                     // 12: GSM module
  logger.Add(Msg(2, 0, 7));                      // 13: the main module's mode
  logger.Add(Msg(13, 0, 30));                    // 14: engine start module
  logger.Add(Msg(1, 2, 12, {5}));                // 15: the PC to the main module
  logger.Add(Msg(3, 2, 20, {0, 0, 10}));         // 16: the GSM module to the main module
  logger.Add(Msg(2, 3, 25));                     // 17: the main module to the GSM module
  logger.Add(Msg(2, 1, 0, {28, 0}));             // 18: the main module's restart, to the PC
  logger.Add(Msg(12, 0, 39, {1, 2}));            // 19: the GPS module at its second address
  logger.Add(Msg(2, 25, 0, {1}));                // 20: the main module to the tag transceiver
}

TEST_F(TLogFormTest, EachSwitchHidesItsTrafficAndShowsItAgainWhenUnchecked) {
  struct TCase {
    const char* Command;
    std::set<int> Hidden;
  };
  const TCase cases[] = {
      // Every message to and from the main module, but its input and output broadcasts.
      {"aExceptions", {11}},  {"aSystem", {3, 4, 6, 8, 9, 10, 13, 15, 16, 17, 18, 20}},
      {"aSysIn", {2}},        {"aSysOuts", {1}},
      {"aTXRcvFailed", {4}},  {"aShock", {5, 6}},
      {"aCan", {7}},          {"aCanIn", {8}},
      {"aPlayMelody", {9}},   {"aCutOff", {10}},
      {"aGSM", {12, 16, 17}}, {"aRelayIO", {14}},
      {"aGPS", {19}},         {"aTransiverLabel", {20}},
  };
  AddSwitchTraffic(logger_);
  const std::set<int> all = VisibleIds();
  ASSERT_EQ(all.size(), 20u);
  for (const TCase& c : cases) {
    Trigger(c.Command);
    ASSERT_TRUE(IsChecked(c.Command));
    std::set<int> expected;
    for (const int id : all) {
      if (!c.Hidden.contains(id)) expected.insert(id);
    }
    EXPECT_EQ(VisibleIds(), expected) << c.Command;
    Trigger(c.Command);
    EXPECT_EQ(VisibleIds(), all) << c.Command << " unchecked";
  }
}

TEST_F(TLogFormTest, ShockSwitchHidesAddress20AndInversionShowsOnlyIt) {
  AddSwitchTraffic(logger_);
  Trigger("aShock");
  EXPECT_FALSE(VisibleIds().contains(5));
  EXPECT_FALSE(VisibleIds().contains(6));
  Trigger("aInverceFilter");
  EXPECT_TRUE(logger_.Invert());
  EXPECT_EQ(VisibleIds(), (std::set<int>{5, 6}));
}

TEST_F(TLogFormTest, CtrlClickMakesTimesRelativeToTheClickedEntry) {
  for (const double seconds : {10.0, 12.5, 15.0}) {
    clock_.SetSeconds(seconds);
    logger_.Add(Msg(20, 0, 2, {static_cast<uint8_t>(seconds)}));
  }
  ShowForm();
  CtrlClick(1);
  EXPECT_EQ(logger_.TimeBase(), 1);
  EXPECT_EQ(TimeAt(0), "-2.50");
  EXPECT_EQ(TimeAt(1), " 0.00");
  EXPECT_EQ(TimeAt(2), " 2.50");
  EXPECT_TRUE(form_->Grid()->selectionModel()->isRowSelected(1));

  // An export made now writes the relative times.
  QTemporaryDir dir;
  prompts_->Answer = dir.filePath(QStringLiteral("relative.txt"));
  Trigger("aSaveLog");
  QFile file(prompts_->Answer);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("001    -2.50 "))) << lines[1].toStdString();
  EXPECT_TRUE(lines[3].startsWith(QStringLiteral("003     2.50 "))) << lines[3].toStdString();

  CtrlClick(1);
  EXPECT_EQ(logger_.TimeBase(), -1);
  EXPECT_EQ(TimeAt(0), "00.00.10");
  EXPECT_FALSE(form_->Grid()->selectionModel()->hasSelection());

  CtrlClick(2);
  EXPECT_EQ(logger_.TimeBase(), 2);
  CtrlClick(99);  // below the last entry
  EXPECT_EQ(logger_.TimeBase(), -1);
  EXPECT_FALSE(form_->Grid()->selectionModel()->hasSelection());
}

TEST_F(TLogFormTest, SaveLogAddsTextExtensionOnlyToNamesWithout) {
  struct TCase {
    const char* Typed;
    const char* Written;
  };
  const TCase cases[] = {
      {"log", "log.txt"},
      {"log.txt", "log.txt"},
      {"bus.log", "bus.log"},
      {"night.d/log", "night.d/log.txt"},
  };
  logger_.Add(Msg(20, 0, 2));
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("night.d")));
  for (const TCase& c : cases) {
    prompts_->Answer = dir.filePath(QString::fromLatin1(c.Typed));
    Trigger("aSaveLog");
    EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromLatin1(c.Written)))) << c.Typed;
    EXPECT_FALSE(QFile::exists(dir.filePath(QString::fromLatin1(c.Written) + ".txt"))) << c.Typed;
  }
  EXPECT_EQ(form_->StatusText(),
            "Журнал сохранён в файле " + QDir::toNativeSeparators(dir.filePath("night.d/log.txt")));
  EXPECT_TRUE(prompts_->Warned.isEmpty());
}

TEST_F(TLogFormTest, SaveLogCancelledWritesNothingAndSaysNothing) {
  prompts_->Answer.clear();
  Trigger("aSaveLog");
  EXPECT_TRUE(form_->StatusText().isEmpty());
  EXPECT_TRUE(prompts_->Warned.isEmpty());
}

TEST_F(TLogFormTest, FailedSaveSaysWhyAndNeverThatItWasSaved) {
  prompts_->Answer = QStringLiteral("/nonexistent-vardex-folder/log");
  Trigger("aSaveLog");
  EXPECT_TRUE(form_->StatusText().isEmpty());
  ASSERT_EQ(prompts_->Warned.size(), 1);
  const QString& text = prompts_->Warned[0];
  EXPECT_TRUE(text.contains(QStringLiteral("/nonexistent-vardex-folder/log.txt")))
      << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("сохран"), Qt::CaseInsensitive)) << text.toStdString();
  // The reason follows the file name.
  EXPECT_FALSE(text.section(u'\n', 2).trimmed().isEmpty()) << text.toStdString();
}

// Both exports ask where to write, start in the folder of the last one, write UTF-8 with LF
// unless the code page 1251 with CR LF is chosen, and name the file on the status line.
TEST_F(TLogFormTest, ExportsAskWhereAndWriteTheChosenEncoding) {
  logger_.Add(Msg(20, 0, 2, {1}));
  logger_.Add(Msg(21, 0, 2, {2}));
  Trigger("aShock");
  QTemporaryDir dir;
  struct TCase {
    const char* Command;
    const char* Name;
    TLogger::TEncoding Encoding;
    const char* LineEnd;
    int Lines;
  };
  const TCase cases[] = {
      {"aSaveFilteredLog", "view.txt", TLogger::TEncoding::Utf8Lf, "\n", 2},
      {"aSaveFilteredLog", "view1251.txt", TLogger::TEncoding::Cp1251CrLf, "\r\n", 2},
      {"aSaveLog", "all.txt", TLogger::TEncoding::Utf8Lf, "\n", 3},
  };
  for (const TCase& c : cases) {
    prompts_->Answer = dir.filePath(QString::fromLatin1(c.Name));
    prompts_->Encoding = c.Encoding;
    Trigger(c.Command);
    EXPECT_EQ(form_->StatusText(),
              "Журнал сохранён в файле " + QDir::toNativeSeparators(prompts_->Answer));
    QFile file(prompts_->Answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.Name;
    const QByteArray bytes = file.readAll();
    const QString text =
        c.Encoding == TLogger::TEncoding::Utf8Lf ? QString::fromUtf8(bytes) : FromCp1251(bytes);
    EXPECT_EQ(bytes.count('\r') > 0, c.Encoding == TLogger::TEncoding::Cp1251CrLf) << c.Name;
    const QStringList lines = text.split(QString::fromLatin1(c.LineEnd), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), c.Lines) << c.Name;
    EXPECT_TRUE(lines.back().contains(QStringLiteral("МКВ датчик-1"))) << c.Name;
  }
  // The first dialog starts wherever the user likes; the next ones in the last folder.
  ASSERT_EQ(prompts_->AskedFolders.size(), 3);
  EXPECT_TRUE(prompts_->AskedFolders[0].isEmpty());
  EXPECT_EQ(prompts_->AskedFolders[1], dir.path());
  EXPECT_EQ(prompts_->AskedFolders[2], dir.path());
}

TEST_F(TLogFormTest, FilteredExportFailureIsReportedAsAFailure) {
  QTemporaryDir dir;
  // A folder in the way of the file.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("log.txt")));
  prompts_->Answer = dir.filePath(QStringLiteral("log.txt"));
  Trigger("aSaveFilteredLog");
  EXPECT_TRUE(form_->StatusText().isEmpty());
  ASSERT_EQ(prompts_->Warned.size(), 1);
  EXPECT_FALSE(prompts_->Warned[0].contains(QStringLiteral("сохран"), Qt::CaseInsensitive));
}

class TLogFormSettingsTest : public TLogFormTest {
 protected:
  static constexpr char kGroup[] = "LogForm";

  QTemporaryDir dir_;
  QSettings settings_{dir_.filePath(QStringLiteral("layout.ini")), QSettings::IniFormat};
};

TEST_F(TLogFormSettingsTest, SavedSwitchesAreAppliedAgainWhenRead) {
  Trigger("aShock");
  Trigger("aInverceFilter");
  Trigger("aCan");  // never kept
  for (QAction* action : form_->ContextMenu()->actions()) {
    if (action->text() == "Панель фильтров") action->trigger();
  }
  form_->WriteSettings(settings_, QString::fromLatin1(kGroup));
  settings_.sync();
  EXPECT_EQ(settings_.value(QStringLiteral("LogForm/aShock")).toBool(), true);
  EXPECT_EQ(settings_.value(QStringLiteral("LogForm/LogPanelVisible")).toBool(), false);
  EXPECT_FALSE(settings_.contains(QStringLiteral("LogForm/aCan")));

  TTestClock clock;
  TLogger logger(TLogger::kCapacity, nullptr, clock.Clock());
  TOptionsData options;
  TLogForm restored(logger, options.JournalColors());
  AddSwitchTraffic(logger);
  restored.ReadSettings(settings_, QString::fromLatin1(kGroup));
  EXPECT_TRUE(restored.Command("aShock")->isChecked());
  EXPECT_TRUE(restored.Command("aInverceFilter")->isChecked());
  EXPECT_FALSE(restored.Command("aCan")->isChecked());
  EXPECT_TRUE(restored.FilterPanel()->isHidden());
  EXPECT_EQ(restored.Model()->rowCount(), 2);  // only the shock sensor's traffic

  // Reading again leaves the switches as they are.
  restored.ReadSettings(settings_, QString::fromLatin1(kGroup));
  EXPECT_TRUE(restored.Command("aShock")->isChecked());
  EXPECT_EQ(restored.Model()->rowCount(), 2);
}

TEST_F(TLogFormSettingsTest, TheRawBytesColumnIsHiddenUntilAskedForAndKeptSo) {
  const auto raw = [](const TLogForm& form) {
    return !form.Grid()->isColumnHidden(TLogModel::kRawColumn);
  };
  EXPECT_FALSE(raw(*form_));
  QAction* show = form_->findChild<QAction*>(QStringLiteral("aShowRawBytes"));
  ASSERT_NE(show, nullptr);
  EXPECT_TRUE(form_->ContextMenu()->actions().contains(show));
  show->trigger();
  EXPECT_TRUE(raw(*form_));
  form_->WriteSettings(settings_, QString::fromLatin1(kGroup));

  TTestClock clock;
  TLogger logger(TLogger::kCapacity, nullptr, clock.Clock());
  TOptionsData options;
  TLogForm restored(logger, options.JournalColors());
  restored.ReadSettings(settings_, QString::fromLatin1(kGroup));
  EXPECT_TRUE(raw(restored));
  logger.Add(Msg(2, 0, 5, {1, 2}));
  const int last = restored.Model()->rowCount() - 1;
  ASSERT_GE(last, 0);
  EXPECT_EQ(restored.Model()->data(restored.Model()->index(last, TLogModel::kRawColumn)).toString(),
            QStringLiteral("02 00 05 | 01 02"));
}

TEST_F(TLogFormSettingsTest, MissingOrUnreadableValuesKeepTheirDefaults) {
  settings_.setValue(QStringLiteral("LogForm/aShock"), QStringLiteral("maybe"));
  settings_.setValue(QStringLiteral("LogForm/LogPanelVisible"), QStringLiteral("maybe"));
  form_->ReadSettings(settings_, QString::fromLatin1(kGroup));
  EXPECT_FALSE(IsChecked("aShock"));
  EXPECT_TRUE(IsChecked("aShowLastMessage"));
  EXPECT_FALSE(form_->FilterPanel()->isHidden());
}

TEST_F(TLogFormTest, FollowsNewEntriesFromTheStartUntilScrolledAway) {
  ShowForm();
  EXPECT_TRUE(IsChecked("aShowLastMessage"));
  // "Вниз" is on the view bar, which nothing overflows, not among the filter switches.
  QAction* down = form_->Command("aShowLastMessage");
  EXPECT_TRUE(form_->ViewBar()->actions().contains(down));
  EXPECT_FALSE(form_->FilterPanel()->actions().contains(down));
  for (int i = 0; i < 100; ++i) logger_.Add(Msg(20, 0, 2, {static_cast<uint8_t>(i)}));
  QCoreApplication::processEvents();
  ASSERT_GT(Scroll()->maximum(), 0);
  EXPECT_EQ(Scroll()->value(), Scroll()->maximum());
  const QModelIndex last = form_->Model()->index(99, TLogModel::kMessageColumn);
  EXPECT_TRUE(form_->Grid()->viewport()->rect().intersects(form_->Grid()->visualRect(last)));

  // Scrolling up stops following; the view stays where it was.
  Scroll()->setValue(10);
  EXPECT_FALSE(IsChecked("aShowLastMessage"));
  for (int i = 0; i < 10; ++i) logger_.Add(Msg(21, 0, 2, {static_cast<uint8_t>(i)}));
  QCoreApplication::processEvents();
  EXPECT_EQ(Scroll()->value(), 10);

  // Scrolling back to the newest entry follows again and ends relative time.
  CtrlClick(form_->Grid()->rowAt(5));
  ASSERT_GE(logger_.TimeBase(), 0);
  Scroll()->setValue(Scroll()->maximum());
  EXPECT_TRUE(IsChecked("aShowLastMessage"));
  EXPECT_EQ(logger_.TimeBase(), -1);
}

TEST_F(TLogFormTest, NewEntriesKeepATimeBasePickedWhileFollowing) {
  ShowForm();
  for (int i = 0; i < 50; ++i) logger_.Add(Msg(20, 0, 2, {static_cast<uint8_t>(i)}));
  QCoreApplication::processEvents();
  CtrlClick(form_->Grid()->rowAt(5));
  const int base = logger_.TimeBase();
  ASSERT_GE(base, 0);
  logger_.Add(Msg(21, 0, 2));
  QCoreApplication::processEvents();
  EXPECT_EQ(logger_.TimeBase(), base);
  EXPECT_EQ(Scroll()->value(), Scroll()->maximum());
}

TEST_F(TLogFormTest, FullJournalIsServedWithoutAWidgetPerRow) {
  ShowForm();
  const auto widgetsBefore = form_->findChildren<QWidget*>().size();
  Trigger("aShowAllEntries");
  for (int i = 0; i < TLogger::kCapacity; ++i)
    logger_.Add(Msg(20, 0, 2, {static_cast<uint8_t>(i)}));
  QCoreApplication::processEvents();
  EXPECT_EQ(form_->Model()->rowCount(), TLogger::kCapacity);
  EXPECT_EQ(form_->findChildren<QWidget*>().size(), widgetsBefore);
  EXPECT_EQ(Scroll()->value(), Scroll()->maximum());
  const QModelIndex last = form_->Model()->index(TLogger::kCapacity - 1, TLogModel::kIdColumn);
  EXPECT_TRUE(form_->Grid()->viewport()->rect().intersects(form_->Grid()->visualRect(last)));
  EXPECT_EQ(last.data().toString(), "10240");
  Scroll()->setValue(0);
  EXPECT_EQ(form_->Grid()->rowAt(0), 0);
}

TEST_F(TLogFormTest, ClearEmptiesTheGridAndIndicatorResetIsPassedOn) {
  AddSwitchTraffic(logger_);
  logger_.SetTimeBase(2);
  Trigger("aClear");
  EXPECT_EQ(form_->Model()->rowCount(), 0);
  EXPECT_EQ(logger_.TimeBase(), -1);
  QSignalSpy indicator(form_.get(), &TLogForm::ClearIndicatorRequested);
  Trigger("aClearIndicator");
  EXPECT_EQ(indicator.size(), 1);
}

}  // namespace
