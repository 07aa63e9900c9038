// ParseFrame over any bytes: the bus frame inside a received adapter frame comes from the line.
// What it accepts must be a message the program can carry, and a message it accepts that the
// builder can put on the bus again must parse back to itself.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "link/lan_msg.h"

namespace {

bool SameMessage(const TLanMsg& a, const TLanMsg& b) {
  return a.IsAnswer == b.IsAnswer && a.AnswerRequested == b.AnswerRequested &&
         a.Source == b.Source && a.Dest == b.Dest && a.Command == b.Command &&
         a.Length == b.Length && a.Data == b.Data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  TLanMsg msg;
  if (!ParseFrame(bytes, msg)) return 0;
  FuzzCheck(msg.Source <= kMaxBusAddr && msg.Dest <= kMaxBusAddr, "addresses are 0..31");
  FuzzCheck(msg.Command <= kMaxCommand, "a command is 0..127");
  FuzzCheck(msg.Length <= kMaxMsgData && msg.Length <= size, "the data lie inside the frame");
  for (size_t i = msg.Length; i < msg.Data.size(); ++i) {
    FuzzCheck(msg.Data[i] == 0, "no byte beyond the message's length");
  }
  (void)ModuleName(msg.Source);
  (void)ModuleName(msg.Dest);

  TBusFrame frame;
  if (!BuildFrame(msg, frame)) return 0;
  TLanMsg again;
  FuzzCheck(ParseFrame(frame.View(), again) && SameMessage(again, msg),
            "a parsed message built again parses to itself");
  return 0;
}
