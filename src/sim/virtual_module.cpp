#include "sim/virtual_module.h"

#include <algorithm>

#include "sim/factory_images.h"

namespace {

constexpr uint8_t kAccess = 0;
constexpr uint8_t kPresence = 1;
constexpr uint8_t kState = 3;
constexpr uint8_t kStatus = 48;
constexpr uint8_t kReadByte = 85;
constexpr uint8_t kWriteFirst = 80;
constexpr uint8_t kReadFirst = 87;
constexpr uint8_t kAccessRefusedBit = 0x10;

}  // namespace

TVirtualModule::TVirtualModule(const TVirtualModuleSpec& desc) : spec_(desc) {
  for (int loc = 0; loc < kSimLocations; ++loc) {
    memory_[static_cast<size_t>(loc)].assign(desc.Sizes[static_cast<size_t>(loc)], 0);
  }
}

void TVirtualModule::LoadFactoryImage(bool gen2) {
  for (auto& memory : memory_) std::fill(memory.begin(), memory.end(), 0);
  for (const auto& patch : FactoryImagePatches()) {
    if (patch.Module != Address() || !FitsBoard(patch.Board, gen2)) continue;
    auto& memory = Memory(patch.Location);
    if (patch.Offset + patch.Bytes.size() > memory.size()) continue;
    std::copy(patch.Bytes.begin(), patch.Bytes.end(), memory.begin() + patch.Offset);
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

TLanMsg TVirtualModule::Answer(const TLanMsg& request, std::span<const uint8_t> data) const {
  TLanMsg answer = Answer(request);
  answer.Length = static_cast<uint8_t>(std::min<size_t>(data.size(), kMaxMsgData));
  std::copy_n(data.begin(), answer.Length, answer.Data.begin());
  return answer;
}

TLanMsg TVirtualModule::Message(uint8_t dest, uint8_t command,
                                std::span<const uint8_t> data) const {
  TLanMsg msg;
  msg.Source = spec_.Address;
  msg.Dest = dest;
  msg.Command = command;
  msg.Length = static_cast<uint8_t>(std::min<size_t>(data.size(), kMaxMsgData));
  std::copy_n(data.begin(), msg.Length, msg.Data.begin());
  return msg;
}

TLanMsg TVirtualModule::Message(uint8_t dest, uint8_t command,
                                std::initializer_list<uint8_t> data) const {
  return Message(dest, command, std::span<const uint8_t>(data.begin(), data.size()));
}

void TVirtualModule::Receive(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  if (Silent) return;
  if (msg.Source == spec_.Address) return;
  if (msg.Dest != spec_.Address && msg.Dest != kBroadcastAddr) return;
  Handle(msg, replies);
}

void TVirtualModule::Speak(int stream, std::vector<TLanMsg>& out) {
  if (!Silent) Talk(stream, out);
}

void TVirtualModule::Talk(int, std::vector<TLanMsg>&) {}

void TVirtualModule::Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  if (msg.IsAnswer) return;
  const bool addressed = msg.Dest == spec_.Address;
  if (msg.Command == kPresence && msg.AnswerRequested) {
    replies.push_back(Answer(msg));
    return;
  }
  if (msg.Command == kState && msg.AnswerRequested) {
    TLanMsg answer = Answer(msg);
    FillState(answer);
    replies.push_back(answer);
    return;
  }
  if (!addressed) return;
  if (msg.Command == kAccess && msg.Length == 0 && msg.AnswerRequested) {
    const uint8_t granted[] = {static_cast<uint8_t>(RefuseAccess ? kAccessRefusedBit : 0)};
    replies.push_back(Answer(msg, granted));
    return;
  }
  if (msg.Command == kAccess && msg.Length == 1) {
    TakeCommandZero(msg.Data[0]);
    return;
  }
  if (msg.Command == kStatus && msg.Length == 0) {
    AnswerStatus(msg, replies);
  } else if (msg.Command >= kWriteFirst && msg.Command < kWriteFirst + kSimLocations) {
    HandleWrite(msg, msg.Command - kWriteFirst, replies);
  } else if (msg.Command >= kReadFirst && msg.Command < kReadFirst + kSimLocations) {
    HandleRead(msg, msg.Command - kReadFirst, replies);
  } else if (msg.Command == kReadByte) {
    HandleReadByte(msg, replies);
  }
}

void TVirtualModule::AnswerStatus(const TLanMsg& request, std::vector<TLanMsg>& replies) {
  const auto record = StatusRecord(spec_.Address, false);
  if (!record.empty()) replies.push_back(Answer(request, record));
}

void TVirtualModule::FillState(TLanMsg&) const {}

void TVirtualModule::TakeCommandZero(uint8_t param) {
  // The end-of-write notice: the module takes its new settings.
  ++EndNotices;
  LastEndParam = param;
}

void TVirtualModule::HandleWrite(const TLanMsg& msg, int location, std::vector<TLanMsg>& replies) {
  if (msg.Length < 2 || RefuseAccess) return;
  auto& memory = Memory(location);
  const size_t address = msg.Data[0] | (msg.Data[1] << 8);
  const size_t count = msg.Length - 2u;
  // A packet larger than the module's buffer is lost on a real module.
  if (count > spec_.PacketSize || address + count > memory.size()) return;
  std::copy_n(msg.Data.begin() + 2, count, memory.begin() + static_cast<long>(address));
  if (Miswrite && count > 0) memory[address] ^= 1;
  const uint8_t written[] = {static_cast<uint8_t>(count), msg.Data[0], msg.Data[1]};
  replies.push_back(Answer(msg, written));
}

void TVirtualModule::HandleRead(const TLanMsg& msg, int location, std::vector<TLanMsg>& replies) {
  if (msg.Length < 3 || RefuseAccess) return;
  const auto& memory = Memory(location);
  const size_t count = msg.Data[0];
  const size_t address = msg.Data[1] | (msg.Data[2] << 8);
  if (count == 0 || count > spec_.PacketSize || address + count > memory.size()) return;
  replies.push_back(Answer(msg, std::span(memory).subspan(address, count)));
}

// Modules that read one byte at a time have a single small memory, their RAM; the request
// carries only the low byte of the address.
void TVirtualModule::HandleReadByte(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  if (msg.Length < 1 || RefuseAccess) return;
  const auto& ram = Memory(kSimRam);
  if (msg.Data[0] >= ram.size()) return;
  const uint8_t value[] = {ram[msg.Data[0]]};
  replies.push_back(Answer(msg, value));
}
