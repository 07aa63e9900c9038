// vardexctl set: the settings listing taken back, all or nothing, with a backup before it writes.

#include "app/ctl/ctl_set.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <map>
#include <set>

#include "app/ctl/ctl_diff.h"
#include "app/ctl/ctl_file_session.h"
#include "app/ctl/ctl_files.h"
#include "app/ctl/ctl_memory.h"
#include "app/ctl/ctl_settings.h"
#include "binding/headless_binder.h"
#include "binding/row_binding.h"
#include "binding/setting_text.h"
#include "ctl_support.h"
#include "memory/backup_folder.h"
#include "memory/lan_devices.h"
#include "pages/settings_pages.h"
#include "text/code_page_1251.h"

namespace {

// Every write of this test program saves its backup into a folder of its own, never into the
// user's.
class TBackupHome : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
  }

 private:
  QTemporaryDir dir_;
};
[[maybe_unused]] const auto* const kBackupHome =
    ::testing::AddGlobalTestEnvironment(std::make_unique<TBackupHome>().release());

// A page of the main module with one setting of each kind, two that share a caption and one
// that the page always shows greyed.
constexpr TRadioItem kModes[] = {{0, "Выкл"}, {1, "Тихо"}, {2, "Громко"}};
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Проверка"},
    {.Name = "cbAlpha",
     .Kind = ckCheckBox,
     .Caption = "Альфа",
     .Mem = mlExt,
     .Addr = 300,
     .Type = stBit,
     .Bit = 0},
    {.Name = "tbBeta",
     .Kind = ckTrackBar,
     .Caption = "Бета",
     .Mem = mlExt,
     .Addr = 301,
     .Type = stByte,
     .Max = 10},
    {.Name = "rgGamma",
     .Kind = ckRadioGroup,
     .Caption = "Гамма",
     .Mem = mlExt,
     .Addr = 302,
     .Type = stByte,
     .Items = kModes},
    {.Name = "cbTwice1",
     .Kind = ckCheckBox,
     .Caption = "Дважды",
     .Mem = mlExt,
     .Addr = 303,
     .Type = stBit,
     .Bit = 0},
    {.Name = "cbTwice2",
     .Kind = ckCheckBox,
     .Caption = "Дважды",
     .Mem = mlExt,
     .Addr = 303,
     .Type = stBit,
     .Bit = 1},
    {.Name = "cbGrey",
     .Kind = ckCheckBox,
     .Caption = "Серая",
     .Mem = mlExt,
     .Addr = 304,
     .Type = stBit,
     .Bit = 0,
     .Disabled = true},
    {.Name = "mmText",
     .Kind = ckMemo,
     .Caption = "Текст",
     .Mem = mlExt,
     .Addr = 310,
     .Type = stString,
     .Max = 8},
    {.Name = "vdData", .Kind = ckData, .Mem = mlExt, .Addr = 320, .Type = stArray, .Max = 2},
};
constexpr TPageTable kTables[] = {{"Test", 2, kRows, "Тест"}};

int SetTest(TCtlContext& context, const QStringList& args) {
  return RunSetWith(context, args, kTables);
}
int SettingsTest(TCtlContext& context, const QStringList& args) {
  return RunSettingsWith(context, args, kTables);
}
int ReadTest(TCtlContext& context, const QStringList& args) {
  return RunReadWith(context, args, kTables);
}
int WriteTest(TCtlContext& context, const QStringList& args) {
  return RunWriteWith(context, args, kTables);
}

QString Line(const char* section, const char* caption, const QString& value) {
  return QStringLiteral("2\tТест\t%1\t%2\t%3")
      .arg(QString::fromUtf8(section), QString::fromUtf8(caption), value);
}
QString Line(const char* caption, const QString& value) {
  return Line("Проверка", caption, value);
}

QString Dump(TCtlSession& session) {
  return session
      .Run(RunDump, {QStringLiteral("2"), QStringLiteral("ext"), QStringLiteral("300"),
                     QStringLiteral("32")})
      .out;
}

