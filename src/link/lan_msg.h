#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <span>

constexpr int kBroadcastAddr = 0;
constexpr int kPcAddr = 1;
constexpr int kMainModuleAddr = 2;
constexpr int kMaxBusAddr = 31;
constexpr int kMaxCommand = 127;
constexpr int kMaxMsgData = 14;
// Longest bus frame: the three-byte addressed header and 14 data bytes.
constexpr int kMaxBusFrame = 17;
// The broadcast form has no length field, so an encoder may only put two data bytes there
// and keep the message as short as the addressed one it replaces.
constexpr int kMaxBroadcastBuildData = 2;

// One message on the system's bus.
class TLanMsg {
 public:
  TLanMsg() = default;
  TLanMsg(const TLanMsg&) = default;
  TLanMsg& operator=(const TLanMsg&) = default;
  virtual ~TLanMsg() = default;

  // Journal entries derive from this and also copy their text.
  virtual void Assign(const TLanMsg& from);

  uint8_t FirstByte() const { return Data[0]; }
  uint16_t FirstWord() const { return static_cast<uint16_t>(Data[0] + 256 * Data[1]); }
  std::span<const uint8_t> Payload() const { return {Data.data(), Length}; }

  uint8_t IsAnswer = 0;
  uint8_t AnswerRequested = 0;
  uint8_t Source = 0;
  uint8_t Dest = 0;
  uint8_t Command = 0;
  std::array<uint8_t, kMaxMsgData> Data{};
  uint8_t Length = 0;
};

// A bus frame as it travels inside an adapter frame.
struct TBusFrame {
  std::array<uint8_t, kMaxBusFrame> Bytes{};
  uint8_t Size = 0;

  std::span<const uint8_t> View() const { return {Bytes.data(), Size}; }
};

// Encodes a message as a bus frame; fails for addresses, commands or data lengths the form
// cannot carry.
bool BuildFrame(const TLanMsg& msg, TBusFrame& frame);

// Decodes a bus frame. Fails (leaving the fields decoded so far) for frames too short for
// their header, addressed frames announcing more than 14 data bytes or more than the frame
// holds, and broadcast frames longer than 16 bytes.
bool ParseFrame(std::span<const uint8_t> frame, TLanMsg& msg);

// Does `msg` answer the pending request `request`?
bool MatchesPending(const TLanMsg& request, const TLanMsg& msg);

// A message with its header and the first kMaxMsgData bytes of `data`.
TLanMsg MakeMsg(uint8_t source, uint8_t dest, bool isAnswer, bool answerRequested,
                std::span<const uint8_t> data, uint8_t command);

// Names of bus addresses 0..31, then the eight relay labels at 32..39.
inline constexpr int kModuleNameCount = 40;
extern const std::array<const char*, kModuleNameCount> ModuleNames;
// The name for an index of ModuleNames; the empty text outside the table.
QString ModuleName(int index);
