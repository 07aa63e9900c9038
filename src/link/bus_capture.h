#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

// Bus captures: every adapter frame that crossed the link, with its time and direction, in
// libpcap's savefile format, so that the usual capture tools can cut, merge and time-filter
// them. Each record is one adapter frame: a direction byte, then the frame's wire bytes as
// they went over the line (escaped, with the terminator), so that a capture replays byte for
// byte. The layout is described in docs/bus_capture.md.

// Which way a frame went.
enum class TCaptureDirection : uint8_t {
  ToAdapter = 0,    // written by the PC
  FromAdapter = 1,  // read from the adapter: the modules' messages, acknowledgements, status
};

struct TCaptureRecord {
  int64_t TimeUs = 0;  // microseconds since 1970-01-01 UTC
  TCaptureDirection Direction = TCaptureDirection::FromAdapter;
  std::vector<uint8_t> Wire;
};

// The link type of the records: the first of the link types libpcap keeps for private use.
inline constexpr uint32_t kCaptureLinkType = 147;
// No adapter frame is longer than this on the wire; a longer record is damage.
inline constexpr uint32_t kMaxCaptureRecord = 256;

// The savefile bytes: the file header, then one record per frame.
QByteArray CaptureFileHeader();
QByteArray CaptureRecordBytes(const TCaptureRecord& record);

struct TCaptureFile {
  std::vector<TCaptureRecord> Records;
  // Empty when the whole file was read. A capture cut short (the program stopped while it
  // was writing) keeps the records before the cut and says so here.
  QString Error;
  bool Usable() const { return Error.isEmpty() || !Records.empty(); }
};

// Reads a savefile of our link type, in either byte order, with micro- or nanosecond times.
TCaptureFile ParseCapture(const QByteArray& bytes);
TCaptureFile ReadCapture(const QString& fileName);

// Cuts the bytes read from the adapter into whole frames at their terminators; a frame that
// grows beyond any adapter frame is passed on as it is, so that garbage cannot grow memory.
class TWireSplitter {
 public:
  void Feed(std::span<const uint8_t> bytes,
            const std::function<void(std::span<const uint8_t>)>& onFrame);

 private:
  std::vector<uint8_t> frame_;
};

// Writes a capture while the link runs. Frames come from the receiver thread and from
// whichever thread sends; each record is written out at once, so that a capture that is cut
// short (power lost in the car) keeps every frame before the cut.
class TCaptureWriter {
 public:
  using TClock = std::function<int64_t()>;

  explicit TCaptureWriter(TClock clock = {});
  TCaptureWriter(const TCaptureWriter&) = delete;
  TCaptureWriter& operator=(const TCaptureWriter&) = delete;

  // Creates (or replaces) the file and writes the file header; false with the reason.
  bool Open(const QString& fileName, QString* error);
  void Write(TCaptureDirection direction, std::span<const uint8_t> wire);
  // False when a write failed since the file was opened (a full disk), with the reason.
  bool Ok(QString* error = nullptr) const;
  int RecordCount() const;
  QString FileName() const;
  void Close();

 private:
  TClock clock_;
  mutable std::mutex mutex_;
  QFile file_;
  QString error_;
  int records_ = 0;
};

// Microseconds since 1970 now, from the system clock.
int64_t CaptureTimeNow();