void WriteText(const QString& path, const QString& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.toUtf8());
}

TEST(CtlSet, EveryBadLineIsNamedAndNothingIsWritten) {
  struct TCase {
    QString line;
    const char* error;
  };
  const TCase cases[] = {
      {Line("Альфаа", QStringLiteral("1")),
       "нет такой настройки; похожие: «Альфа» (Тест / Проверка)"},
      {Line("Бета", QStringLiteral("11")), "ожидается положение 0..10"},
      {Line("Гамма", QStringLiteral("3")),
       "ожидается номер пункта: 0 (Выкл), 1 (Тихо), 2 (Громко)"},
      {Line("Гамма", QStringLiteral("1 (Громко)")), "пункт 1 называется «Тихо»"},
      {Line("Дважды", QStringLiteral("1")), "под этим именем на странице 2 настроек"},
      {Line("Серая", QStringLiteral("1")),
       "настройка недоступна: страница всегда показывает её серой"},
      {Line("Текст", QStringLiteral("\"слишком длинный\"")), "текст длиннее 8 знаков"},
      {Line("Текст", QStringLiteral("без кавычек")), "ожидается текст в двойных кавычках"},
      {Line("", "vdData", QStringLiteral("1G 00")), "ожидается 2 байт"},
      {Line("Альфа", QStringLiteral("?")), "значение неизвестно"},
      {QStringLiteral("9\tТест\tПроверка\tАльфа\t1"), "нет модуля с адресом 9"},
      {QStringLiteral("2\tТест\tПроверка"), "ожидается ADDR, PAGE, SECTION, CAPTION и VALUE"},
  };
  TCtlSession session(QStringLiteral("sim:nolink"));
  const QString before = Dump(session);
  const size_t backups = TBackupFolder().List().size();
  for (const TCase& c : cases) {
    // A sound line beside the bad one must not be written either.
    const TCtlResult r = session.Run(SetTest, {Line("Альфа", QStringLiteral("1")), c.line});
    EXPECT_EQ(r.status, 2) << c.line.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("argument 2: ") + QString::fromUtf8(c.error)))
        << c.line.toStdString() << "\n"
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("argument 1:"))) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
  }
  EXPECT_EQ(Dump(session), before);
  EXPECT_EQ(TBackupFolder().List().size(), backups) << "a refused set saves no backup either";
}

TEST(CtlSet, ATextOfLinesNamesEachBadLineByItsNumber) {
  QTemporaryDir dir;
  const QString text = dir.filePath(QStringLiteral("car.txt"));
  WriteText(text, QStringLiteral("# a comment\n\n") + Line("Альфа", QStringLiteral("1")) + u'\n' +
                      Line("Бета", QStringLiteral("12")) + u'\n' +
                      Line("Гама", QStringLiteral("1")) + u'\n');
  TCtlSession session(QStringLiteral("sim:nolink"));
  const TCtlResult r = session.Run(SetTest, {QStringLiteral("--from"), text});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, QStringLiteral("vardexctl set: line 4: ожидается положение 0..10\n"
                                  "vardexctl set: line 5: нет такой настройки; похожие: «Гамма» "
                                  "(Тест / Проверка), «Бета» (Тест / Проверка)\n"
                                  "vardexctl set: nothing written\n"));
}

