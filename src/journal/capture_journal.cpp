#include "journal/capture_journal.h"

#include <QDateTime>
#include <QTime>
#include <algorithm>

#include "journal/logger.h"
#include "link/adapter_frame.h"

namespace {

constexpr double kMicrosecondsPerDay = 24.0 * 60 * 60 * 1000 * 1000;

// The bus message an adapter frame carries, if it carries one unharmed.
bool MessageOf(std::span<const uint8_t> wire, uint8_t frameType, TLanMsg& msg) {
  TFrameDecoder decoder;
  TAdapterFrame frame;
  bool complete = false;
  for (const uint8_t byte : wire) complete = decoder.Feed(byte, frame);
  return complete && frame.Fault == TFrameFault::None && frame.Type == frameType &&
         ParseFrame(frame.View(), msg);
}

}  // namespace

std::vector<TCapturedMessage> CapturedMessages(std::span<const TCaptureRecord> records) {
  std::vector<TCapturedMessage> messages;
  // The PC's last request that asked for an answer, until an answer took it.
  TLanMsg pending;
  bool waiting = false;
  for (const TCaptureRecord& record : records) {
    TLanMsg msg;
    if (record.Direction == TCaptureDirection::ToAdapter) {
      if (MessageOf(record.Wire, kFrameToBus, msg) && msg.AnswerRequested) {
        pending = msg;
        waiting = true;
      }
      continue;
    }
    if (!MessageOf(record.Wire, kFrameFromBus, msg)) continue;
    if (waiting && MatchesPending(pending, msg)) {
      waiting = false;
      continue;
    }
    messages.push_back({msg, record.TimeUs});
  }
  return messages;
}

double CaptureTimeOfDay(int64_t timeUs) {
  const QDateTime local = QDateTime::fromMSecsSinceEpoch(timeUs / 1000);
  return (local.time().msecsSinceStartOfDay() * 1000.0 + static_cast<double>(timeUs % 1000)) /
         kMicrosecondsPerDay;
}

std::unique_ptr<TLogger> CaptureJournal(std::span<const TCaptureRecord> records) {
  const std::vector<TCapturedMessage> messages = CapturedMessages(records);
  // The journal asks its clock when it stamps an entry; here the clock is the record's time.
  auto now = std::make_shared<double>(0);
  auto journal = std::make_unique<TLogger>(std::max<int>(static_cast<int>(messages.size()), 1),
                                           nullptr, [now] { return *now; });
  journal->BeginUpdate();
  for (const TCapturedMessage& message : messages) {
    *now = CaptureTimeOfDay(message.TimeUs);
    journal->Add(message.Msg);
  }
  journal->EndUpdate();
  return journal;
}
