#include "sim/virtual_gsm_module.h"

#include <algorithm>

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kState = 3;
constexpr uint8_t kFirstTimer = 64;
// State bytes: powered and registered in the network; connected to the server (bit 5).
constexpr uint8_t kPowerMode = 0x41;
constexpr uint8_t kServerConnected = 0x20;

constexpr std::array<TLiveStream, 1> kStreams = {{{0, 5000ms, 1500ms}}};

}  // namespace

TVirtualGsmModule::TVirtualGsmModule(const TVirtualModuleSpec& desc) : TVirtualModule(desc) {}

std::span<const TLiveStream> TVirtualGsmModule::LiveStreams() const {
  return kStreams;
}

void TVirtualGsmModule::FillState(TLanMsg& answer) const {
  answer.Length = 2;
  answer.Data[0] = kPowerMode;
  answer.Data[1] = kServerConnected;
}

void TVirtualGsmModule::Talk(int, std::vector<TLanMsg>& out) {
  TLanMsg state = Message(kBroadcastAddr, kState, {});
  FillState(state);
  out.push_back(state);
}

void TVirtualGsmModule::Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  const bool request = msg.Dest == Address() && !msg.IsAnswer;
  if (!request || msg.Command < kFirstTimer || msg.Command >= kFirstTimer + timers_.size()) {
    TVirtualModule::Handle(msg, replies);
    return;
  }
  auto& timer = timers_[msg.Command - kFirstTimer];
  if (msg.Length >= timer.size()) std::copy_n(msg.Data.begin(), timer.size(), timer.begin());
  if (msg.AnswerRequested) replies.push_back(Answer(msg, timer));
}
