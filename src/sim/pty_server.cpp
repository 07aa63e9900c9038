#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

TPtyServer::TPtyServer(std::shared_ptr<TVirtualAdapter> adapter) : adapter_(std::move(adapter)) {}

TPtyServer::~TPtyServer() {
  SetAttached(false);
  for (const int fd : {inotify_, slave_, master_}) {
    if (fd >= 0) ::close(fd);
  }
}

bool OpenRawPty(TRawPty& pty, QString* error) {
  const auto fail = [&](const char* what) {
    if (error)
      *error = QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                            QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  };
  pty.Master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (pty.Master < 0) return fail("posix_openpt");
  if (::grantpt(pty.Master) != 0 || ::unlockpt(pty.Master) != 0) return fail("grantpt");
  std::array<char, 128> name{};
  if (::ptsname_r(pty.Master, name.data(), name.size()) != 0) return fail("ptsname");
  pty.SlavePath = QString::fromLocal8Bit(name.data());
  pty.Slave = ::open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (pty.Slave < 0) return fail("open slave");
  // Raw before any client comes: the line discipline would echo the frames back and turn
  // their terminator 0x0D into 0x0A.
  termios tio{};
  if (::tcgetattr(pty.Slave, &tio) != 0) return fail("tcgetattr");
  ::cfmakeraw(&tio);
  ::cfsetispeed(&tio, B115200);
  ::cfsetospeed(&tio, B115200);
  if (::tcsetattr(pty.Slave, TCSANOW, &tio) != 0) return fail("tcsetattr");
  const int flags = ::fcntl(pty.Master, F_GETFL);
  ::fcntl(pty.Master, F_SETFL, flags | O_NONBLOCK);
  return true;
}

bool TPtyServer::Open(QString* error) {
  TRawPty pty;
  const bool opened = OpenRawPty(pty, error);
  master_ = pty.Master;
  slave_ = pty.Slave;
  slavePath_ = pty.SlavePath;
  if (!opened) return false;
  WatchClients();
  return true;
}

void TPtyServer::WatchClients() {
  inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotify_ >= 0 && ::inotify_add_watch(inotify_, slavePath_.toLocal8Bit().constData(),
                                           IN_OPEN | IN_CLOSE) >= 0) {
    return;
  }
  // Without notifications every byte goes out at once, whoever listens.
  if (inotify_ >= 0) ::close(inotify_);
  inotify_ = -1;
  SetAttached(true);
}

void TPtyServer::SetAttached(bool attached) {
  if (attached == attached_) return;
  if (attached) {
    ::tcflush(slave_, TCIFLUSH);
    attached_ = adapter_->Attach(this);
  } else {
    adapter_->Detach(this);
    attached_ = false;
  }
}

void TPtyServer::OnClientEvents() {
  alignas(inotify_event) std::array<char, 4096> buffer{};
  for (;;) {
    const ssize_t n = ::read(inotify_, buffer.data(), buffer.size());
    if (n <= 0) break;
    for (ssize_t offset = 0; offset < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
      if (event->mask & IN_OPEN) ++clients_;
      if ((event->mask & IN_CLOSE) && clients_ > 0) --clients_;
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  SetAttached(clients_ > 0);
}

bool TPtyServer::PumpFromPc() {
  std::array<uint8_t, 512> buffer{};
  for (;;) {
    const ssize_t n = ::read(master_, buffer.data(), buffer.size());
    if (n > 0) {
      // An unplugged adapter loses what the PC writes.
      adapter_->FromPc(buffer.data(), static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && errno == EAGAIN;
  }
}

bool TPtyServer::Serve(int stopFd, int commandFd,
                       const std::function<void(const QString&)>& onLine) {
  QByteArray pending;
  for (;;) {
    pollfd fds[4] = {
        {stopFd, POLLIN, 0}, {inotify_, POLLIN, 0}, {master_, POLLIN, 0}, {commandFd, POLLIN, 0}};
    if (::poll(fds, commandFd >= 0 ? 4 : 3, -1) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (fds[0].revents != 0) return true;
    // Opening comes before the client's first write, so a new client is attached before its
    // first request is read.
    if (fds[1].revents & POLLIN) OnClientEvents();
    if (fds[2].revents & POLLIN) {
      if (!PumpFromPc()) return false;
    } else if (fds[2].revents & (POLLERR | POLLNVAL)) {
      return false;
    }
    if (commandFd >= 0 && fds[3].revents != 0) {
      std::array<char, 256> buffer{};
      const ssize_t n = ::read(commandFd, buffer.data(), buffer.size());
      // The end of the commands leaves the vehicle running; only the signals stop it.
      if (n <= 0) {
        commandFd = -1;
        continue;
      }
      pending.append(buffer.data(), n);
      for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
        if (onLine) onLine(QString::fromUtf8(pending.left(end)));
        pending.remove(0, end + 1);
      }
    }
  }
}

void WriteToPty(int master, const uint8_t* bytes, size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(master, bytes, count);
    if (n > 0) {
      bytes += n;
      count -= static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return;
  }
}

void TPtyServer::DeliverToPc(const uint8_t* bytes, size_t count) {
  WriteToPty(master_, bytes, count);
}
