// Configuration files: the file channel and the registry's save and open, against modules of
// the virtual vehicle.

#include "memory/file_rw.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "link/adapter.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/user_questions.h"
#include "sim_link.h"
#include "test_control.h"
#include "test_support.h"
#include "text/code_page_1251.h"
#include "version.h"

namespace {

constexpr int kGsm = 3;
constexpr int kSlave = 4;

class TRecordingQuestions : public IUserQuestions {
 public:
  TUserAnswer AskStep(const QString& text) override {
    asked.push_back(text);
    return asked.size() <= answers.size() ? answers[asked.size() - 1] : TUserAnswer::No;
  }
  void ShowError(const QString& text) override { errors.push_back(text); }

  std::vector<TUserAnswer> answers;
  std::vector<QString> asked;
  std::vector<QString> errors;
};

// What every file of this program starts with.
QString VersionSection(int major = kVersionMajor) {
  return QStringLiteral("[Версия ПО]\r\nV1=%1\r\nV2=%2\r\nV3=%3\r\nV4=%4\r\n")
      .arg(major)
      .arg(kVersionMinor)
      .arg(kVersionRelease)
      .arg(kVersionBuild);
}

class FileTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    vehicle = MakeTestVehicle();
    adapter = ConnectTo(vehicle);
    ASSERT_TRUE(adapter->IsConnected());
    rw.SetAdapter(adapter.get());
    rw.SetClearDirtyAfterWrite(true);
    rw.SetLocations(kPersistentLocations);
    rw.SetUserQuestions(&questions);
    devices.SetRW(&rw);
    devices.SetUserQuestions(&questions);
  }
  void TearDown() override { devices.SetRW(nullptr); }

  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  TLanDevice* Module(int addr) { return devices.FindDevice(addr); }
  TDeviceMemoryItem& Area(int addr, TMemoryLocation loc) { return *devices.FindMem(addr, loc); }
  std::vector<uint8_t>& SimMemory(int addr, int loc) {
    return *vehicle->WithVehicle([&](TVirtualVehicle& v) { return &v.Module(addr)->Memory(loc); });
  }

  void Bind(std::vector<TTestControl*> controls) {
    std::vector<IBoundControl*> list(controls.begin(), controls.end());
    devices.BindControls(list, {});
  }
  // The area's bound bytes from the virtual module, as the read command fetches them.
  void ReadFromModule(int addr, TMemoryLocation loc) {
    devices.ReadDevice(Module(addr), {loc}, {});
    ASSERT_TRUE(Area(addr, loc).IsLoaded());
  }
  void Save(const QString& path, std::vector<TDeviceMemoryItem*> areas) {
    const auto file = std::make_unique<TFileRW>(path, true);
    devices.SaveToFile(areas, *file, {});
  }

  static void WriteText(const QString& path, const QString& text) {
    WriteBytes(path, ToCp1251(text));
  }
  static void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  static QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  std::shared_ptr<TVirtualAdapter> vehicle;
  std::unique_ptr<TAdapter> adapter;
  TRecordingQuestions questions;
  TLanRW rw;
  TLanDevices devices;
};

TEST_F(FileTransferTest, ARunAcrossAChunkBoundarySplitsBetweenTwoKeys) {
  const auto file = std::make_unique<TFileRW>(Path("edge.ini"), true);
  file->SetDevice(Module(kGsm));
  file->SetItem(&Area(kGsm, mlInt));
  const std::vector<uint8_t> run = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7};
  EXPECT_TRUE(file->Write(1020, run).empty());

  const TProfileFile& profile = file->Profile();
  const QString gsm = QStringLiteral("GSM");
  EXPECT_EQ(profile.Keys(gsm),
            (QStringList{QStringLiteral("Память настроек0"), QStringLiteral("Память настроек1")}));
  const QString first = profile.ReadString(gsm, QStringLiteral("Память настроек0"));
  EXPECT_EQ(first.size(), 2046);
  EXPECT_EQ(first.left(2040), QString(2040, u'0'));
  EXPECT_EQ(first.mid(2040), QStringLiteral("A0A1A2"));
  EXPECT_EQ(profile.ReadString(gsm, QStringLiteral("Память настроек1")),
            QStringLiteral("A3A4A5A6A7"));

  std::vector<uint8_t> back(10, 0xEE);
  EXPECT_TRUE(file->Read(1019, back));
  EXPECT_EQ(back, (std::vector<uint8_t>{0, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0}));

  // Rewriting the start of a chunk keeps its key in place and the rest of its bytes.
  const std::vector<uint8_t> head = {0x11};
  file->Write(0, head);
  EXPECT_EQ(profile.Keys(gsm).front(), QStringLiteral("Память настроек0"));
  EXPECT_EQ(profile.ReadString(gsm, QStringLiteral("Память настроек0")),
            QStringLiteral("11") + first.mid(2));
}

