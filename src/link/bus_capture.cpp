#include "link/bus_capture.h"

#include <QFileInfo>
#include <chrono>

#include "link/adapter_frame.h"

namespace {

constexpr uint32_t kMagicMicroseconds = 0xA1B2C3D4;
constexpr uint32_t kMagicNanoseconds = 0xA1B23C4D;
constexpr uint16_t kVersionMajor = 2;
constexpr uint16_t kVersionMinor = 4;
constexpr int kFileHeaderSize = 24;
constexpr int kRecordHeaderSize = 16;
constexpr int64_t kMicrosecondsPerSecond = 1000000;

void PutLittle(QByteArray& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Reads whole numbers of a savefile in the byte order its magic number gave.
class TReader {
 public:
  explicit TReader(const QByteArray& bytes) : bytes_(bytes) {}

  bool Has(qsizetype count) const { return bytes_.size() - at_ >= count; }
  qsizetype At() const { return at_; }
  // Reads again from the start, in the other byte order.
  void RestartSwapped() {
    at_ = 0;
    swapped_ = true;
  }

  uint32_t Take32() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const auto byte = static_cast<uint32_t>(static_cast<uint8_t>(bytes_[at_ + i]));
      value |= swapped_ ? byte << (8 * (3 - i)) : byte << (8 * i);
    }
    at_ += 4;
    return value;
  }
  uint16_t Take16() {
    const auto b0 = static_cast<uint8_t>(bytes_[at_]);
    const auto b1 = static_cast<uint8_t>(bytes_[at_ + 1]);
    at_ += 2;
    return static_cast<uint16_t>(swapped_ ? (b0 << 8) | b1 : (b1 << 8) | b0);
  }
  std::span<const uint8_t> Take(qsizetype count) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes_.constData()) + at_;
    at_ += count;
    return {data, static_cast<size_t>(count)};
  }

 private:
  const QByteArray& bytes_;
  qsizetype at_ = 0;
  bool swapped_ = false;
};

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

