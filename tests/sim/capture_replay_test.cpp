#include "sim/capture_replay.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <thread>

namespace {

TCaptureRecord Record(int64_t timeUs, TCaptureDirection direction, std::vector<uint8_t> wire) {
  return {timeUs, direction, std::move(wire)};
}

const std::vector<uint8_t> kAck = {0x00, 0x01, 0xFF, 0x0D};
const std::vector<uint8_t> kArmed = {0x60, 0x12, 0x02, 0x19, 0x73, 0x0D};

// Only the adapter's frames are played, at their offsets from the capture's first frame; a
// frame stamped before the one ahead of it goes out right after it.
TEST(CaptureReplay, SchedulesTheAdaptersFramesAtTheirRecordedOffsets) {
  const std::vector<TCaptureRecord> records = {
      Record(5'000'000, TCaptureDirection::ToAdapter, {0x81, 0x10, 0x08, 0x03, 0x16, 0x4E, 0x0D}),
      Record(5'004'000, TCaptureDirection::FromAdapter, kAck),
      Record(5'250'000, TCaptureDirection::FromAdapter, kArmed),
      Record(5'100'000, TCaptureDirection::FromAdapter, kAck),
  };
  const auto due = TCaptureReplay::Schedule(records);
  ASSERT_EQ(due.size(), 3u);
  EXPECT_EQ(due[0].At, std::chrono::microseconds(4'000));
  EXPECT_EQ(due[0].Record, &records[1]);
  EXPECT_EQ(due[1].At, std::chrono::microseconds(250'000));
  EXPECT_EQ(due[2].At, std::chrono::microseconds(250'000));
  EXPECT_TRUE(TCaptureReplay::Schedule({}).empty());
}

// A program that opens the terminal reads the recorded frames, byte for byte, in order.
TEST(CaptureReplay, PlaysTheFramesToTheProgramThatOpensTheTerminal) {
  TCaptureReplay replay({Record(0, TCaptureDirection::FromAdapter, kArmed),
                         Record(20'000, TCaptureDirection::FromAdapter, kAck)});
  QString error;
  ASSERT_TRUE(replay.Open(&error)) << error.toStdString();
  int stop[2];
  ASSERT_EQ(::pipe(stop), 0);
  bool finished = false;
  std::thread server([&] { replay.Serve(stop[0], [&finished] { finished = true; }); });

  const int program = ::open(replay.SlavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  ASSERT_GE(program, 0);
  std::vector<uint8_t> received;
  const size_t expected = kArmed.size() + kAck.size();
  while (received.size() < expected) {
    pollfd fd{program, POLLIN, 0};
    if (::poll(&fd, 1, 5000) <= 0) break;
    uint8_t buffer[64];
    const ssize_t n = ::read(program, buffer, sizeof buffer);
    if (n <= 0) break;
    received.insert(received.end(), buffer, buffer + n);
  }
  std::vector<uint8_t> frames = kArmed;
  frames.insert(frames.end(), kAck.begin(), kAck.end());
  EXPECT_EQ(received, frames);

  ASSERT_EQ(::write(stop[1], "x", 1), 1);
  server.join();
  EXPECT_TRUE(finished);
  for (const int fd : {program, stop[0], stop[1]}) ::close(fd);
}

}  // namespace
