// vardexctl settings: every bound control of the pages by name, from a file or the link.

#include "app/ctl/ctl_settings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/ctl/ctl_files.h"
#include "ctl_support.h"
#include "text/code_page_1251.h"

namespace {

// A configuration file of the main module whose settings memory holds `bytes` at the given
// addresses and zeros elsewhere.
QString MainFile(const QTemporaryDir& dir, const std::vector<std::pair<int, uint8_t>>& bytes) {
  QByteArray image(1024, '\0');
  for (const auto& [addr, value] : bytes) image[addr] = static_cast<char>(value);
  const QString text = QStringLiteral(
                           "[Версия ПО]\r\nV1=5\r\nV2=1\r\nV3=0\r\nV4=1\r\n[Главный модуль]\r\n"
                           "Память настроек0=%1\r\nПамять настроек1=%2\r\n")
                           .arg(QString::fromLatin1(image.left(1023).toHex().toUpper()),
                                QString::fromLatin1(image.mid(1023).toHex().toUpper()));
  const QString path = dir.filePath(QStringLiteral("main.ini"));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(ToCp1251(text));
  return path;
}

// The value field of the line whose caption is `caption`; empty when there is none.
QString ValueOf(const QString& out, const QString& caption) {
  for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
    const QStringList fields = line.split(u'\t');
    if (fields.size() == 5 && fields[3] == caption) return fields[4];
  }
  return {};
}

TEST(CtlSettings, ListsEveryControlWithItsValueAsThePageShowsIt) {
  QTemporaryDir dir;
  const QString file = MainFile(dir, {
                                         {193, 0x02 | 0x18},  // bit 1; two-bit state 2 at 3..4
                                         {242, 0x6B},         // 2667 six-metre units
                                         {243, 0x0A},
                                         {642, 0xF0},  // high half 15
                                         {205, 0x30},  // high half 3
                                         {212, 0x21},
                                         {213, 0x43},
                                     });
  const TCtlResult r = RunCtl(RunSettings, {QStringLiteral("--file"), file});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  struct TCase {
    const char* caption;
    const char* value;
  };
  const TCase cases[] = {
      {"Подсветка салона", "1"},
      {"Тип тревоги", "2 (скрытая)"},
      {"Автосервис", "16 (16 км)"},
      {"Условное расстояние снятия с охраны (RSSI)", "15 (16 (любое))"},
      {"Время автопостановки ", "3 (30 сек)"},
      {"VDData1", "21 43"},
      {"Клаксон", "0"},
      {"vdd_L_Side", "1 ( 0.08 А)"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ValueOf(r.out, QString::fromUtf8(c.caption)), QString::fromUtf8(c.value))
        << c.caption;
  }
  const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.front(), QStringLiteral("2\tНастройки\tПодсветка салона\tПодсветка салона\t1"));
  EXPECT_TRUE(lines.contains(QStringLiteral("2\tНастройки\t\tVDData1\t21 43")))
      << "a data item stands in no section";
  EXPECT_TRUE(lines.contains(
      QStringLiteral("2\tНастройки\tЗвуковые и световые сигналы\tГромкость сирены\t0 (тихо)")))
      << "hidden controls are listed too";
}

TEST(CtlSettings, ReadsTheFittedModulesOverTheLinkAndListsTheSameLinesAsTheirFile) {
  QTemporaryDir dir;
  TCtlSession session(QStringLiteral("sim:nolink"));
  const QString file = dir.filePath(QStringLiteral("car.ini"));
  ASSERT_EQ(session.Run(RunRead, {QStringLiteral("--out"), file}).status, 0);
  const TCtlResult fromFile = session.Run(RunSettings, {QStringLiteral("--file"), file});
  const TCtlResult fromBus = session.Run(RunSettings, {});
  ASSERT_EQ(fromBus.status, 0) << fromBus.err.toStdString();
  ASSERT_FALSE(fromBus.out.isEmpty());
  EXPECT_EQ(fromBus.out, fromFile.out);
  EXPECT_TRUE(fromBus.out.contains(QStringLiteral("2\tДиагностика\tТревоги\tVDMemo1\t")))
      << "a page without a module of its own lists the cells it binds";
}

