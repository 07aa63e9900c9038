// vardexctl read and write: configuration files from and to the modules.

#include "app/ctl/ctl_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <thread>
#include <vector>

#include "app/ctl/ctl_memory.h"
#include "ctl_support.h"
#include "test_support.h"
#include "text/code_page_1251.h"

namespace {

// A page of the GSM module for the tests: a bit, a byte and a four-byte text.
constexpr TControlRow kGsmRows[] = {
    {.Kind = ckHeading, .Caption = "Проверка"},
    {.Name = "cbOn",
     .Kind = ckCheckBox,
     .Caption = "Включено",
     .Mem = mlInt,
     .Addr = 10,
     .Type = stBit,
     .Bit = 0},
    {.Name = "tbLevel",
     .Kind = ckTrackBar,
     .Caption = "Уровень",
     .Mem = mlInt,
     .Addr = 12,
     .Type = stByte,
     .Max = 255},
    {.Name = "mmName", .Kind = ckMemo, .Mem = mlInt, .Addr = 16, .Type = stString, .Max = 4},
};
constexpr TPageTable kTestTables[] = {{"GsmTest", 3, kGsmRows}};

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Replaces `count` bytes from `index` of an area's chunk in a saved file.
QByteArray EditChunk(QByteArray file, const QString& key, int index, const QByteArray& bytes) {
  const QByteArray prefix = "\n" + ToCp1251(key) + '=';
  const qsizetype at = file.indexOf(prefix);
  if (at < 0) return {};
  const qsizetype value = at + prefix.size() + 2 * (index % 1023);
  return file.replace(value, 2 * bytes.size(), bytes.toHex().toUpper());
}

// Bytes by address from dump's "ADDR: XX XX ..." lines.
std::map<int, uint8_t> ParseDump(const QString& text) {
  std::map<int, uint8_t> bytes;
  for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
    const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
    int addr = parts.front().chopped(1).toInt(nullptr, 16);
    for (const QString& hex : parts.mid(1))
      bytes[addr++] = static_cast<uint8_t>(hex.toUInt(nullptr, 16));
  }
  return bytes;
}

struct TResult {
  int status;
  QString out;
  QString err;
};

// The streams and context of one vardexctl session; the context keeps its virtual vehicle
// from one command to the next.
struct TSession {
  explicit TSession(const QString& port) : context(outStream, errStream, port) {}
  QString out;
  QString err;
  QTextStream outStream{&out};
  QTextStream errStream{&err};
  TCtlContext context;
};

using TCommand = int (*)(TCtlContext&, const QStringList&);

int ReadWithTestPages(TCtlContext& context, const QStringList& args) {
  return RunReadWith(context, args, kTestTables);
}
int WriteWithTestPages(TCtlContext& context, const QStringList& args) {
  return RunWriteWith(context, args, kTestTables);
}

class CtlFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  TResult Run(TCommand command, const QStringList& args,
              const QString& port = QStringLiteral("sim:nolink")) {
    auto& session = sessions_[port];
    if (!session) session = std::make_unique<TSession>(port);
    const qsizetype outAt = session->out.size();
    const qsizetype errAt = session->err.size();
    const int status = command(session->context, args);
    session->outStream.flush();
    session->errStream.flush();
    return {status, session->out.mid(outAt), session->err.mid(errAt)};
  }
  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  QTemporaryDir dir;

 private:
  std::map<QString, std::unique_ptr<TSession>> sessions_;
};

QStringList Args(const QString& text) {
  return text.split(u' ', Qt::SkipEmptyParts);
}

