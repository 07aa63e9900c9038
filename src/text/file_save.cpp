#include "text/file_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace {

TSaveResult Failure(TSaveOutcome outcome, const QString& path, const QString& reason) {
  return {outcome, reason, QStringLiteral("Не удалось сохранить \"%1\": %2").arg(path, reason)};
}

// Writes everything into a node that cannot be replaced: a device or a pipe.
TSaveResult WriteInto(const QString& path, const QByteArray& bytes) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return Failure(TSaveOutcome::Failed, path, SaveErrorReason(errno));
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      ::close(fd);
      return Failure(TSaveOutcome::Failed, path, SaveErrorReason(error));
    }
    done += n;
  }
  if (::close(fd) != 0 && errno != EINTR) {
    return Failure(TSaveOutcome::Failed, path, SaveErrorReason(errno));
  }
  return {};
}

// QSaveFile reports its failures as text only; errno still holds the cause of the last call
// that failed, which names the reason in the user's words.
TSaveResult ReplaceAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  errno = 0;
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
    return {};
  }
  const int error = errno;
  const QString reason = error != 0 ? SaveErrorReason(error) : file.errorString();
  file.cancelWriting();
  return Failure(TSaveOutcome::Failed, path, reason);
}

// What the name stands for now; stat follows symbolic links, so the target decides.
enum class TTarget { New, Regular, Stream, Other };

struct TTargetInfo {
  TTarget Kind = TTarget::New;
  QString Reason;  // why an Other target is refused, or why the name cannot be looked at
};

TTargetInfo Classify(const QString& path) {
  if (path.isEmpty()) return {TTarget::Other, QStringLiteral("имя не задано")};
  struct stat node {};
  if (::stat(QFile::encodeName(path).constData(), &node) != 0) {
    if (errno == ENOENT) return {};
    return {TTarget::Other, SaveErrorReason(errno)};
  }
  if (S_ISREG(node.st_mode)) return {TTarget::Regular, {}};
  if (S_ISCHR(node.st_mode) || S_ISFIFO(node.st_mode)) return {TTarget::Stream, {}};
  if (S_ISDIR(node.st_mode)) return {TTarget::Other, QStringLiteral("это папка")};
  if (S_ISSOCK(node.st_mode)) return {TTarget::Other, QStringLiteral("это сокет")};
  return {TTarget::Other, QStringLiteral("это не обычный файл")};
}

}  // namespace

QString RefusedSaveTarget(const QString& path) {
  const TTargetInfo target = Classify(path);
  if (target.Kind != TTarget::Other) return {};
  return QStringLiteral("Нельзя сохранить в \"%1\": %2").arg(path, target.Reason);
}

TSaveResult SaveFileBytes(const QString& path, const QByteArray& bytes) {
  const TTargetInfo target = Classify(path);
  switch (target.Kind) {
    case TTarget::New:
      return ReplaceAtomically(path, bytes);
    case TTarget::Regular:
      // The temporary file goes beside the link's target, which is what the rename replaces.
      return ReplaceAtomically(QFileInfo(path).canonicalFilePath(), bytes);
    case TTarget::Stream:
      return WriteInto(path, bytes);
    case TTarget::Other:
      break;
  }
  return {TSaveOutcome::Refused, target.Reason, RefusedSaveTarget(path)};
}

QString SaveErrorReason(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return QStringLiteral("нет места на диске");
    case EACCES:
    case EPERM:
      return QStringLiteral("нет прав");
    case EROFS:
      return QStringLiteral("диск только для чтения");
    case ENOENT:
      return QStringLiteral("нет такой папки");
    case ENOTDIR:
      return QStringLiteral("часть пути не папка");
    case EISDIR:
      return QStringLiteral("это папка");
    case ENAMETOOLONG:
      return QStringLiteral("слишком длинное имя");
    case EIO:
      return QStringLiteral("ошибка ввода-вывода");
    default:
      return QString::fromLocal8Bit(std::strerror(error));
  }
}
