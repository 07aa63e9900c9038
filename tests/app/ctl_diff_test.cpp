// vardexctl diff: configurations compared setting by setting, files with files and with the
// modules; and write --verify against a module that stores a byte wrong.

#include "app/ctl/ctl_diff.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "app/ctl/ctl_files.h"
#include "app/ctl/ctl_memory.h"
#include "ctl_support.h"
#include "text/code_page_1251.h"

namespace {

const QString kVersion = QStringLiteral("[Версия ПО]\r\nV1=5\r\nV2=1\r\nV3=0\r\nV4=1\r\n");

QString HexOf(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.toHex().toUpper());
}

class CtlDiffTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  // A configuration file holding the main module's whole settings memory: zeros but for
  // `bytes`; `extra` adds sections of other modules.
  QString MainFile(const QString& name, const std::map<int, uint8_t>& bytes,
                   const QString& extra = {}) {
    QByteArray image(1024, '\0');
    for (const auto& [addr, value] : bytes) image[addr] = static_cast<char>(value);
    return Write(name, ToCp1251(kVersion +
                                QStringLiteral("[Главный модуль]\r\nПамять настроек0=%1\r\n"
                                               "Память настроек1=%2\r\n")
                                    .arg(HexOf(image.left(1023)), HexOf(image.mid(1023))) +
                                extra));
  }
  TCtlResult Diff(const QStringList& args, const QString& port = QStringLiteral("sim:nolink")) {
    return TCtlSession(port).Run(RunDiff, args);
  }

  QTemporaryDir dir;
};

TEST_F(CtlDiffTest, ACheckBoxARadioGroupAndAByteNoPageShowsAreExactlyThreeLines) {
  // Byte 11, which no control shows, makes each file a whole image rather than a pages' file.
  const QString a = MainFile(QStringLiteral("a.ini"), {{11, 0x11}});
  const QString same = MainFile(QStringLiteral("same.ini"), {{11, 0x11}});
  // Bit 1 of 193 is a check box, bits 3 and 4 a radio group's two-bit state; byte 10 no
  // control shows.
  const QString b = MainFile(QStringLiteral("b.ini"), {{11, 0x11}, {193, 0x1A}, {10, 0x5A}});

  const TCtlResult identical = Diff({a, same});
  EXPECT_EQ(identical.status, 0) << identical.err.toStdString();
  EXPECT_TRUE(identical.out.isEmpty()) << identical.out.toStdString();

  const TCtlResult changed = Diff({a, b});
  EXPECT_EQ(changed.status, 1) << changed.err.toStdString();
  EXPECT_EQ(changed.out,
            QStringLiteral("2\tНастройки\tПодсветка салона\tПодсветка салона\t0 -> 1\n"
                           "2\tНастройки\tИндикация тревоги\tТип тревоги\t0 (полная) -> 2 "
                           "(скрытая)\n"
                           "2\text\t10\t00 -> 5A\n"));
  EXPECT_TRUE(changed.err.isEmpty());

  const TCtlResult back = Diff({b, a});
  EXPECT_EQ(back.status, 1);
  EXPECT_TRUE(back.out.endsWith(QStringLiteral("2\text\t10\t5A -> 00\n"))) << "OLD from FILE_A";
}

TEST_F(CtlDiffTest, AnAreaInOneFileOnlyIsOneLineAndModulesNarrowTheComparison) {
  const QString mainOnly = MainFile(QStringLiteral("main.ini"), {});
  // The GSM module's whole settings memory: 2048 bytes in three chunks.
  const QString withGsm =
      MainFile(QStringLiteral("gsm.ini"), {},
               QStringLiteral("[GSM]\r\nПамять настроек0=%1\r\n"
                              "Память настроек1=%1\r\nПамять настроек2=0102\r\n")
                   .arg(QString(2 * 1023, u'0')));
  const struct {
    QStringList args;
    int status;
    QString out;
  } cases[] = {
      {{mainOnly, withGsm}, 1, QStringLiteral("3\tint\tonly in B\n")},
      {{withGsm, mainOnly}, 1, QStringLiteral("3\tint\tonly in A\n")},
      {{withGsm, mainOnly, QStringLiteral("--modules"), QStringLiteral("2")}, 0, QString()},
      {{QStringLiteral("--modules=0x3"), withGsm, mainOnly},
       1,
       QStringLiteral("3\tint\tonly in A\n")},
  };
  for (const auto& c : cases) {
    const TCtlResult r = Diff(c.args);
    EXPECT_EQ(r.status, c.status) << c.args.join(u' ').toStdString() << r.err.toStdString();
    EXPECT_EQ(r.out, c.out) << c.args.join(u' ').toStdString();
  }
}