TEST_F(FileTransferTest, SaveWritesEveryStoringControlsBytesByteForByte) {
  auto& memory = SimMemory(kGsm, kSimInt);
  memory[2] = 0x12;
  memory[3] = 0x34;
  memory[5] = 0xAB;
  memory[8] = 0x77;
  TTestControl word(kGsm, mlInt, 2, 2);
  TTestControl byte(kGsm, mlInt, 5);
  TTestControl disabled(kGsm, mlInt, 8);  // stores nothing, as a disabled control
  Bind({&word, &byte, &disabled});
  ReadFromModule(kGsm, mlInt);
  word.Value = word.Shown;
  byte.Value = byte.Shown;
  ASSERT_FALSE(Area(kGsm, mlInt).IsModified());

  const QString path = Path("small.ini");
  Save(path, {&Area(kGsm, mlInt)});

  EXPECT_EQ(
      ReadBytes(path),
      ToCp1251(VersionSection() + QStringLiteral("[GSM]\r\nПамять настроек0=0000123400AB\r\n")));
  EXPECT_TRUE(questions.asked.empty());
}

TEST_F(FileTransferTest, BytesAFileDoesNotHoldAreNeitherLoadedNorWritten) {
  auto& memory = SimMemory(kGsm, kSimInt);
  memory[4] = 0x55;
  memory[5] = 0x66;
  memory[7] = 0x77;
  const QString path = Path("partial.ini");
  // The chunk ends after byte 5: bytes 4 and 5 come from the file, 6 and 7 are not in it.
  WriteText(path, VersionSection() + QStringLiteral("[GSM]\r\nПамять настроек0=00000000AABB\r\n"));
  TTestControl held(kGsm, mlInt, 4, 2);
  TTestControl missing(kGsm, mlInt, 6, 2);
  Bind({&held, &missing});
  ASSERT_TRUE(Module(kGsm)->IsPresent());
  devices.ReadDevice(Module(kGsm), {mlInt}, {});
  ASSERT_EQ(missing.Shown, (std::vector<uint8_t>{0, 0x77}));

  const auto file = std::make_unique<TFileRW>(path, false, &questions);
  ASSERT_TRUE(file->IsCompatible());
  TDeviceMemoryItem& area = Area(kGsm, mlInt);
  const std::vector<TDeviceMemoryItem*> areas = {&area};
  EXPECT_EQ(LoadDamage(*file, devices, areas, ControlRuns),
            (std::vector<TChunkDamage>{{QStringLiteral("GSM"), QStringLiteral("Память настроек"),
                                        QStringLiteral("Память настроек0"), 0, 6,
                                        TDamageKind::Missing, 2}}));
  devices.LoadFromFile(areas, *file, {});

  EXPECT_EQ(held.Shown, (std::vector<uint8_t>{0xAA, 0xBB}));
  EXPECT_EQ(missing.Shown, (std::vector<uint8_t>{0, 0x77})) << "what the module holds stays";
  EXPECT_TRUE(area.IsChanged(4));
  EXPECT_FALSE(area.IsChanged(6));
  EXPECT_FALSE(area.IsChanged(7));

  devices.WriteDevice(Module(kGsm), {mlInt}, {});
  EXPECT_EQ(memory[4], 0xAA);
  EXPECT_EQ(memory[5], 0xBB);
  EXPECT_EQ(memory[7], 0x77) << "no zero reaches the module";
  EXPECT_FALSE(area.IsModified());
}

