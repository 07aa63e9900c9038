// Every save of the program: atomic for files, straight into devices and pipes, nothing else.

#include "text/file_save.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <thread>

namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST(FileSave, FilesAreReplacedWholeAndLinksHaveTheirTargetWritten) {
  QTemporaryDir dir;
  const QString fresh = dir.filePath(QStringLiteral("fresh.ini"));
  ASSERT_TRUE(SaveFileBytes(fresh, "new").Ok());
  EXPECT_EQ(Contents(fresh), "new");
  ASSERT_TRUE(SaveFileBytes(fresh, "replaced").Ok());
  EXPECT_EQ(Contents(fresh), "replaced");

  const QString target = dir.filePath(QStringLiteral("target.ini"));
  const QString link = dir.filePath(QStringLiteral("link.ini"));
  ASSERT_TRUE(SaveFileBytes(target, "old").Ok());
  ASSERT_TRUE(QFile::link(target, link));
  ASSERT_TRUE(SaveFileBytes(link, "through the link").Ok());
  EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link stays a link";
  EXPECT_EQ(Contents(target), "through the link");
  // Only the two files: no temporary file is left beside them.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 3);
}

TEST(FileSave, APipeIsWrittenIntoAndStaysAPipe) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("pipe"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QByteArray received;
  std::thread reader([&] {
    QFile file(fifo);
    if (file.open(QIODevice::ReadOnly)) received = file.readAll();
  });
  const QByteArray bytes(100000, 'x');  // more than a pipe buffers
  const TSaveResult saved = SaveFileBytes(fifo, bytes);
  reader.join();
  EXPECT_TRUE(saved.Ok()) << saved.Error.toStdString();
  EXPECT_EQ(received, bytes);
  struct stat node {};
  ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &node), 0);
  EXPECT_TRUE(S_ISFIFO(node.st_mode)) << "the node is not replaced by a file";
}

TEST(FileSave, ACharacterDeviceIsWrittenIntoAndNotReplaced) {
  const TSaveResult saved = SaveFileBytes(QStringLiteral("/dev/null"), "discarded");
  EXPECT_TRUE(saved.Ok()) << saved.Error.toStdString();
  struct stat node {};
  ASSERT_EQ(::stat("/dev/null", &node), 0);
  EXPECT_TRUE(S_ISCHR(node.st_mode));
}

TEST(FileSave, DirectoriesSocketsAndMissingFoldersAreRefusedWithTheReason) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("folder"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString socketPath = dir.filePath(QStringLiteral("sock"));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(),
               sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  const QString missing = dir.filePath(QStringLiteral("no-folder/file.ini"));

  const struct {
    QString path;
    TSaveOutcome outcome;
    QString reason;
  } cases[] = {
      {folder, TSaveOutcome::Refused, QStringLiteral("это папка")},
      {socketPath, TSaveOutcome::Refused, QStringLiteral("это сокет")},
      {missing, TSaveOutcome::Failed, QStringLiteral("нет такой папки")},
  };
  for (const auto& c : cases) {
    const TSaveResult saved = SaveFileBytes(c.path, "bytes");
    EXPECT_EQ(saved.Outcome, c.outcome) << c.path.toStdString();
    EXPECT_EQ(saved.Reason, c.reason) << c.path.toStdString();
    EXPECT_TRUE(saved.Error.contains(c.path)) << saved.Error.toStdString();
  }
  EXPECT_TRUE(QFileInfo(folder).isDir());
  struct stat node {};
  ASSERT_EQ(::stat(QFile::encodeName(socketPath).constData(), &node), 0);
  EXPECT_TRUE(S_ISSOCK(node.st_mode));
  EXPECT_TRUE(RefusedSaveTarget(folder).contains(QStringLiteral("это папка")));
  EXPECT_TRUE(RefusedSaveTarget(missing).isEmpty()) << "a new file may be made";
  ::close(fd);
}

TEST(FileSave, ErrnoValuesAreToldInTheUsersWords) {
  // A device that is always full fails the way a full disk does.
  if (QFileInfo::exists(QStringLiteral("/dev/full"))) {
    const TSaveResult full = SaveFileBytes(QStringLiteral("/dev/full"), "bytes");
    EXPECT_EQ(full.Outcome, TSaveOutcome::Failed);
    EXPECT_EQ(full.Reason, QStringLiteral("нет места на диске"));
  }
  EXPECT_EQ(SaveErrorReason(ENOSPC), QStringLiteral("нет места на диске"));
  EXPECT_EQ(SaveErrorReason(EDQUOT), QStringLiteral("нет места на диске"));
  EXPECT_EQ(SaveErrorReason(EACCES), QStringLiteral("нет прав"));
  EXPECT_EQ(SaveErrorReason(EROFS), QStringLiteral("диск только для чтения"));
}

}  // namespace