TEST_F(CtlDiffTest, AFileSavedFromThePagesAloneSaysNothingAboutTheBytesTheyDoNotShow) {
  // Byte 82 holds a check box at bit 2; byte 10 no control shows. The pages' file holds every
  // cell, up to the area's last byte, and zeros where no cell lies.
  const QString full = MainFile(QStringLiteral("full.ini"), {{10, 0x5A}, {82, 0x04}});
  const QString pages = MainFile(QStringLiteral("pages.ini"), {});
  const TCtlResult r = Diff({full, pages});
  EXPECT_EQ(r.status, 1) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("2\tНастройки\tЗвуковые и световые сигналы\tВключать Панику по "
                                  "команде\t1 -> 0\n"));
}

TEST_F(CtlDiffTest, ADamagedFileIsNamedAndItsComparisonIsNoAnswer) {
  // Cut after 100 bytes, the file looks like one that differs only there unless it is checked.
  const QString whole = MainFile(QStringLiteral("whole.ini"), {{82, 0x04}, {193, 0x02}});
  QFile file(MainFile(QStringLiteral("base.ini"), {}));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  file.close();
  const QByteArray key = ToCp1251(QStringLiteral("Память настроек0="));
  const qsizetype at = bytes.indexOf(key) + key.size();
  const QString cut =
      Write(QStringLiteral("cut.ini"), bytes.left(at + 200) + bytes.mid(bytes.indexOf("\r\n", at)));
  for (const QStringList& args : {QStringList{cut, whole}, QStringList{whole, cut}}) {
    const TCtlResult r = Diff(args);
    EXPECT_EQ(r.status, 2) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(cut + QStringLiteral(": Главный модуль -> Память настроек, блок 0: "
                                                    "в файле нет нужных байт")))
        << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Включать Панику по команде")))
        << "what can be compared is";
  }
}

TEST_F(CtlDiffTest, ARefusedFileBadArgumentsOrAFailingLinkExitTwo) {
  const QString good = MainFile(QStringLiteral("good.ini"), {});
  const QString empty = Write(QStringLiteral("empty.ini"), QByteArray());
  const QString older =
      Write(QStringLiteral("older.ini"),
            ToCp1251(QStringLiteral("[Версия ПО]\r\nV1=4\r\n[GSM]\r\nПамять настроек0=01\r\n")));
  const QString noData = Write(QStringLiteral("nodata.ini"),
                               ToCp1251(kVersion + QStringLiteral("[Неизвестный]\r\nX0=01\r\n")));
  const QString missing = dir.filePath(QStringLiteral("missing.ini"));
  const QString sim = QStringLiteral("sim:nolink");
  const struct {
    QStringList args;
    QString port;
    QString message;
  } cases[] = {
      {{empty, good}, sim, QStringLiteral("не является файлом настроек")},
      {{good, empty}, sim, QStringLiteral("не является файлом настроек")},
      {{older}, sim, QStringLiteral("ПО главного модуля несовместимо с настройками ini файла")},
      {{noData, good}, sim, QStringLiteral("не содержит корректных данных")},
      {{missing, good}, sim, QStringLiteral("vardexctl diff: no file ") + missing},
      {{}, sim, QStringLiteral("usage: vardexctl diff")},
      {{good, good, good}, sim, QStringLiteral("usage: vardexctl diff")},
      {{good, QStringLiteral("--fast")}, sim, QStringLiteral("usage: vardexctl diff")},
      {{good, QStringLiteral("--modules"), QStringLiteral("x")},
       sim,
       QStringLiteral("usage: vardexctl diff")},
      {{good, QStringLiteral("--modules"), QStringLiteral("99")},
       sim,
       QStringLiteral("no module with settings memory at address 99")},
      {{good},
       QStringLiteral("sim:nolink,silent=2"),
       QStringLiteral("module 2 (Главный модуль) does not answer")},
      {{good},
       QStringLiteral("sim:nolink,refuse=2"),
       QStringLiteral("module 2 (Главный модуль) refuses access")},
  };
  for (const auto& c : cases) {
    const TCtlResult r = Diff(c.args, c.port);
    EXPECT_EQ(r.status, 2) << c.args.join(u' ').toStdString();
    EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
  }
}