TEST(CtlSet, ADryRunPrintsTheDiffAndASetWritesAfterSavingTheBackup) {
  TCtlSession session(QStringLiteral("sim:nolink"));
  const QStringList lines = {
      Line("Бета", QStringLiteral("7")), Line("Гамма", QStringLiteral("2 (Громко)")),
      Line("Текст", QStringLiteral("\"Ёлка\"")), Line("", "vdData", QStringLiteral("AB cd"))};
  const QString before = Dump(session);
  const QString listedBefore = session.Run(SettingsTest, {}).out;

  const TCtlResult dry = session.Run(SetTest, QStringList{QStringLiteral("--dry-run")} + lines);
  ASSERT_EQ(dry.status, 0) << dry.err.toStdString();
  EXPECT_TRUE(dry.out.contains(QStringLiteral("2\tТест\tПроверка\tБета\t0 -> 7\n")))
      << dry.out.toStdString();
  EXPECT_TRUE(dry.out.contains(QStringLiteral("2\tТест\tПроверка\tТекст\t\"\" -> \"Ёлка\"\n")))
      << dry.out.toStdString();
  EXPECT_TRUE(dry.out.contains(QStringLiteral("2\tТест\t\tvdData\t00 00 -> AB CD\n")))
      << dry.out.toStdString();
  EXPECT_EQ(Dump(session), before);

  const TCtlResult set = session.Run(SetTest, lines);
  ASSERT_EQ(set.status, 0) << set.err.toStdString();
  EXPECT_EQ(set.out.section(u'\n', 4),
            QStringLiteral("backup saved to %1\nГлавный модуль : Память настроек: 8 bytes written "
                           "and verified\n")
                .arg(TBackupFolder().List().front().Path));
  const QString listed = session.Run(SettingsTest, {}).out;
  for (QString line : lines) {
    // Bytes given in lower case are listed in upper case.
    line.replace(QStringLiteral("AB cd"), QStringLiteral("AB CD"));
    EXPECT_TRUE(listed.contains(line + u'\n')) << line.toStdString();
  }
  // The backup holds the settings as they were before.
  const TCtlResult backup =
      session.Run(SettingsTest, {QStringLiteral("--file"), TBackupFolder().List().front().Path});
  EXPECT_EQ(backup.out, listedBefore) << backup.err.toStdString();

  const TCtlResult again = session.Run(SetTest, lines);
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out,
            QStringLiteral("nothing to write: the modules hold these settings already\n"));
}

TEST(CtlSet, ATextWithLineBreaksComesBackAsListed) {
  QTemporaryDir dir;
  const QString text = dir.filePath(QStringLiteral("car.txt"));
  // The listing prints a text's line breaks as they are.
  WriteText(text, Line("Текст", QStringLiteral("\"две\r\nстр\"")) + u'\n' +
                      Line("Альфа", QStringLiteral("1")) + u'\n');
  TCtlSession session(QStringLiteral("sim:nolink"));
  const TCtlResult set =
      session.Run(SetTest, {QStringLiteral("--no-backup"), QStringLiteral("--from"), text});
  ASSERT_EQ(set.status, 0) << set.err.toStdString();
  const QString listed = session.Run(SettingsTest, {}).out;
  EXPECT_TRUE(listed.contains(Line("Текст", QStringLiteral("\"две\r\nстр\"")) + u'\n'))
      << listed.toStdString();
  EXPECT_TRUE(listed.contains(Line("Альфа", QStringLiteral("1")) + u'\n'));
}

TEST(CtlSet, FromFileToFileKeepsEveryOtherByteOfTheInput) {
  QTemporaryDir dir;
  const QString in = dir.filePath(QStringLiteral("in.ini"));
  const QString out = dir.filePath(QStringLiteral("out.ini"));
  TCtlSession session(QStringLiteral("sim:nolink"));
  ASSERT_EQ(session
                .Run(RunRead, {QStringLiteral("--full"), QStringLiteral("--modules=2"),
                               QStringLiteral("--out"), in})
                .status,
            0);
  const TCtlResult set =
      session.Run(SetTest, {QStringLiteral("--file"), in, QStringLiteral("--out"), out,
                            Line("Альфа", QStringLiteral("1"))});
  ASSERT_EQ(set.status, 0) << set.err.toStdString();
  EXPECT_EQ(set.out, QStringLiteral("2\tТест\tПроверка\tАльфа\t0 -> 1\nsaved to %1\n").arg(out));
  const TCtlResult diff = session.Run(RunDiff, {in, out});
  EXPECT_EQ(diff.status, 1);
  EXPECT_EQ(diff.out, QStringLiteral("2\text\t300\t00 -> 01\n")) << "nothing else differs";

  EXPECT_EQ(session.Run(SetTest, {QStringLiteral("--file"), in, Line("Альфа", QStringLiteral("1"))})
                .status,
            2)
      << "--file needs --out";
}