TEST_F(CtlFilesTest, WithoutFullOnlyTheBytesOfTheSettingsPagesMove) {
  QStringList poke = Args(QStringLiteral("3 int 0"));
  for (int i = 0; i < 20; ++i) poke << QString::number(0x80 + i);
  ASSERT_EQ(Run(RunPoke, poke).status, 0);

  const QString path = Path("pages.ini");
  const TResult read = Run(ReadWithTestPages, {QStringLiteral("--modules"), QStringLiteral("3"),
                                               QStringLiteral("--out"), path});
  ASSERT_EQ(read.status, 0) << read.err.toStdString();
  EXPECT_EQ(read.out, QStringLiteral("GSM : Память настроек: 6 bytes\nsaved to ") + path + u'\n');
  const QByteArray saved = ReadFile(path);
  EXPECT_TRUE(saved.endsWith(ToCp1251(QStringLiteral(
      "\r\n[GSM]\r\nПамять настроек0=000000000000000000008A008C00000090919293\r\n"))))
      << saved.toStdString();

  // A bound byte and an unbound one edited by hand: only the bound one reaches the module.
  QByteArray edited = EditChunk(saved, QStringLiteral("Память настроек0"), 12, "\x33");
  edited = EditChunk(edited, QStringLiteral("Память настроек0"), 5, "\x44");
  WriteFile(path, edited);
  const TResult write = Run(WriteWithTestPages, {path});
  ASSERT_EQ(write.status, 0) << write.err.toStdString();
  EXPECT_EQ(AfterBackupLine(write.out), QStringLiteral("GSM : Память настроек: 6 bytes written\n"));

  const auto after = ParseDump(Run(RunDump, Args(QStringLiteral("3 int 0 20"))).out);
  ASSERT_EQ(after.size(), 20u);
  for (const auto& [addr, value] : after) {
    EXPECT_EQ(value, addr == 12 ? 0x33 : 0x80 + addr) << addr;
  }
}

