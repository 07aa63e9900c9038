#include "shell/single_instance.h"

#include <unistd.h>

#include <QLocalSocket>

namespace {

constexpr int kConnectTimeoutMs = 500;
constexpr char kActivate[] = "activate\n";

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

QString TSingleInstance::SocketName() const {
  // One instance per user, as a per-session lock would allow.
  return QStringLiteral("%1-%2").arg(name_).arg(::getuid()).replace(u' ', u'_');
}

bool TSingleInstance::Acquire() {
  QLocalSocket probe;
  probe.connectToServer(SocketName());
  if (probe.waitForConnected(kConnectTimeoutMs)) {
    probe.write(kActivate);
    probe.waitForBytesWritten(kConnectTimeoutMs);
    probe.disconnectFromServer();
    return false;
  }
  // Nobody answers: a socket file left by a crashed instance must not lock the user out.
  QLocalServer::removeServer(SocketName());
  return server_.listen(SocketName());
}
