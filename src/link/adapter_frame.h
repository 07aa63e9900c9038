#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "link/small_stack.h"

// Frame types between the PC and the adapter.
constexpr uint8_t kFrameToBus = 0x16;
constexpr uint8_t kFrameFromBus = 0x19;
constexpr uint8_t kFrameStatus = 0x13;
bool IsAcknowledgement(uint8_t frameType);

constexpr uint8_t kFrameTerminator = 0x0D;
constexpr uint8_t kFrameEscape = 0x40;
// An adapter frame carries at most one bus frame: 2..17 payload bytes.
constexpr int kMinFramePayload = 2;
constexpr int kMaxFramePayload = 17;
// Payload, N, type and checksum all escaped, then the terminator.
constexpr int kMaxWireFrame = 2 * (kMaxFramePayload + 3) + 1;

struct TWireFrame {
  std::array<uint8_t, kMaxWireFrame> Bytes{};
  uint8_t Size = 0;

  std::span<const uint8_t> View() const { return {Bytes.data(), Size}; }
};

// The wire bytes of one adapter frame: payload reversed, N, type, two's-complement checksum,
// 0x40 and 0x0D escaped, terminator. Empty for a payload longer than 17 bytes.
std::optional<TWireFrame> EncodeAdapterFrame(uint8_t frameType, std::span<const uint8_t> payload);

// What a completed frame failed, most serious first.
enum class TFrameFault {
  None,
  TooShort,       // fewer than three bytes before the terminator: no meaning, discarded
  TooLong,        // more than 17 payload bytes (adapter error 8)
  BadLength,      // N outside 2..17 (adapter error 6)
  BadChecksum,    // the unescaped bytes do not sum to 0 (adapter error 6)
  CountMismatch,  // N differs from the payload bytes received (no error number)
};

// Adapter error number for a fault, or -1 when the fault is not reported.
int AdapterErrorFor(TFrameFault fault);

struct TAdapterFrame {
  uint8_t Type = 0;
  uint8_t N = 0;
  std::array<uint8_t, kMaxFramePayload> Payload{};
  uint8_t Count = 0;  // payload bytes actually received
  TFrameFault Fault = TFrameFault::None;

  std::span<const uint8_t> View() const { return {Payload.data(), Count}; }
};

// Receive state machine: fed the raw bytes from the adapter one at a time, it completes a
// frame at every terminator.
class TFrameDecoder {
 public:
  // True when `byte` was a terminator; `frame` then holds the frame and its fault.
  bool Feed(uint8_t byte, TAdapterFrame& frame);
  void Reset();

 private:
  void Complete(TAdapterFrame& frame);

  TSmallStack stack_;
  bool afterEscape_ = false;
};