TEST_F(CtlFilesTest, RefusedInputAndUnavailableModulesEndWithTheirExitCodes) {
  const QString version = QStringLiteral("[Версия ПО]\r\nV1=5\r\nV2=1\r\nV3=0\r\nV4=1\r\n");
  WriteFile(Path("older.ini"),
            ToCp1251(QStringLiteral("[Версия ПО]\r\nV1=4\r\n[GSM]\r\nПамять настроек0=01\r\n")));
  WriteFile(Path("nodata.ini"), ToCp1251(version + QStringLiteral("[Неизвестный]\r\nX0=01\r\n")));
  // A whole copy of the main module's settings memory: two chunks, 1023 bytes and 1.
  WriteFile(Path("main.ini"),
            ToCp1251(version + QStringLiteral("[Главный модуль]\r\nПамять настроек0=%1\r\n"
                                              "Память настроек1=00\r\n")
                                   .arg(QString(2 * 1023, u'0'))));
  WriteFile(Path("ts.ini"), ToCp1251(version + QStringLiteral("[TS]\r\nПамять настроек0=01\r\n")));
  WriteFile(Path("empty.ini"), QByteArray());
  WriteFile(Path("utf8.ini"),
            (version + QStringLiteral("[Главный модуль]\r\nПамять настроек0=01\r\n")).toUtf8());
  const QString out = Path("out.ini");
  struct Case {
    TCommand command;
    QString args;
    QString port;
    int status;
    QString message;
  };
  const QString sim = QStringLiteral("sim:nolink");
  const std::vector<Case> cases = {
      {ReadWithTestPages, QStringLiteral("--modules 3"), sim, 2,
       QStringLiteral("usage: vardexctl read")},
      {ReadWithTestPages, QStringLiteral("--out OUT --modules 99"), sim, 2,
       QStringLiteral("no module with settings memory at address 99")},
      {ReadWithTestPages, QStringLiteral("--out OUT --modules 24"), sim, 2,
       QStringLiteral("no module with settings memory at address 24")},
      {ReadWithTestPages, QStringLiteral("--out OUT --fast"), sim, 2,
       QStringLiteral("usage: vardexctl read")},
      {WriteWithTestPages, QString(), sim, 2, QStringLiteral("usage: vardexctl write")},
      {WriteWithTestPages, QStringLiteral("DIR/main.ini DIR/older.ini"), sim, 2,
       QStringLiteral("usage: vardexctl write")},
      {WriteWithTestPages, QStringLiteral("DIR/missing.ini"), sim, 2, QStringLiteral("no file")},
      {WriteWithTestPages, QStringLiteral("--full DIR/older.ini"), sim, 2,
       QStringLiteral("vardexctl write: DIR/older.ini: ПО главного модуля несовместимо с "
                      "настройками ini файла\n")},
      {WriteWithTestPages, QStringLiteral("--full DIR/empty.ini"), sim, 2,
       QStringLiteral("vardexctl write: Файл \"DIR/empty.ini\" не является файлом настроек: "
                      "файл пуст.\n")},
      {WriteWithTestPages, QStringLiteral("--full DIR/utf8.ini"), sim, 2,
       QStringLiteral("vardexctl write: Не удалось прочитать версию в файле \"DIR/utf8.ini\": "
                      "текст записан в UTF-8, а не в кодировке Windows-1251.\n")},
      {WriteWithTestPages, QStringLiteral("--full DIR/nodata.ini"), sim, 2,
       QStringLiteral("Файл \"DIR/nodata.ini\" не содержит корректных данных.")},
      {ReadWithTestPages, QStringLiteral("--partial --out OUT"), sim, 2,
       QStringLiteral("usage: vardexctl read")},
      {WriteWithTestPages, QStringLiteral("--full DIR/main.ini --modules 4"), sim, 1,
       QStringLiteral("holds nothing for module 4 (Slave-модуль)")},
      {ReadWithTestPages, QStringLiteral("--modules 5 --out OUT"), sim, 1,
       QStringLiteral("no settings page binds bytes")},
      {WriteWithTestPages, QStringLiteral("DIR/ts.ini"), sim, 1,
       QStringLiteral("no settings page binds bytes")},
      {ReadWithTestPages, QStringLiteral("--full --modules 3 --out OUT"),
       QStringLiteral("sim:nolink,silent=3"), 1, QStringLiteral("module 3 (GSM) does not answer")},
      {ReadWithTestPages, QStringLiteral("--full --modules 3 --out OUT"),
       QStringLiteral("sim:nolink,refuse=3"), 1, QStringLiteral("module 3 (GSM) refuses access")},
      {WriteWithTestPages, QStringLiteral("--full DIR/main.ini"),
       QStringLiteral("sim:nolink,silent=2"), 1,
       QStringLiteral("module 2 (Главный модуль) does not answer")},
  };
  for (const auto& c : cases) {
    QString args = c.args;
    args.replace(QStringLiteral("OUT"), out).replace(QStringLiteral("DIR"), dir.path());
    const QString message = QString(c.message).replace(QStringLiteral("DIR"), dir.path());
    const TResult r = Run(c.command, Args(args), c.port);
    EXPECT_EQ(r.status, c.status) << c.args.toStdString();
    EXPECT_TRUE(r.err.contains(message)) << c.args.toStdString() << ": " << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out)) << c.args.toStdString();
  }
}

