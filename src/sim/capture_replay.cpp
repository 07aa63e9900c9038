#include "sim/capture_replay.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "sim/pty_server.h"

TCaptureReplay::TCaptureReplay(std::vector<TCaptureRecord> records)
    : records_(std::move(records)) {}

TCaptureReplay::~TCaptureReplay() {
  for (const int fd : {slave_, master_}) {
    if (fd >= 0) ::close(fd);
  }
}

bool TCaptureReplay::Open(QString* error) {
  TRawPty pty;
  const bool opened = OpenRawPty(pty, error);
  master_ = pty.Master;
  slave_ = pty.Slave;
  slavePath_ = pty.SlavePath;
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

void TCaptureReplay::Write(const std::vector<uint8_t>& bytes) {
  const uint8_t* at = bytes.data();
  size_t count = bytes.size();
  while (count > 0) {
    const ssize_t n = ::write(master_, at, count);
    if (n > 0) {
      at += n;
      count -= static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // A program that does not read loses frames, as it would on a real line.
    return;
  }
}

bool TCaptureReplay::Serve(int stopFd, const std::function<void()>& onFinished) {
  using TClock = std::chrono::steady_clock;
  const std::vector<TDue> due = Schedule(records_);
  size_t next = 0;
  bool started = false;
  bool finished = false;
  TClock::time_point start;
  for (;;) {
    int timeoutMs = -1;
    if (started && next < due.size()) {
      const auto wait =
          std::chrono::ceil<std::chrono::milliseconds>(start + due[next].At - TClock::now());
      timeoutMs = static_cast<int>(std::max<int64_t>(wait.count(), 0));
    }
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {master_, POLLIN, 0}};
    if (::poll(fds, 2, timeoutMs) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (fds[0].revents != 0) return true;
    if (fds[1].revents & POLLIN) {
      if (!DrainFromPc()) return false;
      if (!started) {
        started = true;
        start = TClock::now();
      }
    }
    while (started && next < due.size() && start + due[next].At <= TClock::now()) {
      Write(due[next].Record->Wire);
      ++next;
    }
    if (started && next == due.size() && !finished) {
      finished = true;
      if (onFinished) onFinished();
    }
  }
}
