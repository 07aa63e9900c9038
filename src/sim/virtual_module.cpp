#include "sim/virtual_module.h"

#include <algorithm>

namespace {

constexpr uint8_t kAccess = 0;
constexpr uint8_t kPresence = 1;
constexpr uint8_t kState = 3;
constexpr uint8_t kReadByte = 85;
constexpr uint8_t kWriteFirst = 80;
constexpr uint8_t kReadFirst = 87;
constexpr uint8_t kAccessRefusedBit = 0x10;

}  // namespace

TVirtualModule::TVirtualModule(const TVirtualModuleSpec& spec) : spec_(spec) {
  for (int loc = 0; loc < kSimLocations; ++loc) {
    memory_[static_cast<size_t>(loc)].assign(spec.Sizes[static_cast<size_t>(loc)], 0);
  }
}

TLanMsg TVirtualModule::Answer(const TLanMsg& request) const {
  TLanMsg answer;
  answer.Source = spec_.Address;
  answer.Dest = request.Source;
  answer.Command = request.Command;
  answer.IsAnswer = 1;
  return answer;
}

void TVirtualModule::Receive(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  if (Silent) return;
  if (msg.Dest != spec_.Address && msg.Dest != kBroadcastAddr) return;
  Handle(msg, replies);
}

void TVirtualModule::Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  if (msg.IsAnswer) return;
  const bool addressed = msg.Dest == spec_.Address;
  if ((msg.Command == kPresence || msg.Command == kState) && msg.AnswerRequested) {
    replies.push_back(Answer(msg));
    return;
  }
  if (!addressed) return;
  if (msg.Command == kAccess && msg.Length == 0 && msg.AnswerRequested) {
    TLanMsg answer = Answer(msg);
    answer.Length = 1;
    answer.Data[0] = RefuseAccess ? kAccessRefusedBit : 0;
    replies.push_back(answer);
    return;
  }
  if (msg.Command == kAccess && msg.Length == 1) {
    // The end-of-write notice: the module takes its new settings.
    ++EndNotices;
    return;
  }
  if (msg.Command >= kWriteFirst && msg.Command < kWriteFirst + kSimLocations) {
    HandleWrite(msg, msg.Command - kWriteFirst, replies);
  } else if (msg.Command >= kReadFirst && msg.Command < kReadFirst + kSimLocations) {
    HandleRead(msg, msg.Command - kReadFirst, replies);
  } else if (msg.Command == kReadByte && msg.Length >= 1) {
    const auto& ram = Memory(kSimRam);
    if (msg.Data[0] >= ram.size()) return;
    TLanMsg answer = Answer(msg);
    answer.Length = 1;
    answer.Data[0] = ram[msg.Data[0]];
    replies.push_back(answer);
  }
}

void TVirtualModule::HandleWrite(const TLanMsg& msg, int location, std::vector<TLanMsg>& replies) {
  if (msg.Length < 2 || RefuseAccess) return;
  auto& memory = Memory(location);
  const size_t address = msg.Data[0] | (msg.Data[1] << 8);
  const size_t count = msg.Length - 2u;
  if (address + count > memory.size()) return;
  std::copy_n(msg.Data.begin() + 2, count, memory.begin() + static_cast<long>(address));
  TLanMsg answer = Answer(msg);
  answer.Length = 3;
  answer.Data[0] = static_cast<uint8_t>(count);
  answer.Data[1] = msg.Data[0];
  answer.Data[2] = msg.Data[1];
  replies.push_back(answer);
}

void TVirtualModule::HandleRead(const TLanMsg& msg, int location, std::vector<TLanMsg>& replies) {
  if (msg.Length < 3 || RefuseAccess) return;
  const auto& memory = Memory(location);
  const size_t count = msg.Data[0];
  const size_t address = msg.Data[1] | (msg.Data[2] << 8);
  if (count == 0 || count > kMaxMsgData || address + count > memory.size()) return;
  TLanMsg answer = Answer(msg);
  answer.Length = static_cast<uint8_t>(count);
  std::copy_n(memory.begin() + static_cast<long>(address), count, answer.Data.begin());
  replies.push_back(answer);
}