// Settings files of a car whose every setting differs from the factory's: the virtual
// vehicle's memories with every byte but the board, the availability bits and the cells of
// greyed settings changed, texts made of letters.
class TScrambledCar {
 public:
  explicit TScrambledCar(QString full) : full_(std::move(full)) {
    for (const TPageTable& table : SettingsPageTables()) {
      // Settings the module may mark read-only keep their value, and so do the marks.
      for (const TBoundCell& cell : BoundCells(table.Rows, table.LanAddr)) {
        if (cell.ReadOnlyAddr == 0) continue;
        kept_.insert({cell.LanAddr, cell.MemID, cell.ReadOnlyAddr});
        for (int i = 0; i < cell.Size; ++i) kept_.insert({cell.LanAddr, cell.MemID, cell.Addr + i});
      }
      for (const TControlRow& row : table.Rows) {
        if (!IsBound(row.Kind)) continue;
        TComponentData data;
        BindRow(row, table.LanAddr, data);
        for (int i = 0; i < data.GetSize(); ++i) {
          const TCell cell{data.LanAddr(), data.MemID(), data.Addr() + i};
          if (row.Disabled) kept_.insert(cell);
          if (data.DataType() == stString) text_.insert(cell);
        }
      }
    }
    kept_.insert({kMainModuleAddr, mlExt, 0});
  }

  // The file with its bytes changed, saved beside it.
  QString Save(const QString& path) const {
    TLanDevices devices;
    QFile in(full_);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    QStringList lines = FromCp1251(in.readAll()).split(QStringLiteral("\r\n"));
    QRandomGenerator random(33);
    const TLanDevice* device = nullptr;
    for (QString& line : lines) {
      if (line.startsWith(u'[')) {
        device = nullptr;
        for (int i = 0; i < devices.Count(); ++i) {
          if (line.mid(1).chopped(1) == devices.Items(i).Name()) device = &devices.Items(i);
        }
        continue;
      }
      const qsizetype equals = line.indexOf(u'=');
      if (!device || equals < 0) continue;
      for (const auto& area : device->Items()) {
        const QString name = area->Name();
        bool isChunk = false;
        const int chunk = line.mid(name.size(), equals - name.size()).toInt(&isChunk);
        if (!line.startsWith(name) || !isChunk) continue;
        QByteArray bytes = QByteArray::fromHex(line.mid(equals + 1).toLatin1());
        for (int i = 0; i < bytes.size(); ++i) {
          const TCell cell{device->LanAddr(), area->MemID(), chunk * 1023 + i};
          if (kept_.contains(cell)) continue;
          bytes[i] = static_cast<char>(text_.contains(cell) ? 'A' + random.bounded(26)
                                                            : random.bounded(256));
        }
        line = line.left(equals + 1) + QString::fromLatin1(bytes.toHex().toUpper());
      }
    }
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(ToCp1251(lines.join(QStringLiteral("\r\n"))));
    return path;
  }

 private:
  using TCell = std::tuple<int, TMemoryLocation, int>;
  QString full_;
  std::set<TCell> kept_;
  std::set<TCell> text_;
};

// The lines of settings a set puts back: not what the car reports on its own, nor labels.
QStringList SettingLines(const QString& listing) {
  std::set<QString> settable;
  for (const TPageTable& table : SettingsPageTables()) {
    for (const TSettingRow& setting : SettingRows(table)) {
      TComponentData data;
      BindRow(*setting.Row, table.LanAddr, data);
      if (setting.Row->Kind == ckLabel || !kPersistentLocations.Contains(data.MemID())) continue;
      settable.insert(QStringList{QString::number(data.LanAddr()), QString::fromUtf8(table.Title),
                                  setting.Section, setting.Caption}
                          .join(u'\t'));
    }
  }
  QStringList lines;
  for (const QString& line : listing.split(u'\n', Qt::SkipEmptyParts)) {
    if (settable.contains(line.section(u'\t', 0, 3))) lines << line;
  }
  return lines;
}