TEST_F(CtlDiffTest, AFileComparedWithTheModulesDiffersUntilItIsWritten) {
  TCtlSession session(QStringLiteral("sim:nolink"));
  // A byte no page shows that the pages' file leaves out.
  ASSERT_EQ(session.Run(RunPoke, QStringLiteral("2 ext 10 0x77").split(u' ')).status, 0);
  const QString pages = dir.filePath(QStringLiteral("pages.ini"));
  ASSERT_EQ(session.Run(RunRead, {QStringLiteral("--out"), pages}).status, 0);
  const TCtlResult fromPages = session.Run(RunDiff, {pages});
  EXPECT_EQ(fromPages.status, 0) << fromPages.out.toStdString() << fromPages.err.toStdString();
  EXPECT_TRUE(fromPages.out.isEmpty());

  const QString file = MainFile(QStringLiteral("car.ini"), {{193, 0x02}, {10, 0x5A}});
  const TCtlResult before = session.Run(RunDiff, {file});
  EXPECT_EQ(before.status, 1) << before.err.toStdString();
  EXPECT_TRUE(before.out.contains(QStringLiteral("2\text\t10\t5A -> 77\n"))) << "OLD from the file";

  const TCtlResult write = session.Run(RunWrite, {QStringLiteral("--full"), file});
  ASSERT_EQ(write.status, 0) << write.err.toStdString();
  const TCtlResult after = session.Run(RunDiff, {file});
  EXPECT_EQ(after.status, 0) << after.out.toStdString() << after.err.toStdString();
  EXPECT_TRUE(after.out.isEmpty());
}

TEST_F(CtlDiffTest, AVerifiedWriteToAModuleThatStoresAByteWrongNamesTheAreaAndFails) {
  const QString file = MainFile(QStringLiteral("car.ini"), {{0, 0x10}, {193, 0x02}});
  const QStringList args = {QStringLiteral("--full"), QStringLiteral("--verify"), file};

  TCtlSession faulty(QStringLiteral("sim:nolink,miswrite=2"));
  const TCtlResult failed = faulty.Run(RunWrite, args);
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(AfterBackupLine(failed.out),
            QStringLiteral("Главный модуль : Память настроек: 1024 bytes not verified\n"));
  EXPECT_EQ(failed.err, QStringLiteral("Ошибка проверки записи: \"Главный модуль : Память "
                                       "настроек\"\nДанные, прочитанные из устройства, "
                                       "отличаются от записанных, начиная с адреса 0 (0x0)\n"));
  // Without --verify the same module passes for written, which is what --verify is for.
  const TCtlResult unverified = faulty.Run(RunWrite, {QStringLiteral("--full"), file});
  EXPECT_EQ(unverified.status, 0);
  EXPECT_EQ(faulty.Run(RunDiff, {file}).status, 1) << "the module holds other bytes";

  TCtlSession sound(QStringLiteral("sim:nolink"));
  const TCtlResult verified = sound.Run(RunWrite, args);
  EXPECT_EQ(verified.status, 0) << verified.err.toStdString();
  EXPECT_EQ(AfterBackupLine(verified.out),
            QStringLiteral("Главный модуль : Память настроек: 1024 bytes written and verified\n"));
}

}  // namespace
