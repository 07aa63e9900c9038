#include "link/tty_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

TTtyPort::~TTtyPort() {
  Close();
}

int TTtyPort::Open(const QString& path) {
  Close();
  fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return kPortDeviceNotFound;
  // Asked of the open descriptor, so that the path cannot be swapped in between.
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISCHR(info.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    return kPortDeviceNotFound;
  }
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) {
    ::close(fd_);
    fd_ = -1;
    return kPortOtherError;
  }
  MarkOpen();
  pump_ = std::thread([this] { Pump(); });
  return kPortOk;
}

void TTtyPort::Close() {
  if (pump_.joinable()) {
    const uint64_t one = 1;
    [[maybe_unused]] const auto ignored = ::write(wakeFd_, &one, sizeof one);
    pump_.join();
  }
  if (wakeFd_ >= 0) ::close(wakeFd_);
  if (fd_ >= 0) ::close(fd_);
  wakeFd_ = fd_ = -1;
  MarkClosed();
}

int TTtyPort::Configure(const TPortSettings& settings) {
  if (fd_ < 0) return kPortNotOpened;
  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0) {
    // Not a terminal (a pipe or a socket in a test): nothing to configure.
    return kPortOk;
  }
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= settings.DataBits == 7 ? CS7 : CS8;
  if (settings.StopBits == 2) tio.c_cflag |= CSTOPB;
  if (settings.Parity) tio.c_cflag |= PARENB;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  const speed_t speed = settings.BaudRate == 115200 ? B115200 : B9600;
  ::cfsetispeed(&tio, speed);
  ::cfsetospeed(&tio, speed);
  if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return kPortOtherError;
  return kPortOk;
}

int TTtyPort::Write(const uint8_t* buffer, uint32_t size, uint32_t& written) {
  written = 0;
  const int status = DeviceStatus();
  if (status != kPortOk) return status;
  while (written < size) {
    const ssize_t n = ::write(fd_, buffer + written, size - written);
    if (n > 0) {
      written += static_cast<uint32_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      pollfd pfd{fd_, POLLOUT, 0};
      if (::poll(&pfd, 1, 20) > 0) continue;
      return kPortOtherError;
    }
    MarkFailed();
    return kPortIoError;
  }
  return kPortOk;
}

void TTtyPort::Pump() {
  uint8_t buffer[512];
  for (;;) {
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      MarkFailed();
      return;
    }
    if (fds[1].revents != 0) return;
    if (fds[0].revents & POLLIN) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n > 0) {
        Deliver(buffer, static_cast<size_t>(n));
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      MarkFailed();
      return;
    }
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      MarkFailed();
      return;
    }
  }
}