TEST_F(FileTransferTest, AFileOfAnotherProgramGenerationLoadsNothing) {
  struct Case {
    const char* name;
    QByteArray bytes;
    TFileRefusal refusal;
    // The reason after the file's name; empty for the incompatible-version text.
    QString reason;
  };
  const QString data = QStringLiteral("[GSM]\r\nПамять настроек0=5A\r\n");
  const QString file = VersionSection() + data;
  const QString version = QStringLiteral("Не удалось прочитать версию в файле \"%1\": ");
  const QString notProfile = QStringLiteral("Файл \"%1\" не является файлом настроек: ");
  const std::vector<Case> cases = {
      // The first program generation stamped nothing.
      {"no version section", ToCp1251(data), TFileRefusal::IncompatibleVersion, QString()},
      {"version without V1", ToCp1251(QStringLiteral("[Версия ПО]\r\nV2=1\r\n") + data),
       TFileRefusal::UnreadableVersion,
       version + QStringLiteral("нет ключа V1 в разделе [Версия ПО].")},
      {"V1 not a number", ToCp1251(QStringLiteral("[Версия ПО]\r\nV1=пять\r\n") + data),
       TFileRefusal::UnreadableVersion, version + QStringLiteral("значение V1 \"пять\" не число.")},
      {"older major", ToCp1251(VersionSection(kVersionMajor - 1) + data),
       TFileRefusal::IncompatibleVersion, QString()},
      {"newer major", ToCp1251(VersionSection(kVersionMajor + 10) + data),
       TFileRefusal::IncompatibleVersion, QString()},
      {"empty file", QByteArray(), TFileRefusal::NotProfile,
       notProfile + QStringLiteral("файл пуст.")},
      {"blank lines", QByteArray("\r\n \r\n\t\n"), TFileRefusal::NotProfile,
       notProfile + QStringLiteral("файл пуст.")},
      {"binary",
       QByteArray("\x7F"
                  "ELF\x02\x01\x01\0\0\0[V]\r\n",
                  16),
       TFileRefusal::NotProfile, notProfile + QStringLiteral("в нём двоичные данные.")},
      {"text without sections", QByteArray("V1=5\r\nhello\r\n"), TFileRefusal::NotProfile,
       notProfile + QStringLiteral("в нём нет ни одного раздела.")},
      {"UTF-8", file.toUtf8(), TFileRefusal::UnreadableVersion,
       version + QStringLiteral("текст записан в UTF-8, а не в кодировке Windows-1251.")},
      // A BOM used to read as a file of the first program generation.
      {"UTF-8 with a BOM", "\xEF\xBB\xBF" + file.toUtf8(), TFileRefusal::UnreadableVersion,
       version + QStringLiteral("файл записан в UTF-8 (начинается с метки BOM), а файлы настроек "
                                "пишутся в кодировке Windows-1251.")},
      {"Windows-1251 with a BOM", "\xEF\xBB\xBF" + ToCp1251(file), TFileRefusal::UnreadableVersion,
       version + QStringLiteral("файл записан в UTF-8 (начинается с метки BOM), а файлы настроек "
                                "пишутся в кодировке Windows-1251.")},
      {"CR line ends",
       ToCp1251(QString(file).replace(QStringLiteral("\r\n"), QStringLiteral("\r"))),
       TFileRefusal::UnreadableVersion,
       version + QStringLiteral("строки разделены только символом CR.")},
      // Last, because they load.
      {"LF line ends",
       ToCp1251(QString(file).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))),
       TFileRefusal::None, QString()},
      {"this program", ToCp1251(file), TFileRefusal::None, QString()},
  };
  TTestControl control(kGsm, mlInt, 0);
  Bind({&control});
  TDeviceMemoryItem& area = Area(kGsm, mlInt);
  const QString path = Path("version.ini");
  for (const auto& c : cases) {
    questions.errors.clear();
    WriteBytes(path, c.bytes);
    const auto file = std::make_unique<TFileRW>(path, false, &questions);
    EXPECT_EQ(file->Refusal(), c.refusal) << c.name;
    EXPECT_EQ(file->IsCompatible(), c.refusal == TFileRefusal::None) << c.name;
    if (c.refusal == TFileRefusal::None) {
      EXPECT_TRUE(questions.errors.empty()) << c.name;
      EXPECT_TRUE(file->RefusalText().isEmpty()) << c.name;
      devices.LoadFromFile(std::vector{&area}, *file, {});
      EXPECT_EQ(area.Image()[0], 0x5A) << c.name;
      continue;
    }
    // The incompatible version keeps the text users know; every other refusal names the file.
    const QString text =
        c.reason.isEmpty() ? TFileRW::IncompatibleText() : QString(c.reason).arg(path);
    EXPECT_EQ(file->RefusalText(), text) << c.name;
    EXPECT_EQ(questions.errors, std::vector{text}) << c.name;
    try {
      devices.LoadFromFile(std::vector{&area}, *file, {});
      ADD_FAILURE() << c.name << ": loaded";
    } catch (const ELanDev& e) {
      EXPECT_EQ(e.Message(), text) << c.name;
    }
    EXPECT_FALSE(area.IsLoaded()) << c.name;
    EXPECT_FALSE(area.IsChanged(0)) << c.name;
    EXPECT_EQ(area.Image()[0], 0) << c.name;
  }

  // A file that is not there is an error of its own, not a refused file.
  EXPECT_THROW(TFileRW(Path("missing.ini"), false, &questions), ELanDev);
}

