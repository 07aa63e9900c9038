#include "sim/capture_replay.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "sim/pty_server.h"

TCaptureReplay::TCaptureReplay(std::vector<TCaptureRecord> records)
    : records_(std::move(records)) {}

TCaptureReplay::~TCaptureReplay() {
  for (const int fd : {inotify_, slave_, master_}) {
    if (fd >= 0) ::close(fd);
  }
}

bool TCaptureReplay::Open(QString* error) {
  TRawPty pty;
  const bool opened = OpenRawPty(pty, error);
  master_ = pty.Master;
  slave_ = pty.Slave;
  slavePath_ = pty.SlavePath;
  if (!opened) return false;
  inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotify_ >= 0 &&
      ::inotify_add_watch(inotify_, slavePath_.toLocal8Bit().constData(), IN_OPEN) < 0) {
    ::close(inotify_);
    inotify_ = -1;
  }
  return true;
}

bool TCaptureReplay::ClientOpened() {
  alignas(inotify_event) std::array<char, 4096> buffer{};
  bool opened = false;
  for (;;) {
    const ssize_t n = ::read(inotify_, buffer.data(), buffer.size());
    if (n <= 0) break;
    for (ssize_t offset = 0; offset < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
      opened = opened || (event->mask & IN_OPEN) != 0;
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  return opened;
}

std::vector<TCaptureReplay::TDue> TCaptureReplay::Schedule(
    const std::vector<TCaptureRecord>& records) {
  std::vector<TDue> due;
  if (records.empty()) return due;
  // The capture starts with the program's first frame, as the playback does.
  const int64_t start = records.front().TimeUs;
  int64_t last = 0;
  for (const TCaptureRecord& record : records) {
    if (record.Direction != TCaptureDirection::FromAdapter) continue;
    // A capture merged from pieces may step back in time; such a frame goes out at once.
    last = std::max(last, record.TimeUs - start);
    due.push_back({std::chrono::microseconds(last), &record});
  }
  return due;
}

bool TCaptureReplay::DrainFromPc() {
  std::array<uint8_t, 512> buffer{};
  for (;;) {
    const ssize_t n = ::read(master_, buffer.data(), buffer.size());
    if (n > 0) continue;
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && errno == EAGAIN;
  }
}

bool TCaptureReplay::Serve(int stopFd, const std::function<void()>& onFinished) {
  using TClock = std::chrono::steady_clock;
  const std::vector<TDue> due = Schedule(records_);
  size_t next = 0;
  bool started = false;
  bool finished = false;
  TClock::time_point start;
  const auto startNow = [&] {
    if (started) return;
    started = true;
    start = TClock::now();
  };
  // Without notice of clients the playback cannot wait for one.
  if (inotify_ < 0) startNow();
  for (;;) {
    int timeoutMs = -1;
    if (started && next < due.size()) {
      const auto wait =
          std::chrono::ceil<std::chrono::milliseconds>(start + due[next].At - TClock::now());
      timeoutMs = static_cast<int>(std::max<int64_t>(wait.count(), 0));
    }
    pollfd fds[3] = {{stopFd, POLLIN, 0}, {master_, POLLIN, 0}, {inotify_, POLLIN, 0}};
    if (::poll(fds, inotify_ >= 0 ? 3 : 2, timeoutMs) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (fds[0].revents != 0) return true;
    if (fds[1].revents & POLLIN) {
      if (!DrainFromPc()) return false;
      startNow();
    }
    if (inotify_ >= 0 && (fds[2].revents & POLLIN) && ClientOpened()) startNow();
    while (started && next < due.size() && start + due[next].At <= TClock::now()) {
      WriteToPty(master_, due[next].Record->Wire.data(), due[next].Record->Wire.size());
      ++next;
    }
    if (started && next == due.size() && !finished) {
      finished = true;
      if (onFinished) onFinished();
    }
  }
}