TEST(CtlSetRoundTrip, ASettingsListingSetOntoAFreshCarListsTheSameForEveryModuleKind) {
  QTemporaryDir dir;
  const QString full = dir.filePath(QStringLiteral("full.ini"));
  TCtlSession factory(QStringLiteral("sim:nolink"));
  ASSERT_EQ(factory.Run(RunRead, {QStringLiteral("--full"), QStringLiteral("--out"), full}).status,
            0);
  const QString car = TScrambledCar(full).Save(dir.filePath(QStringLiteral("car.ini")));
  const TCtlResult listed = factory.Run(RunSettings, {QStringLiteral("--file"), car});
  ASSERT_EQ(listed.status, 0) << listed.err.toStdString();
  const QString text = dir.filePath(QStringLiteral("car.txt"));
  WriteText(text, listed.out);

  TCtlSession fresh(QStringLiteral("sim:nolink"));
  const TCtlResult set =
      fresh.Run(RunSet, {QStringLiteral("--no-backup"), QStringLiteral("--from"), text});
  ASSERT_EQ(set.status, 0) << set.err.left(3000).toStdString();
  const TCtlResult after = fresh.Run(RunSettings, {});
  ASSERT_EQ(after.status, 0) << after.err.toStdString();

  const QStringList expected = SettingLines(listed.out);
  const QStringList got = SettingLines(after.out);
  EXPECT_EQ(got.size(), expected.size());
  for (qsizetype i = 0; i < std::min(got.size(), expected.size()); ++i) {
    EXPECT_EQ(got[i], expected[i]);
  }
  std::set<QString> modules;
  for (const QString& line : expected) modules.insert(line.section(u'\t', 0, 0));
  std::set<QString> withPages;
  for (const TPageTable& table : SettingsPageTables()) {
    for (const TBoundCell& cell : BoundCells(table.Rows, table.LanAddr)) {
      if (kPersistentLocations.Contains(cell.MemID))
        withPages.insert(QString::number(cell.LanAddr));
    }
  }
  EXPECT_EQ(modules, withPages) << "every module kind with settings takes part";
}

TEST(CtlWrite, SavesWhatTheModulesHeldBeforeItWrites) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("new.ini"));
  TCtlSession session(QStringLiteral("sim:nolink"));
  const QString listedBefore = session.Run(SettingsTest, {}).out;
  ASSERT_EQ(session.Run(SetTest, {QStringLiteral("--no-backup"), Line("Бета", QStringLiteral("4"))})
                .status,
            0);
  const QString listedOld = session.Run(SettingsTest, {}).out;
  ASSERT_NE(listedOld, listedBefore);
  ASSERT_EQ(
      session.Run(ReadTest, {QStringLiteral("--modules=2"), QStringLiteral("--out"), file}).status,
      0);
  ASSERT_EQ(session.Run(SetTest, {QStringLiteral("--no-backup"), Line("Бета", QStringLiteral("9"))})
                .status,
            0);

  const TCtlResult write = session.Run(WriteTest, {file});
  ASSERT_EQ(write.status, 0) << write.err.toStdString();
  const QString backup = TBackupFolder().List().front().Path;
  EXPECT_TRUE(write.out.startsWith(QStringLiteral("backup saved to %1\n").arg(backup)))
      << write.out.toStdString();
  EXPECT_TRUE(session.Run(SettingsTest, {QStringLiteral("--file"), backup})
                  .out.contains(Line("Бета", QStringLiteral("9"))));
  EXPECT_EQ(session.Run(SettingsTest, {}).out, listedOld);

  const int count = static_cast<int>(TBackupFolder().List().size());
  ASSERT_EQ(session.Run(WriteTest, {QStringLiteral("--no-backup"), file}).status, 0);
  EXPECT_EQ(static_cast<int>(TBackupFolder().List().size()), count);
}

}  // namespace