TEST_F(CtlFilesTest, ADamagedFileIsListedChunkByChunkAndWrittenOnlyWithPartial) {
  QStringList poke = Args(QStringLiteral("3 int 0"));
  for (int i = 0; i < 20; ++i) poke << QString::number(0x80 + i);
  ASSERT_EQ(Run(RunPoke, poke).status, 0);
  const QString path = Path("damaged.ini");
  ASSERT_EQ(Run(ReadWithTestPages,
                {QStringLiteral("--modules"), QStringLiteral("3"), QStringLiteral("--out"), path})
                .status,
            0);
  // The module moves on after the backup; the bytes of the file cut short at byte 16.
  ASSERT_EQ(Run(RunPoke, Args(QStringLiteral("3 int 12 0x11"))).status, 0);
  QByteArray saved = ReadFile(path);
  const QByteArray key = ToCp1251(QStringLiteral("Память настроек0="));
  saved[saved.indexOf(key) + key.size() + 2 * 16 + 1] = 'x';
  WriteFile(path, saved);
  const QString listed = QStringLiteral(
                             "vardexctl write: %1: GSM -> Память настроек, блок 0: не прочитан с "
                             "байта 16 (адрес 16)\n")
                             .arg(path);

  const TResult refused = Run(WriteWithTestPages, {path});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err,
            listed + QStringLiteral("vardexctl write: the file is damaged, nothing written "
                                    "(--partial writes only the bytes the file holds)\n"));
  EXPECT_TRUE(refused.out.isEmpty());
  const auto kept = ParseDump(Run(RunDump, Args(QStringLiteral("3 int 12 1"))).out);
  EXPECT_EQ(kept, (std::map<int, uint8_t>{{12, 0x11}})) << "nothing reached the module";

  // With --partial the list still comes, and only what the file holds is written: the bytes
  // before the damage; the text cell after it keeps what the module holds, never zeros.
  const TResult partial = Run(WriteWithTestPages, {QStringLiteral("--partial"), path});
  EXPECT_EQ(partial.status, 0) << partial.err.toStdString();
  EXPECT_EQ(partial.err, listed);
  EXPECT_EQ(AfterBackupLine(partial.out),
            QStringLiteral("GSM : Память настроек: 2 bytes written\n"));
  const auto written = ParseDump(Run(RunDump, Args(QStringLiteral("3 int 12 8"))).out);
  EXPECT_EQ(written, (std::map<int, uint8_t>{{12, 0x8C},
                                             {13, 0x8D},
                                             {14, 0x8E},
                                             {15, 0x8F},
                                             {16, 0x90},
                                             {17, 0x91},
                                             {18, 0x92},
                                             {19, 0x93}}));
}