TEST_F(FileTransferTest, ChunksThatCannotBeReadWholeAreListedWithTheirFirstBadByte) {
  const QString path = Path("damaged.ini");
  WriteText(path, VersionSection() +
                      QStringLiteral("[Главный модуль]\r\n"
                                     "Память настроек0=0102zz04\r\n"
                                     "Память настроек1=ABC\r\n"
                                     "Память настроек2=01\r\n"   // beyond the 1024 bytes
                                     "Память настроек01=01\r\n"  // not a chunk number
                                     "Память настроек Flash0=0102\r\n"
                                     "Память настроек Flash1=\r\n"
                                     "Память настроек Flashx=01\r\n"
                                     "RAM0=zz\r\n"  // a live area: never loaded, never listed
                                     "Посторонний=zz\r\n"
                                     "[GSM]\r\n"
                                     "Память настроек0=") +
                      QString(2 * 1023 + 2, u'A') +
                      QStringLiteral("\r\nПамять настроек1=0A0B\r\n"));
  const auto file = std::make_unique<TFileRW>(path, false, &questions);
  ASSERT_TRUE(file->IsCompatible());
  const QString main = QStringLiteral("Главный модуль");
  const QString settings = QStringLiteral("Память настроек");
  const QString flash = QStringLiteral("Память настроек Flash");
  const std::vector<TChunkDamage> expected = {
      {main, settings, QStringLiteral("Память настроек0"), 0, 2},
      {main, settings, QStringLiteral("Память настроек1"), 1, 1},
      {main, settings, QStringLiteral("Память настроек2")},
      {main, settings, QStringLiteral("Память настроек01")},
      {main, flash, QStringLiteral("Память настроек Flash1"), 1, 0},
      {main, flash, QStringLiteral("Память настроек Flashx")},
      {QStringLiteral("GSM"), settings, QStringLiteral("Память настроек0"), 0, 1023},
  };
  const std::vector<TDeviceMemoryItem*> areas = {&Area(2, mlExt), &Area(2, mlFlash),
                                                 &Area(kGsm, mlInt), &Area(kGsm, mlExt)};
  EXPECT_EQ(file->DamagedChunks(areas), expected);
  // Only the areas asked about: what is not loaded is not reported.
  EXPECT_EQ(file->DamagedChunks(std::vector{&Area(2, mlFlash)}),
            std::vector(expected.begin() + 4, expected.begin() + 6));

  const std::vector<QString> lines = {
      QStringLiteral("Главный модуль -> Память настроек, блок 0: не прочитан с байта 2 (адрес 2)"),
      QStringLiteral("Главный модуль -> Память настроек, блок 1: не прочитан с байта 1 "
                     "(адрес 1024)"),
      QStringLiteral("Главный модуль -> Память настроек, ключ \"Память настроек2\" не называет "
                     "блок этой памяти"),
  };
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(expected[i].Text(), lines[i]);
  EXPECT_EQ(expected.back().Text(),
            QStringLiteral("GSM -> Память настроек, блок 0: лишние знаки после 1023 байт"));
  EXPECT_EQ(DamageReport(QStringLiteral("damaged.ini"), {expected.front()}),
            QStringLiteral("Файл \"damaged.ini\" повреждён или неполон:\n") + lines.front());

  // A saved file lists nothing.
  TTestControl control(kGsm, mlInt, 0, 2048);
  Bind({&control});
  ReadFromModule(kGsm, mlInt);
  control.Value = control.Shown;
  Save(path, {&Area(kGsm, mlInt)});
  EXPECT_TRUE(std::make_unique<TFileRW>(path, false)->DamagedChunks(areas).empty());
}

