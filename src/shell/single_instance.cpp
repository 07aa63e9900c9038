#include "shell/single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr int kConnectTimeoutMs = 500;
constexpr char kActivate[] = "activate\n";

// A folder of this user's that nobody else can write to, not reached through a symbolic link.
bool IsPrivateFolder(const QString& path) {
  struct stat info {};
  return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::getuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

QString PrivateFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && IsPrivateFolder(runtime)) return runtime;
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  if (cache.isEmpty()) return {};
  const QString folder = cache + QStringLiteral("/vardex-run");
  if (QDir().mkpath(folder)) {
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  return IsPrivateFolder(folder) ? folder : QString();
}

}  // namespace

TSingleInstance::TSingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->readAll().startsWith("activate")) emit ActivateRequested();
        socket->disconnectFromServer();
      });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
}

TSingleInstance::~TSingleInstance() {
  server_.close();
}

QString TSingleInstance::SocketPath() const {
  const QString folder = PrivateFolder();
  if (folder.isEmpty()) return {};
  // One instance per user, as a per-session lock would allow.
  return folder + u'/' + QStringLiteral("%1-%2").arg(name_).arg(::getuid()).replace(u' ', u'_');
}

bool TSingleInstance::Acquire() {
  const QString path = SocketPath();
  // Better a second window than none.
  if (path.isEmpty()) return true;
  QLocalSocket probe;
  probe.connectToServer(path);
  if (probe.waitForConnected(kConnectTimeoutMs)) {
    probe.write(kActivate);
    probe.waitForBytesWritten(kConnectTimeoutMs);
    probe.disconnectFromServer();
    return false;
  }
  // Nobody answers: a socket file left by a crashed instance must not lock the user out.
  QLocalServer::removeServer(path);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  // A socket that cannot be set up only costs the next start its hand-over, never this start
  // its window.
  server_.listen(path);
  return true;
}
