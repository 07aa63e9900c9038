// The adapter's receiver without its thread: the bytes of successive port reads go through one
// frame decoder as TAdapter::ReceiverLoop feeds them, and every completed frame is taken as
// TAdapter::HandleFrame takes it. The first input byte chooses the sizes of the reads (1 to 255
// bytes, what one read into the receiver's buffer returns); the rest is the line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "link/adapter_frame.h"
#include "link/lan_msg.h"

namespace {

constexpr uint32_t kReadBuffer = 255;

bool SameFrame(const TAdapterFrame& a, const TAdapterFrame& b) {
  return a.Type == b.Type && a.N == b.N && a.Count == b.Count && a.Fault == b.Fault &&
         std::ranges::equal(a.View(), b.View());
}

// A sound frame, sent again, arrives as the same frame.
void CheckResent(const TAdapterFrame& frame) {
  const auto wire = EncodeAdapterFrame(frame.Type, frame.View());
  FuzzCheck(wire.has_value(), "a received frame fits an adapter frame");
  TFrameDecoder decoder;
  TAdapterFrame again;
  bool complete = false;
  for (const uint8_t byte : wire->View()) complete = decoder.Feed(byte, again);
  FuzzCheck(complete && again.Fault == TFrameFault::None && again.Type == frame.Type &&
                again.N == frame.Count && std::ranges::equal(again.View(), frame.View()),
            "a sound frame encoded again decodes to itself");
}

void Take(const TAdapterFrame& frame) {
  FuzzCheck(frame.Count <= kMaxFramePayload, "a frame keeps at most 17 payload bytes");
  const int error = AdapterErrorFor(frame.Fault);
  FuzzCheck(error == -1 || error == 6 || error == 8, "a frame fault is adapter error 6 or 8");
  if (frame.Fault != TFrameFault::None) return;
  CheckResent(frame);
  if (frame.Type != kFrameFromBus) return;
  TLanMsg msg;
  if (ParseFrame(frame.View(), msg)) {
    FuzzCheck(msg.Length <= kMaxMsgData, "a bus message holds at most 14 data bytes");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> line(data + 1, size - 1);

  uint32_t state = data[0];
  TFrameDecoder receiver;
  TAdapterFrame frame;
  std::vector<TAdapterFrame> frames;
  for (size_t pos = 0; pos < line.size();) {
    state = state * 1103515245u + 12345u;
    const size_t read = 1 + (state >> 16) % kReadBuffer;
    const size_t end = std::min(line.size(), pos + read);
    for (; pos < end; ++pos) {
      if (receiver.Feed(line[pos], frame)) {
        Take(frame);
        frames.push_back(frame);
      }
    }
  }

  // However the port cut the line, the frames are those of the line in one piece.
  TFrameDecoder whole;
  size_t next = 0;
  for (const uint8_t byte : line) {
    if (!whole.Feed(byte, frame)) continue;
    FuzzCheck(next < frames.size() && SameFrame(frame, frames[next]),
              "the frames do not depend on how the line was read");
    ++next;
  }
  FuzzCheck(next == frames.size(), "the frames do not depend on how the line was read");
  return 0;
}
