// The backup folder: names that sort one car's backups together, and pruning that never loses
// a car's newest backup.

#include "memory/backup_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void Touch(const QString& path, qint64 size) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(size, 'x'));
}

QStringList Names(const std::vector<TBackupEntry>& entries) {
  QStringList names;
  for (const TBackupEntry& entry : entries) names << QFileInfo(entry.Path).fileName();
  return names;
}

TEST(BackupFolder, ListsNewestFirstWithCarTimeAndModulesFromTheName) {
  QTemporaryDir dir;
  Touch(dir.filePath(QStringLiteral("fw41.05-p0E35_20260101-100000_m2-24.ini")), 10);
  Touch(dir.filePath(QStringLiteral("fw41.05-p0E35_20260101-100000_m2-24_2.ini")), 10);
  Touch(dir.filePath(QStringLiteral("fw40.01-punknown_20260301-080000_m3.ini")), 10);
  Touch(dir.filePath(QStringLiteral("notes.ini")), 10);
  const auto entries = TBackupFolder(dir.path()).List();
  EXPECT_EQ(Names(entries), (QStringList{"fw40.01-punknown_20260301-080000_m3.ini",
                                         "fw41.05-p0E35_20260101-100000_m2-24_2.ini",
                                         "fw41.05-p0E35_20260101-100000_m2-24.ini"}));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].Car, QStringLiteral("fw41.05-p0E35"));
  EXPECT_EQ(entries[1].Modules, QStringLiteral("2, 24"));
  EXPECT_EQ(entries[1].When, QDateTime(QDate(2026, 1, 1), QTime(10, 0)));
}

TEST(BackupFolder, PruningRemovesTheOldestButNeverTheNewestOfACar) {
  struct TCase {
    const char* name;
    qint64 limit;
    QStringList kept;
  };
  const QStringList all = {"carB_20260105-000000_m2.ini", "carA_20260104-000000_m2.ini",
                           "carA_20260103-000000_m2.ini", "carB_20260102-000000_m2.ini",
                           "carC_20260101-000000_m2.ini"};
  const TCase cases[] = {
      {"under the limit nothing goes", 500, all},
      {"the oldest go first",
       400,
       {"carB_20260105-000000_m2.ini", "carA_20260104-000000_m2.ini", "carA_20260103-000000_m2.ini",
        "carC_20260101-000000_m2.ini"}},
      {"a car's only backup stays however old",
       1,
       {"carB_20260105-000000_m2.ini", "carA_20260104-000000_m2.ini",
        "carC_20260101-000000_m2.ini"}},
  };
  for (const TCase& c : cases) {
    QTemporaryDir dir;
    for (const QString& name : all) Touch(dir.filePath(name), 100);
    const TBackupFolder folder(dir.path(), c.limit);
    folder.Prune();
    EXPECT_EQ(Names(folder.List()), c.kept) << c.name;
  }
}

TEST(BackupFolder, TheFolderComesFromTheUsersDataHome) {
  const QByteArray saved = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", "/data/home");
  EXPECT_EQ(TBackupFolder::DefaultPath(), QStringLiteral("/data/home/vardex/backups"));
  qputenv("XDG_DATA_HOME", "relative");
  EXPECT_EQ(TBackupFolder::DefaultPath(), QDir::homePath() + "/.local/share/vardex/backups");
  qunsetenv("XDG_DATA_HOME");
  EXPECT_EQ(TBackupFolder::DefaultPath(), QDir::homePath() + "/.local/share/vardex/backups");
  if (!saved.isEmpty()) qputenv("XDG_DATA_HOME", saved);
}

}  // namespace