TEST_F(CtlFilesTest, EveryKindOfDamageIsNamedAndNothingIsWrittenWithoutPartial) {
  QStringList poke = Args(QStringLiteral("3 int 0"));
  for (int i = 0; i < 20; ++i) poke << QString::number(0x80 + i);
  ASSERT_EQ(Run(RunPoke, poke).status, 0);
  const QString path = Path("saved.ini");
  ASSERT_EQ(Run(ReadWithTestPages,
                {QStringLiteral("--modules"), QStringLiteral("3"), QStringLiteral("--out"), path})
                .status,
            0);
  const QString saved = FromCp1251(ReadFile(path));
  // The module moves on after the backup, so a write shows in byte 12.
  ASSERT_EQ(
      Run(RunPoke, Args(QStringLiteral("3 int 12 0x11 0x22 0x33 0x44 0x55 0x66 0x77 0x88"))).status,
      0);
  const QString key = QStringLiteral("Память настроек0=");
  const QString value = saved.mid(saved.indexOf(key) + key.size(), 40);
  const struct {
    const char* name;
    QString text;
    int status;
    QString message;
  } cases[] = {
      {"a chunk cut short", QString(saved).replace(value, value.left(2 * 14)), 1,
       QStringLiteral("GSM -> Память настроек, блок 0: в файле нет нужных байт в пределах 16..19 "
                      "(адреса 16..19)")},
      {"a chunk past the end", QString(saved).replace(value, value + QString(2 * 2048, u'0')), 1,
       QStringLiteral("GSM -> Память настроек, блок 0: лишние знаки после 1023 байт")},
      {"a key given twice", QString(saved).replace(key, key + QStringLiteral("A5\r\n") + key), 1,
       QStringLiteral("ключ \"Память настроек0\" повторён с другим значением")},
      {"unreadable hex", QString(saved).replace(value, value.left(10) + u'G' + value.mid(11)), 1,
       QStringLiteral("блок 0: не прочитан с байта 5 (адрес 5)")},
      {"a module whose only key names no chunk",
       saved + QStringLiteral("[Slave-модуль]\r\nПамять настроек00=01\r\n"), 1,
       QStringLiteral("Slave-модуль -> Память настроек, ключ \"Память настроек00\" не называет "
                      "блок этой памяти")},
      {"a section of no module", saved + QStringLiteral("[Модуль X]\r\nA0=00\r\n"), 1,
       QStringLiteral("раздел [Модуль X] не называет ни одного модуля")},
      {"a key of no memory", saved + QStringLiteral("Настройки0=00\r\n"), 1,
       QStringLiteral("GSM: ключ \"Настройки0\" не называет ни одной памяти настроек модуля")},
      {"a module's section line lost",
       QString(saved).replace(QStringLiteral("[GSM]\r\n"), QString()) +
           QStringLiteral("[Slave-модуль]\r\nПамять настроек0=01\r\n"),
       1, QStringLiteral("Версия ПО: ключ \"Память настроек0\" не называет ни одной памяти")},
      {"a module's only key lost", saved + QStringLiteral("[Slave-модуль]\r\n"), 1,
       QStringLiteral("раздел [Slave-модуль] не содержит ни одного блока")},
      {"a line of megabytes", QString(saved).replace(value, value + QString(5'000'000, u'0')), 1,
       QStringLiteral("длиннее 4096 знаков, прочитано только начало")},
  };
  const QString written = Path("damaged.ini");
  for (const auto& c : cases) {
    WriteFile(written, ToCp1251(c.text));
    const TResult r = Run(WriteWithTestPages, {written});
    EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(c.message)) << c.name << ": " << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << c.name;
    EXPECT_EQ(ParseDump(Run(RunDump, Args(QStringLiteral("3 int 12 1"))).out),
              (std::map<int, uint8_t>{{12, 0x11}}))
        << c.name << ": nothing reached the module";
  }

  // A section in another letter case is the same module: the file is sound and written.
  WriteFile(written,
            ToCp1251(QString(saved).replace(QStringLiteral("[GSM]"), QStringLiteral("[gsm]"))));
  const TResult lower = Run(WriteWithTestPages, {written});
  EXPECT_EQ(lower.status, 0) << lower.err.toStdString();
  EXPECT_TRUE(lower.err.isEmpty()) << lower.err.toStdString();
  EXPECT_EQ(ParseDump(Run(RunDump, Args(QStringLiteral("3 int 12 1"))).out),
            (std::map<int, uint8_t>{{12, 0x8C}}));
}