TEST_F(FileTransferTest, LoadDamageNamesWhatTheFileLacksAndWhatNamesNothing) {
  // The Slave module's settings (256 bytes, one chunk) in a whole copy; the main module's
  // settings (1024 bytes, two chunks) with its first chunk gone; a key given twice; a section
  // in another case; foreign sections, keys and lines.
  const QString full = QString(2 * 256, u'1');
  WriteText(Path("damaged.ini"),
            VersionSection() + QStringLiteral("[главный МОДУЛЬ]\r\nПамять настроек1=00\r\n"
                                              "Настройки0=00\r\n"
                                              "[Slave-модуль]\r\nПамять настроек0=%1AB\r\n"
                                              "ПАМЯТЬ НАСТРОЕК0=FF\r\n"
                                              "мусор\r\n"
                                              "[Модуль X]\r\nA0=00\r\n")
                                   .arg(full));
  const auto file = std::make_unique<TFileRW>(Path("damaged.ini"), false, &questions);
  ASSERT_TRUE(file->IsCompatible());
  EXPECT_TRUE(file->HasSection(QStringLiteral("Главный модуль")));
  const std::vector<TDeviceMemoryItem*> areas = AreasInFile(*file, devices);
  ASSERT_EQ(areas, (std::vector<TDeviceMemoryItem*>{&Area(2, mlExt), &Area(kSlave, mlInt)}))
      << "module names match ignoring case";

  const QString main = QStringLiteral("главный МОДУЛЬ");
  const QString slave = QStringLiteral("Slave-модуль");
  const QString settings = QStringLiteral("Память настроек");
  const std::vector<TChunkDamage> expected = {
      {{}, {}, {}, 12, 0, TDamageKind::StrayLine},
      {main, {}, QStringLiteral("Настройки0"), -1, 0, TDamageKind::UnknownKey},
      {QStringLiteral("Модуль X"), {}, {}, -1, 0, TDamageKind::UnknownSection},
      {QStringLiteral("Главный модуль"), settings, QStringLiteral("Память настроек0"), 0, 0,
       TDamageKind::Missing, 1023},
      {slave, settings, QStringLiteral("Память настроек0"), 0, 256, TDamageKind::PastEnd},
      {slave, settings, QStringLiteral("ПАМЯТЬ НАСТРОЕК0"), -1, 0, TDamageKind::Conflict},
  };
  const std::vector<TChunkDamage> damage = LoadDamage(*file, devices, areas, WholeArea);
  EXPECT_EQ(damage, expected);
  const QStringList texts = {
      QStringLiteral("строка 12 не раздел и не ключ раздела"),
      QStringLiteral("главный МОДУЛЬ: ключ \"Настройки0\" не называет ни одной памяти настроек "
                     "модуля"),
      QStringLiteral("раздел [Модуль X] не называет ни одного модуля"),
      QStringLiteral("Главный модуль -> Память настроек, блок 0: в файле нет нужных байт в "
                     "пределах 0..1022 (адреса 0..1022)"),
      QStringLiteral("Slave-модуль -> Память настроек, блок 0: байты после конца памяти (с "
                     "адреса 256)"),
      QStringLiteral("Slave-модуль -> Память настроек, ключ \"ПАМЯТЬ НАСТРОЕК0\" повторён с "
                     "другим значением"),
  };
  EXPECT_EQ(DamageLines(damage), texts);

  // Past twenty places one line counts the rest.
  const std::vector<TChunkDamage> many(25, expected.front());
  const QStringList lines = DamageLines(many);
  ASSERT_EQ(lines.size(), static_cast<qsizetype>(kDamageLinesShown + 1));
  EXPECT_EQ(lines.back(), QStringLiteral("... и ещё повреждений: 5 (всего 25)"));
}

