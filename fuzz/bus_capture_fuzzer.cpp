// A bus capture over any bytes: captures come from other people's machines and from tools that
// cut and merge them. Reading must keep within the file, take only records of our size and
// directions, and a capture written again from what was read must read back the same.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "journal/capture_journal.h"
#include "journal/logger.h"
#include "link/bus_capture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const TCaptureFile read = ParseCapture(bytes);
  QByteArray again = CaptureFileHeader();
  for (const TCaptureRecord& record : read.Records) {
    FuzzCheck(record.Wire.size() < kMaxCaptureRecord, "a record fits the snapshot length");
    FuzzCheck(record.Direction == TCaptureDirection::ToAdapter ||
                  record.Direction == TCaptureDirection::FromAdapter,
              "a record goes one of the two ways");
    again += CaptureRecordBytes(record);
  }
  FuzzCheck(read.Usable() == (read.Error.isEmpty() || !read.Records.empty()),
            "a damaged capture is usable only with records");
  const TCaptureFile reread = ParseCapture(again);
  FuzzCheck(reread.Error.isEmpty() && reread.Records.size() == read.Records.size(),
            "what was read writes back whole");
  for (size_t i = 0; i < read.Records.size(); ++i) {
    FuzzCheck(reread.Records[i].Wire == read.Records[i].Wire &&
                  reread.Records[i].Direction == read.Records[i].Direction,
              "what was read reads back the same");
  }
  // Whatever the frames hold, the journal of the capture decodes them.
  (void)CaptureJournal(read.Records)->ExportLines(true);
  return 0;
}
