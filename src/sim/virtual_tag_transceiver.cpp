#include "sim/virtual_tag_transceiver.h"

#include <array>

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kTemperature = 125;
constexpr uint8_t kDegrees = 22;

constexpr std::array<TLiveStream, 1> kStreams = {{{0, 10000ms, 2500ms}}};

}  // namespace

TVirtualTagTransceiver::TVirtualTagTransceiver(const TVirtualModuleSpec& desc)
    : TVirtualModule(desc) {}

std::span<const TLiveStream> TVirtualTagTransceiver::LiveStreams() const {
  return kStreams;
}

void TVirtualTagTransceiver::Talk(int, std::vector<TLanMsg>& out) {
  out.push_back(Message(kBroadcastAddr, kTemperature, {kDegrees}));
}