TEST_F(CtlFilesTest, ReadSavesIntoAPipeButNeverOverAFolderOrASocket) {
  const QString fifo = Path("pipe");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QByteArray received;
  std::thread reader([&] { received = ReadFile(fifo); });
  const TResult piped = Run(ReadWithTestPages, Args(QStringLiteral("--modules 3 --out ") + fifo));
  reader.join();
  EXPECT_EQ(piped.status, 0) << piped.err.toStdString();
  EXPECT_TRUE(received.contains(ToCp1251(QStringLiteral("[GSM]\r\nПамять настроек0="))));
  EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile()) << "still a pipe";

  const QString folder = Path("folder");
  ASSERT_TRUE(QDir().mkpath(folder));
  const TResult refused =
      Run(ReadWithTestPages, Args(QStringLiteral("--modules 3 --out ") + folder));
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err,
            QStringLiteral("vardexctl read: Нельзя сохранить в \"%1\": это папка\n").arg(folder));
  EXPECT_TRUE(refused.out.isEmpty());
  EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(CtlFilesTest, MemoryCommandsNameTheBytesTheyCannotReachAndWhy) {
  struct Case {
    TCommand command;
    QString args;
    QString port;
    int status;
    QString err;
  };
  const QString sim = QStringLiteral("sim:nolink");
  const QString refused = QStringLiteral("sim:nolink,refuse=2");
  const QString outside = QStringLiteral(" outside the 1024 bytes of the memory\n");
  const std::vector<Case> cases = {
      {RunDump, QStringLiteral("2 ext 1024 1"), sim, 2,
       QStringLiteral("vardexctl dump: byte 1024 lies") + outside},
      {RunDump, QStringLiteral("2 ext 1020 8"), sim, 2,
       QStringLiteral("vardexctl dump: bytes 1020..1027 lie") + outside},
      {RunDump, QStringLiteral("2 ext 4294967295 2"), sim, 2,
       QStringLiteral("vardexctl dump: bytes 4294967295..4294967296 lie") + outside},
      {RunDump, QStringLiteral("2 ext 2000"), sim, 2,
       QStringLiteral("vardexctl dump: byte 2000 lies") + outside},
      {RunDump, QStringLiteral("2 ext 1024"), sim, 2,
       QStringLiteral("vardexctl dump: nothing to dump: START 1024 is the end of the 1024 bytes "
                      "of the memory\n")},
      {RunDump, QStringLiteral("2 ext 0 0"), sim, 2,
       QStringLiteral("vardexctl dump: nothing to dump: COUNT is 0\n")},
      {RunPoke, QStringLiteral("2 ext 1023 1 2"), sim, 2,
       QStringLiteral("vardexctl poke: bytes 1023..1024 lie") + outside},
      {RunDump, QStringLiteral("2 ext 1020 4"), sim, 0, QString()},
      // A module that refuses access ignores memory commands; that is not silence.
      {RunDump, QStringLiteral("2 ext 0 4"), refused, 1,
       QStringLiteral("\"Главный модуль\": отказано в доступе\n"
                      "vardexctl dump: module 2 (Главный модуль) refuses access\n")},
      {RunPoke, QStringLiteral("2 ext 0 4"), refused, 1,
       QStringLiteral("\"Главный модуль\": отказано в доступе\n"
                      "vardexctl poke: module 2 (Главный модуль) refuses access\n")},
      {RunDump, QStringLiteral("2 ext 0 4"), QStringLiteral("sim:nolink,silent=2"), 1,
       QStringLiteral("vardexctl dump: module 2 (Главный модуль) does not answer\n")},
  };
  for (const auto& c : cases) {
    const TResult r = Run(c.command, Args(c.args), c.port);
    EXPECT_EQ(r.status, c.status) << c.args.toStdString() << " " << c.port.toStdString();
    EXPECT_EQ(r.err, c.err) << c.args.toStdString() << " " << c.port.toStdString();
    EXPECT_EQ(r.out.isEmpty(), c.status != 0) << c.args.toStdString();
  }
}

// vardexctl as a user runs it, against vardex-sim on a pseudo-terminal.
class CtlFilesProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    sim.start(QStringLiteral(VARDEX_SIM_PATH), {QStringLiteral("nolink")});
    ASSERT_TRUE(sim.waitForStarted(5000));
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    port = QString::fromLocal8Bit(sim.readLine()).trimmed();
    ASSERT_TRUE(port.startsWith(u"/dev/")) << port.toStdString();
  }
  void TearDown() override {
    if (sim.state() != QProcess::NotRunning) {
      ::kill(static_cast<pid_t>(sim.processId()), SIGTERM);
      sim.waitForFinished(5000);
    }
  }

  TResult Ctl(const QStringList& args) {
    QProcess ctl;
    ctl.start(QStringLiteral(VARDEXCTL_PATH), QStringList{QStringLiteral("--port"), port} + args);
    if (!ctl.waitForFinished(120000)) return {-1, {}, QStringLiteral("vardexctl did not finish")};
    return {ctl.exitCode(), QString::fromUtf8(ctl.readAllStandardOutput()),
            QString::fromUtf8(ctl.readAllStandardError())};
  }
  TResult ReadFull(const QString& path) {
    return Ctl({QStringLiteral("read"), QStringLiteral("--full"), QStringLiteral("--modules"),
                QStringLiteral("2"), QStringLiteral("--out"), path});
  }
  TResult WriteFull(const QString& path) {
    return Ctl({QStringLiteral("write"), QStringLiteral("--full"), path});
  }
  std::map<int, uint8_t> DumpSettings() {
    return ParseDump(Ctl({QStringLiteral("dump"), QStringLiteral("2"), QStringLiteral("ext")}).out);
  }

  QTemporaryDir dir;
  QProcess sim;
  QString port;
};

