// The journal's decoder over any bus traffic: the input is a run of bus frames, each a length
// byte (taken modulo 32, so frames too long for the bus come too) and that many bytes. Every
// frame the link would accept becomes a journal entry and is decoded in arrival order by one
// decoder, as the journal does, since the decoder remembers the main module's last mode.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "journal/log_data.h"
#include "journal/message_decoder.h"
#include "link/lan_msg.h"

namespace {

class TPresenceHost : public IDecoderHost {
 public:
  void MarkModulePresent(int address) override {
    FuzzCheck(address >= 0 && address <= kMaxBusAddr, "a present module has a bus address");
  }
};

constexpr size_t kLengthRange = 32;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TPresenceHost host;
  TMessageDecoder decoder(&host);
  for (size_t pos = 0; pos < size;) {
    const size_t length = std::min<size_t>(data[pos] % kLengthRange, size - pos - 1);
    const std::span<const uint8_t> frame(data + pos + 1, length);
    pos += 1 + length;

    TLanMsg msg;
    if (!ParseFrame(frame, msg)) continue;
    TLogData entry;
    entry.Assign(msg);
    (void)decoder.DecodeEntry(entry);
  }
  return 0;
}