int64_t CaptureTimeNow() {
  using namespace std::chrono;
  return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

QByteArray CaptureFileHeader() {
  QByteArray out;
  PutLittle(out, kMagicMicroseconds, 4);
  PutLittle(out, kVersionMajor, 2);
  PutLittle(out, kVersionMinor, 2);
  PutLittle(out, 0, 4);  // the times are UTC
  PutLittle(out, 0, 4);  // accuracy of the times: not stated
  PutLittle(out, kMaxCaptureRecord, 4);
  PutLittle(out, kCaptureLinkType, 4);
  return out;
}

QByteArray CaptureRecordBytes(const TCaptureRecord& record) {
  const auto length = static_cast<uint32_t>(record.Wire.size() + 1);
  QByteArray out;
  out.reserve(kRecordHeaderSize + static_cast<qsizetype>(length));
  PutLittle(out, static_cast<uint32_t>(record.TimeUs / kMicrosecondsPerSecond), 4);
  PutLittle(out, static_cast<uint32_t>(record.TimeUs % kMicrosecondsPerSecond), 4);
  PutLittle(out, length, 4);
  PutLittle(out, length, 4);
  out.append(static_cast<char>(record.Direction));
  out.append(reinterpret_cast<const char*>(record.Wire.data()),
             static_cast<qsizetype>(record.Wire.size()));
  return out;
}

TCaptureFile ParseCapture(const QByteArray& bytes) {
  TCaptureFile result;
  TReader reader(bytes);
  if (!reader.Has(kFileHeaderSize)) {
    result.Error = Text("файл слишком короток для записи трафика");
    return result;
  }
  uint32_t magic = reader.Take32();
  if (magic != kMagicMicroseconds && magic != kMagicNanoseconds) {
    reader.RestartSwapped();
    magic = reader.Take32();
    if (magic != kMagicMicroseconds && magic != kMagicNanoseconds) {
      result.Error = Text("это не запись трафика (не формат pcap)");
      return result;
    }
  }
  const bool nanoseconds = magic == kMagicNanoseconds;
  const uint16_t major = reader.Take16();
  reader.Take16();
  reader.Take32();
  reader.Take32();
  reader.Take32();
  const uint32_t linkType = reader.Take32() & 0xFFFF;
  if (major != kVersionMajor) {
    result.Error = Text("неизвестная версия формата pcap: %1").arg(major);
    return result;
  }
  if (linkType != kCaptureLinkType) {
    result.Error = Text("запись другого вида трафика (тип канала %1, ожидается %2)")
                       .arg(linkType)
                       .arg(kCaptureLinkType);
    return result;
  }
  while (reader.Has(1)) {
    const qsizetype recordAt = reader.At();
    if (!reader.Has(kRecordHeaderSize)) {
      result.Error = Text("запись обрывается на байте %1").arg(recordAt);
      break;
    }
    const uint32_t seconds = reader.Take32();
    const uint32_t fraction = reader.Take32();
    const uint32_t included = reader.Take32();
    reader.Take32();
    if (included < 1 || included > kMaxCaptureRecord ||
        fraction >= (nanoseconds ? 1000000000U : 1000000U)) {
      result.Error = Text("повреждённая запись кадра на байте %1").arg(recordAt);
      break;
    }
    if (!reader.Has(included)) {
      result.Error = Text("запись обрывается на байте %1").arg(recordAt);
      break;
    }
    const auto data = reader.Take(included);
    if (data[0] > static_cast<uint8_t>(TCaptureDirection::FromAdapter)) {
      result.Error = Text("неизвестное направление кадра на байте %1").arg(recordAt);
      break;
    }
    TCaptureRecord record;
    record.TimeUs = static_cast<int64_t>(seconds) * kMicrosecondsPerSecond +
                    (nanoseconds ? fraction / 1000 : fraction);
    record.Direction = static_cast<TCaptureDirection>(data[0]);
    record.Wire.assign(data.begin() + 1, data.end());
    result.Records.push_back(std::move(record));
  }
  return result;
}

TCaptureFile ReadCapture(const QString& fileName) {
  QFile file(fileName);
  if (!QFileInfo(fileName).isFile()) {
    TCaptureFile result;
    result.Error = Text("нет такого файла: %1").arg(fileName);
    return result;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    TCaptureFile result;
    result.Error = Text("не удалось открыть %1: %2").arg(fileName, file.errorString());
    return result;
  }
  return ParseCapture(file.readAll());
}

void TWireSplitter::Feed(std::span<const uint8_t> bytes,
                         const std::function<void(std::span<const uint8_t>)>& onFrame) {
  for (const uint8_t byte : bytes) {
    frame_.push_back(byte);
    if (byte == kFrameTerminator || frame_.size() >= kMaxCaptureRecord - 1) {
      onFrame(frame_);
      frame_.clear();
    }
  }
}

TCaptureWriter::TCaptureWriter(TClock clock)
    : clock_(clock ? std::move(clock) : TClock(CaptureTimeNow)) {}

bool TCaptureWriter::Open(const QString& fileName, QString* error) {
  std::lock_guard lock(mutex_);
  if (file_.isOpen()) file_.close();
  error_.clear();
  records_ = 0;
  file_.setFileName(fileName);
  const QFileInfo info(fileName);
  if (info.exists() && !info.isFile()) {
    if (error) *error = Text("%1: это не обычный файл").arg(fileName);
    return false;
  }
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file_.write(CaptureFileHeader()) != kFileHeaderSize || !file_.flush()) {
    if (error) *error = Text("не удалось записать %1: %2").arg(fileName, file_.errorString());
    file_.close();
    return false;
  }
  return true;
}

void TCaptureWriter::Write(TCaptureDirection direction, std::span<const uint8_t> wire) {
  TCaptureRecord record;
  record.TimeUs = clock_();
  record.Direction = direction;
  record.Wire.assign(wire.begin(), wire.end());
  const QByteArray bytes = CaptureRecordBytes(record);
  std::lock_guard lock(mutex_);
  if (!file_.isOpen() || !error_.isEmpty()) return;
  if (file_.write(bytes) != bytes.size() || !file_.flush()) {
    error_ = file_.errorString();
    return;
  }
  ++records_;
}

bool TCaptureWriter::Ok(QString* error) const {
  std::lock_guard lock(mutex_);
  if (!error_.isEmpty() && error) *error = error_;
  return error_.isEmpty();
}

int TCaptureWriter::RecordCount() const {
  std::lock_guard lock(mutex_);
  return records_;
}

QString TCaptureWriter::FileName() const {
  std::lock_guard lock(mutex_);
  return file_.fileName();
}

void TCaptureWriter::Close() {
  std::lock_guard lock(mutex_);
  file_.close();
}