TEST_F(CtlFilesProgramTest, ABackupRoundTripsAndAnEditedChunkChangesExactlyItsBytes) {
  const QString backupPath = dir.filePath(QStringLiteral("f.ini"));
  const TResult read = ReadFull(backupPath);
  ASSERT_EQ(read.status, 0) << read.err.toStdString();
  EXPECT_EQ(read.out, QStringLiteral("Главный модуль : Память настроек: 1024 bytes\n"
                                     "Главный модуль : Память настроек Flash: 65536 bytes\n"
                                     "saved to ") +
                          backupPath + u'\n');
  const QByteArray backup = ReadFile(backupPath);

  const TResult restore = WriteFull(backupPath);
  ASSERT_EQ(restore.status, 0) << restore.err.toStdString();
  EXPECT_EQ(AfterBackupLine(restore.out),
            QStringLiteral("Главный модуль : Память настроек: 1024 bytes written\n"
                           "Главный модуль : Память настроек Flash: 65536 bytes "
                           "written\n"));
  const QString againPath = dir.filePath(QStringLiteral("g.ini"));
  ASSERT_EQ(ReadFull(againPath).status, 0);
  EXPECT_EQ(ReadFile(againPath), backup);

  const auto before = DumpSettings();
  ASSERT_EQ(before.size(), 1024u);
  const std::map<int, uint8_t> edits = {{16, 0xA5}, {17, 0x5A}, {18, 0x3C}, {1023, 0x77}};
  for (const auto& [addr, value] : edits) ASSERT_NE(before.at(addr), value) << addr;
  QByteArray edited = EditChunk(backup, QStringLiteral("Память настроек0"), 16, "\xA5\x5A\x3C");
  edited = EditChunk(edited, QStringLiteral("Память настроек1"), 1023, "\x77");
  ASSERT_EQ(edited.size(), backup.size());
  WriteFile(backupPath, edited);
  const TResult write = WriteFull(backupPath);
  ASSERT_EQ(write.status, 0) << write.err.toStdString();

  const auto after = DumpSettings();
  std::map<int, uint8_t> changed;
  for (const auto& [addr, value] : after) {
    if (before.at(addr) != value) changed[addr] = value;
  }
  EXPECT_EQ(changed, edits);
  // Nothing else moved: the module now reads back as the edited file.
  ASSERT_EQ(ReadFull(againPath).status, 0);
  EXPECT_EQ(ReadFile(againPath), edited);
}

}  // namespace

namespace {

TEST(CtlProgram, AMistypedSimulatorOptionIsInvalidInput) {
  for (const char* port : {"sim:drop=2", "sim:bogus"}) {
    QProcess ctl;
    ctl.start(QStringLiteral(VARDEXCTL_PATH),
              {QStringLiteral("--port"), QLatin1String(port), QStringLiteral("scan")});
    ASSERT_TRUE(ctl.waitForFinished(30000));
    EXPECT_EQ(ctl.exitCode(), 2) << port;
    EXPECT_TRUE(QString::fromUtf8(ctl.readAllStandardError())
                    .startsWith(QStringLiteral("vardexctl: --port %1: ").arg(QLatin1String(port))))
        << port;
  }
}

}  // namespace