TEST(CtlSettings, AValueThatWasNotReadIsAQuestionMarkAndTheCommandFails) {
  // A module asked for that does not answer: every line of its own, none with a value.
  const TCtlResult silent =
      TCtlSession(QStringLiteral("sim:nolink,silent=2"))
          .Run(RunSettings, {QStringLiteral("--modules"), QStringLiteral("2")});
  EXPECT_EQ(silent.status, 1);
  EXPECT_EQ(silent.err, QStringLiteral("vardexctl settings: module 2 (Главный модуль) does not "
                                       "answer\n"));
  int lines = 0;
  for (const QString& line : silent.out.split(u'\n', Qt::SkipEmptyParts)) {
    if (!line.startsWith(QStringLiteral("2\t"))) continue;
    ++lines;
    EXPECT_TRUE(line.endsWith(QStringLiteral("\t?"))) << line.toStdString();
  }
  EXPECT_GT(lines, 100);

  // A file that lacks its second chunk: the settings there are unknown, and the file is named.
  QTemporaryDir dir;
  const QString path = MainFile(dir, {{193, 0x02}});
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  file.close();
  bytes.truncate(bytes.indexOf(ToCp1251(QStringLiteral("Память настроек1"))));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
  file.close();
  const TCtlResult cut = RunCtl(RunSettings, {QStringLiteral("--file"), path});
  EXPECT_EQ(cut.status, 1);
  EXPECT_TRUE(
      cut.err.contains(QStringLiteral("Главный модуль -> Память настроек, блок 1: в файле "
                                      "нет нужных байт")))
      << cut.err.toStdString();
  EXPECT_EQ(ValueOf(cut.out, QStringLiteral("Подсветка салона")), QStringLiteral("1"))
      << "what the file holds is listed";
}

TEST(CtlSettings, RefusedFilesAndBadArgumentsExitTwo) {
  QTemporaryDir dir;
  const QString empty = dir.filePath(QStringLiteral("empty.ini"));
  QFile(empty).open(QIODevice::WriteOnly);
  const struct {
    QStringList args;
    const char* message;
  } cases[] = {
      {{QStringLiteral("--file"), empty}, "не является файлом настроек"},
      // A file that is not there is said, not thrown out of the program.
      {{QStringLiteral("--file"), dir.filePath(QStringLiteral("none.ini"))}, "no file"},
      {{QStringLiteral("--file")}, "usage: vardexctl settings"},
      {{QStringLiteral("--modules"), QStringLiteral("x")}, "usage: vardexctl settings"},
      {{QStringLiteral("--fast")}, "usage: vardexctl settings"},
  };
  for (const auto& c : cases) {
    const TCtlResult r = RunCtl(RunSettings, c.args);
    EXPECT_EQ(r.status, 2) << c.args.join(u' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
}

}  // namespace

namespace {

// clang-format off
constexpr TControlRow kBoardRows[] = {
    {.Name = "vddBoard", .Kind = ckData, .Mem = mlExt, .Addr = 0, .Type = stArray, .Max = 1},
    {.Kind = ckHeading, .Caption = "Входы"},
    {.Name = "cbEveryBoard", .Kind = ckCheckBox, .Caption = "На любой плате", .Mem = mlExt,
     .Addr = 300, .Type = stBit},
    {.Name = "cbNewBoard", .Kind = ckCheckBox, .Caption = "Только на новой плате", .Mem = mlExt,
     .Addr = 301, .Type = stBit, .Boards = kBoardGen3},
};
// clang-format on
constexpr TPageTable kBoardTables[] = {
    {.Name = "BoardTest", .LanAddr = 2, .Rows = kBoardRows, .Title = "Плата"}};

int RunBoardSettings(TCtlContext& context, const QStringList& args) {
  return RunSettingsWith(context, args, kBoardTables);
}

// A setting the connected board does not have is left out, as the page hides and unbinds it;
// the board comes from the configuration byte of the same file.
TEST(CtlSettings, ListsOnlyTheSettingsOfTheBoardTheFileDescribes) {
  const struct {
    uint8_t Configuration;
    bool Listed;
  } cases[] = {{0x04, true}, {0x20, false}, {0x00, false}, {0x26, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Configuration);
    QTemporaryDir dir;
    const QString file = MainFile(dir, {{0, c.Configuration}, {301, 0x01}});
    const TCtlResult r = RunCtl(RunBoardSettings, {QStringLiteral("--file"), file});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("На любой плате")));
    EXPECT_EQ(r.out.contains(QStringLiteral("Только на новой плате\t1")), c.Listed);
  }
}

}  // namespace
