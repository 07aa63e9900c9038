#include "link/adapter_frame.h"

bool IsAcknowledgement(uint8_t frameType) {
  switch (frameType) {
    case 0x01:
    case 0x17:
    case 0x21:
    case 0x2B:
    case 0x2C:
      return true;
    default:
      return false;
  }
}

namespace {

void PutEscaped(TWireFrame& wire, uint8_t byte) {
  if (byte == kFrameEscape) {
    wire.Bytes[wire.Size++] = kFrameEscape;
    wire.Bytes[wire.Size++] = 0x00;
  } else if (byte == kFrameTerminator) {
    wire.Bytes[wire.Size++] = kFrameEscape;
    wire.Bytes[wire.Size++] = static_cast<uint8_t>(kFrameTerminator - kFrameEscape);
  } else {
    wire.Bytes[wire.Size++] = byte;
  }
}

}  // namespace

std::optional<TWireFrame> EncodeAdapterFrame(uint8_t frameType, std::span<const uint8_t> payload) {
  if (payload.size() > kMaxFramePayload) return std::nullopt;
  TWireFrame wire;
  const auto n = static_cast<uint8_t>(payload.size());
  uint8_t sum = static_cast<uint8_t>(frameType + n);
  for (auto it = payload.rbegin(); it != payload.rend(); ++it) {
    sum = static_cast<uint8_t>(sum + *it);
    PutEscaped(wire, *it);
  }
  PutEscaped(wire, n);
  PutEscaped(wire, frameType);
  PutEscaped(wire, static_cast<uint8_t>(-sum));
  wire.Bytes[wire.Size++] = kFrameTerminator;
  return wire;
}

int AdapterErrorFor(TFrameFault fault) {
  switch (fault) {
    case TFrameFault::TooLong:
      return 8;
    case TFrameFault::BadLength:
    case TFrameFault::BadChecksum:
      return 6;
    default:
      return -1;
  }
}

bool TFrameDecoder::Feed(uint8_t byte, TAdapterFrame& frame) {
  if (byte == kFrameTerminator) {
    Complete(frame);
    return true;
  }
  if (afterEscape_) {
    stack_.Pop();
    stack_.Push(static_cast<uint8_t>(kFrameEscape + byte));
    // The second byte of an escaped pair never starts a new escape.
    afterEscape_ = false;
  } else {
    stack_.Push(byte);
    afterEscape_ = byte == kFrameEscape;
  }
  return false;
}

void TFrameDecoder::Reset() {
  stack_.Clear();
  afterEscape_ = false;
}

void TFrameDecoder::Complete(TAdapterFrame& frame) {
  frame = {};
  if (stack_.Size() < 3) {
    frame.Fault = TFrameFault::TooShort;
    Reset();
    return;
  }
  const uint8_t checksum = stack_.Pop();
  frame.Type = stack_.Pop();
  frame.N = stack_.Pop();
  uint8_t sum = static_cast<uint8_t>(checksum + frame.Type + frame.N);
  const bool lengthExempt = frame.Type == kFrameStatus;
  const bool badLength =
      !lengthExempt && (frame.N < kMinFramePayload || frame.N > kMaxFramePayload);

  while (!stack_.IsEmpty()) {
    if (frame.Count == kMaxFramePayload) {
      frame.Fault = TFrameFault::TooLong;
      Reset();
      return;
    }
    const uint8_t byte = stack_.Pop();
    sum = static_cast<uint8_t>(sum + byte);
    frame.Payload[frame.Count++] = byte;
  }
  Reset();

  if (badLength) {
    frame.Fault = TFrameFault::BadLength;
  } else if (sum != 0) {
    frame.Fault = TFrameFault::BadChecksum;
  } else if (!lengthExempt && frame.Count != frame.N) {
    frame.Fault = TFrameFault::CountMismatch;
  }
}