TEST_F(FileTransferTest, AnAreaMatchesOnlyChunkKeysOfItsExactName) {
  const QString path = Path("names.ini");
  WriteText(path, VersionSection() +
                      QStringLiteral("[Главный модуль]\r\n"
                                     "Память настроек Flash0=01\r\n"
                                     "Память настроек Flash12=02\r\n"
                                     "Память настроек01=03\r\n"  // not a key the program writes
                                     "Память настроек2=04\r\n"   // beyond the 1024 bytes
                                     "RAM0=05\r\n"
                                     "[GSM]\r\n"
                                     "Память сообщений32=06\r\n"));
  const auto file = std::make_unique<TFileRW>(path, false, &questions);

  struct Case {
    int addr;
    TMemoryLocation loc;
    bool held;
  };
  const std::vector<Case> cases = {
      {2, mlExt, false},   {2, mlFlash, true},   {2, mlRam, true},
      {kGsm, mlExt, true}, {kGsm, mlInt, false}, {kSlave, mlInt, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(file->HasItem(Area(c.addr, c.loc)), c.held)
        << c.addr << " " << static_cast<int>(c.loc);
  }
  EXPECT_TRUE(file->HasDevice(*Module(2)));
  EXPECT_FALSE(file->HasDevice(*Module(kSlave)));
  // Module names match as keys do, ignoring case.
  EXPECT_TRUE(file->HasSection(QStringLiteral("GSM")));
  EXPECT_TRUE(file->HasSection(QStringLiteral("gsm")));
  // Live areas are never offered, whatever the file says.
  EXPECT_EQ(AreasInFile(*file, devices),
            (std::vector<TDeviceMemoryItem*>{&Area(2, mlFlash), &Area(kGsm, mlExt)}));
  EXPECT_EQ(file->HeldRuns(Area(2, mlFlash)), (TClusterList{{0, 1}, {12 * 1023, 1}}));
  // The last chunk of the GSM messages is short, but it is the area's.
  EXPECT_EQ(file->HeldRuns(Area(kGsm, mlExt)), (TClusterList{{32 * 1023, 1}}));
}

TEST_F(FileTransferTest, MalformedInputLoadsWhatIsValidAndNothingOutsideTheArea) {
  const QString path = Path("garbage.ini");
  WriteText(path, QStringLiteral("stray line\r\n") + VersionSection() +
                      QStringLiteral("[GSM]\r\n"
                                     "no key here\r\n"
                                     "Память настроек0=0102zz0304\r\n"
                                     "Память настроек1=ABC\r\n"
                                     "Память настроек2=") +
                      QString(5000, u'F') +
                      QStringLiteral("\r\nПамять настроек3=1111\r\n=\r\n[unterminated\r\n"));
  TTestControl whole(kGsm, mlInt, 0, 2048);
  TTestControl messages(kGsm, mlExt, 0, 4);
  Bind({&whole, &messages});
  const auto file = std::make_unique<TFileRW>(path, false, &questions);
  ASSERT_TRUE(file->IsCompatible());
  TDeviceMemoryItem& area = Area(kGsm, mlInt);
  EXPECT_EQ(file->HeldRuns(area), (TClusterList{{0, 2}, {1023, 1}, {2046, 2}}));

  devices.LoadFromFile(std::vector{&area}, *file, {});
  std::vector<uint8_t> expected(2048, 0);
  expected[0] = 0x01;
  expected[1] = 0x02;
  expected[1023] = 0xAB;
  expected[2046] = 0xFF;
  expected[2047] = 0xFF;
  EXPECT_EQ(whole.Shown, expected);
  EXPECT_EQ(area.Capacity(), 2048);
  EXPECT_FALSE(Area(kGsm, mlExt).IsChanged(0));
  EXPECT_TRUE(questions.asked.empty());

  // Bytes that are no text at all: no stamp, so nothing loads.
  WriteBytes(path, QByteArray("\xFF\xFE\x00[\x01=\r\r\n]]=[", 14));
  EXPECT_FALSE(std::make_unique<TFileRW>(path, false)->IsCompatible());
}

TEST_F(FileTransferTest, AnAbandonedSaveLeavesThePreviousFile) {
  const QString path = Path("settings.ini");
  WriteBytes(path, "previous contents");
  TTestControl first(kGsm, mlInt, 0);
  TTestControl second(kSlave, mlInt, 0);
  Bind({&first, &second});
  ReadFromModule(kGsm, mlInt);
  ReadFromModule(kSlave, mlInt);
  first.Value = {0x42};
  second.FailOnStore = true;
  const std::vector<TDeviceMemoryItem*> areas = {&Area(kGsm, mlInt), &Area(kSlave, mlInt)};

  questions.answers = {TUserAnswer::No};
  EXPECT_THROW(Save(path, areas), std::exception);
  EXPECT_EQ(ReadBytes(path), QByteArray("previous contents"));
  EXPECT_EQ(questions.asked,
            std::vector{QStringLiteral("Элемент недоступен: \"Slave-модуль : Память настроек\"\r\n"
                                       " Продолжить сохранение?")});

  // Going on saves what could be stored, and leaves no temporary file behind.
  questions.answers = {TUserAnswer::Yes};
  questions.asked.clear();
  Save(path, areas);
  EXPECT_EQ(ReadBytes(path),
            ToCp1251(VersionSection() + QStringLiteral("[GSM]\r\nПамять настроек0=42\r\n")));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("settings.ini")});
}

