#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "link/bus_capture.h"
#include "link/lan_msg.h"

class TLogger;

// A bus message of a capture with the time it was recorded.
struct TCapturedMessage {
  TLanMsg Msg;
  int64_t TimeUs = 0;
};

// The messages of a capture that the live journal would have been given: the modules'
// messages, less the answers the link took for the PC's pending requests, which never reach
// the journal while the link runs either.
std::vector<TCapturedMessage> CapturedMessages(std::span<const TCaptureRecord> records);

// The journal of a capture: its messages decoded in order, as they arrived, stamped with the
// times they were recorded. It holds the whole capture, however long.
std::unique_ptr<TLogger> CaptureJournal(std::span<const TCaptureRecord> records);

// The local time of day of a recorded time, as a fraction of a day, as the journal keeps it.
double CaptureTimeOfDay(int64_t timeUs);
