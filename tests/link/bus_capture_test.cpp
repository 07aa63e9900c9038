#include "link/bus_capture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

namespace {

uint32_t Little32(const QByteArray& bytes, int at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  return value;
}

// The presence query of the PC to the main module and an acknowledgement, as on the wire.
const std::vector<uint8_t> kQuery = {0x81, 0x10, 0x08, 0x03, 0x16, 0x4E, 0x0D};
const std::vector<uint8_t> kAck = {0x00, 0x01, 0xFF, 0x0D};

TCaptureRecord Record(int64_t timeUs, TCaptureDirection direction, std::vector<uint8_t> wire) {
  return {timeUs, direction, std::move(wire)};
}

QByteArray TwoRecordFile() {
  return CaptureFileHeader() +
         CaptureRecordBytes(Record(1'700'000'000'123'456, TCaptureDirection::ToAdapter, kQuery)) +
         CaptureRecordBytes(Record(1'700'000'000'124'000, TCaptureDirection::FromAdapter, kAck));
}

// What standard tools read: the libpcap savefile header with microsecond times and our link
// type, records with seconds, microseconds, both lengths, then the direction and the frame.
TEST(BusCapture, WritesTheLibpcapSavefileLayout) {
  const QByteArray file = TwoRecordFile();
  ASSERT_EQ(file.size(), 24 + 16 + 1 + 7 + 16 + 1 + 4);
  EXPECT_EQ(Little32(file, 0), 0xA1B2C3D4u);
  EXPECT_EQ(file.mid(4, 4), QByteArray::fromHex("02000400"));
  EXPECT_EQ(Little32(file, 16), kMaxCaptureRecord);
  EXPECT_EQ(Little32(file, 20), 147u);
  EXPECT_EQ(Little32(file, 24), 1'700'000'000u);
  EXPECT_EQ(Little32(file, 28), 123'456u);
  EXPECT_EQ(Little32(file, 32), 8u);
  EXPECT_EQ(Little32(file, 36), 8u);
  EXPECT_EQ(file[40], char(0));
  EXPECT_EQ(file.mid(41, 7), QByteArray::fromHex("81100803164E0D"));
  EXPECT_EQ(file[48 + 16], char(1));
}

TEST(BusCapture, ReadsBackWhatWasWritten) {
  const TCaptureFile read = ParseCapture(TwoRecordFile());
  EXPECT_TRUE(read.Error.isEmpty()) << read.Error.toStdString();
  ASSERT_EQ(read.Records.size(), 2u);
  EXPECT_EQ(read.Records[0].TimeUs, 1'700'000'000'123'456);
  EXPECT_EQ(read.Records[0].Direction, TCaptureDirection::ToAdapter);
  EXPECT_EQ(read.Records[0].Wire, kQuery);
  EXPECT_EQ(read.Records[1].Direction, TCaptureDirection::FromAdapter);
  EXPECT_EQ(read.Records[1].Wire, kAck);
}

// Tools that rewrite a capture may keep the writer's byte order or give nanosecond times.
TEST(BusCapture, ReadsTheOtherByteOrderAndNanosecondTimes) {
  QByteArray swapped = QByteArray::fromHex(
      "A1B23C4D00020004000000000000000000000100000000"
      "93");
  swapped += QByteArray::fromHex(
      "6553F100"
      "075BCA00"
      "00000002"
      "00000002"
      "0142");
  const TCaptureFile read = ParseCapture(swapped);
  EXPECT_TRUE(read.Error.isEmpty()) << read.Error.toStdString();
  ASSERT_EQ(read.Records.size(), 1u);
  EXPECT_EQ(read.Records[0].TimeUs, 0x6553F100LL * 1'000'000 + 123'456);
  EXPECT_EQ(read.Records[0].Wire, std::vector<uint8_t>{0x42});
}

TEST(BusCapture, DamageKeepsTheRecordsBeforeItAndSaysWhere) {
  const QByteArray whole = TwoRecordFile();
  struct TCase {
    QByteArray Bytes;
    size_t Records;
    bool Usable;
  };
  QByteArray oversized =
      whole.left(24) + whole.mid(24, 8) + QByteArray::fromHex("00100000") + whole.mid(36);
  QByteArray badDirection = whole;
  badDirection[40] = char(7);
  QByteArray otherLink = whole;
  otherLink[20] = char(1);
  const TCase cases[] = {
      {whole.left(whole.size() - 2), 1, true},  // cut inside the last frame
      {whole.left(24 + 10), 0, false},          // cut inside the first record header
      {oversized, 0, false},                    // a length no adapter frame has
      {badDirection, 0, false},
      {otherLink, 0, false},  // an Ethernet capture, say
      {QByteArray("not a capture at all, just text"), 0, false},
      {QByteArray(), 0, false},
  };
  for (const TCase& c : cases) {
    const TCaptureFile read = ParseCapture(c.Bytes);
    EXPECT_FALSE(read.Error.isEmpty()) << c.Bytes.toHex().toStdString();
    EXPECT_EQ(read.Records.size(), c.Records) << c.Bytes.toHex().toStdString();
    EXPECT_EQ(read.Usable(), c.Usable) << c.Bytes.toHex().toStdString();
  }
}

TEST(BusCapture, WriterStampsEachFrameAndKeepsEveryRecordOnDisk) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bus.pcap"));
  int64_t now = 1'000'000;
  TCaptureWriter writer([&now] { return now; });
  QString error;
  ASSERT_TRUE(writer.Open(path, &error)) << error.toStdString();
  writer.Write(TCaptureDirection::ToAdapter, kQuery);
  now += 2500;
  writer.Write(TCaptureDirection::FromAdapter, kAck);
  // Already on disk before the writer closes: a cut-off recording keeps its frames.
  const TCaptureFile read = ReadCapture(path);
  EXPECT_TRUE(read.Error.isEmpty()) << read.Error.toStdString();
  ASSERT_EQ(read.Records.size(), 2u);
  EXPECT_EQ(read.Records[1].TimeUs - read.Records[0].TimeUs, 2500);
  EXPECT_EQ(writer.RecordCount(), 2);
  EXPECT_TRUE(writer.Ok());
  writer.Close();
}

TEST(BusCapture, WriterRefusesADirectory) {
  QTemporaryDir dir;
  TCaptureWriter writer;
  QString error;
  EXPECT_FALSE(writer.Open(dir.path(), &error));
  EXPECT_FALSE(error.isEmpty());
}

// Bytes come from the adapter in whatever pieces the driver hands over.
TEST(BusCapture, SplitterCutsFramesAtTheirTerminators) {
  TWireSplitter splitter;
  std::vector<std::vector<uint8_t>> frames;
  const auto collect = [&frames](std::span<const uint8_t> frame) {
    frames.emplace_back(frame.begin(), frame.end());
  };
  std::vector<uint8_t> stream = kQuery;
  stream.insert(stream.end(), kAck.begin(), kAck.end());
  splitter.Feed(std::span(stream).first(3), collect);
  EXPECT_TRUE(frames.empty());
  splitter.Feed(std::span(stream).subspan(3), collect);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], kQuery);
  EXPECT_EQ(frames[1], kAck);
  // Line noise without a terminator cannot grow without bound.
  const std::vector<uint8_t> noise(1000, 0x55);
  frames.clear();
  splitter.Feed(noise, collect);
  EXPECT_EQ(frames.size(), 1000 / (kMaxCaptureRecord - 1));
  for (const auto& frame : frames) EXPECT_LT(frame.size(), kMaxCaptureRecord);
}

}  // namespace