TEST_F(FileTransferTest, AFileThatCannotBeWrittenIsReported) {
  TTestControl control(kGsm, mlInt, 0);
  Bind({&control});
  ReadFromModule(kGsm, mlInt);
  const QString path = Path("missing-folder/settings.ini");
  try {
    Save(path, {&Area(kGsm, mlInt)});
    ADD_FAILURE() << "saved";
  } catch (const ELanDev& e) {
    EXPECT_EQ(e.Message(),
              QStringLiteral("Unable to write to ") + path + QStringLiteral(": нет такой папки"));
  }
}

TEST_F(FileTransferTest, CyrillicTextSurvivesSaveAndOpen) {
  const QString text = QStringLiteral("Тревога! Открыта дверь: Ёлка, №5");
  const QByteArray cells = ToCp1251(text);
  ASSERT_EQ(cells.size(), text.size());
  const int at = 0x100;
  auto& memory = SimMemory(kGsm, kSimExt);
  std::copy(cells.begin(), cells.end(), memory.begin() + at);
  TTestControl saved(kGsm, mlExt, at, static_cast<int>(cells.size()));
  Bind({&saved});
  ReadFromModule(kGsm, mlExt);
  saved.Value = saved.Shown;
  const QString path = Path("texts.ini");
  Save(path, {&Area(kGsm, mlExt)});
  EXPECT_TRUE(ReadBytes(path).contains(ToCp1251(QStringLiteral("\r\nПамять сообщений0="))));

  TLanDevices other;
  other.SetRW(&rw);
  TTestControl loaded(kGsm, mlExt, at, static_cast<int>(cells.size()));
  std::vector<IBoundControl*> list = {&loaded};
  other.BindControls(list, {});
  const auto file = std::make_unique<TFileRW>(path, false, &questions);
  ASSERT_EQ(AreasInFile(*file, other), std::vector{other.FindMem(kGsm, mlExt)});
  other.LoadFromFile(AreasInFile(*file, other), *file, {});
  EXPECT_EQ(FromCp1251(QByteArray(reinterpret_cast<const char*>(loaded.Shown.data()),
                                  static_cast<qsizetype>(loaded.Shown.size()))),
            text);
  other.SetRW(nullptr);
}

}  // namespace
