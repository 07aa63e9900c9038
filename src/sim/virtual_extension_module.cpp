#include "sim/virtual_extension_module.h"

#include <array>

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kSlaveAddr = 4;
constexpr uint8_t kValidatorAddr = 14;
constexpr uint8_t kRemoteInputsAddr = 15;

constexpr uint8_t kLearnEvent = 112;
constexpr uint8_t kLearnAnalog = 113;
constexpr uint8_t kLearnStep = 54;
// Steps of command 54: stop or start learning a button, start or stop learning a combination.
constexpr uint8_t kStopButton = 0;
constexpr uint8_t kStartButton = 1;
constexpr uint8_t kStartCombination = 2;
constexpr uint8_t kStopCombination = 3;
constexpr uint8_t kNoEvent = 0xFF;

// What the modules broadcast about learning.
constexpr uint8_t kLearnState = 4;
constexpr uint8_t kAnalogState = 114;
constexpr uint8_t kEndOfLearning = 55;

// A person needs a moment to press the button.
constexpr std::array<TLiveStream, 1> kStreams = {
    {{TVirtualExtensionModule::kLearnStream, 1500ms, 1500ms}}};

}  // namespace

TVirtualExtensionModule::TVirtualExtensionModule(const TVirtualModuleSpec& desc)
    : TVirtualModule(desc) {}

std::span<const TLiveStream> TVirtualExtensionModule::LiveStreams() const {
  return kStreams;
}

void TVirtualExtensionModule::Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  const bool learningRequest = !msg.IsAnswer && msg.Dest == Address() && msg.AnswerRequested &&
                               msg.Length >= 1 &&
                               (msg.Command == kLearnEvent || msg.Command == kLearnAnalog ||
                                (msg.Command == kLearnStep && msg.Length >= 2));
  if (!learningRequest) {
    TVirtualModule::Handle(msg, replies);
    return;
  }
  if (Outcome == TLearnOutcome::Refuses) {
    const uint8_t other[] = {static_cast<uint8_t>(msg.Data[0] ^ 0x80)};
    replies.push_back(Answer(msg, other));
    return;
  }
  if (!StartLearning(msg)) learning_.reset();
  const uint8_t echo[] = {msg.Data[0]};
  replies.push_back(Answer(msg, echo));
}

// True when the request starts a learning; false when it stops one.
bool TVirtualExtensionModule::StartLearning(const TLanMsg& msg) {
  const uint8_t index = msg.Data[0];
  if (msg.Command == kLearnEvent) {
    if (index == kNoEvent) return false;
    learning_ = TLearning{TKind::Event, index};
  } else if (msg.Command == kLearnAnalog) {
    learning_ = TLearning{TKind::Analog, index};
  } else {
    switch (msg.Data[1]) {
      case kStartButton:
        learning_ = TLearning{TKind::Button, index};
        break;
      case kStartCombination:
        learning_ = TLearning{TKind::Combination, index};
        break;
      case kStopButton:
      case kStopCombination:
      default:
        return false;
    }
  }
  return true;
}

void TVirtualExtensionModule::Talk(int stream, std::vector<TLanMsg>& out) {
  if (stream != kLearnStream || !learning_) return;
  const TLearning learning = *learning_;
  learning_.reset();
  const bool learned = Outcome == TLearnOutcome::Learns;
  if (learned) MarkLearned(learning);
  out.push_back(Result(learning, learned));
}

void TVirtualExtensionModule::SetBit(int address, int bit) {
  auto& settings = Memory(kSimInt);
  if (address >= 0 && static_cast<std::size_t>(address) < settings.size()) {
    settings[static_cast<std::size_t>(address)] |= static_cast<uint8_t>(1u << (bit & 7));
  }
}

// Where each module keeps what it learned.
void TVirtualExtensionModule::MarkLearned(const TLearning& learning) {
  const int index = learning.Index;
  switch (learning.Kind) {
    case TKind::Event:
      // The slave module numbers its events from 0, the others their code or combination
      // from 1 (the validator's one code is 0).
      SetBit(2, Address() == kSlaveAddr || Address() == kValidatorAddr ? index : index - 1);
      return;
    case TKind::Analog:
      SetBit(82 + index / 8, index % 8);
      return;
    case TKind::Button:
      if (Address() == kRemoteInputsAddr) {
        SetBit(54, index);
      } else {
        SetBit(82 + index / 8, index % 8);
      }
      return;
    case TKind::Combination:
      Memory(kSimInt).at(
          static_cast<std::size_t>((Address() == kRemoteInputsAddr ? 84 : 46) + index)) = 1;
      return;
  }
}

TLanMsg TVirtualExtensionModule::Result(const TLearning& learning, bool learned) const {
  const auto flag = static_cast<uint8_t>(learned ? 1 : 0);
  switch (learning.Kind) {
    case TKind::Event:
      if (Address() == kSlaveAddr) {
        return Message(kBroadcastAddr, kLearnState, {learned ? learning.Index : kNoEvent});
      }
      return Message(kBroadcastAddr, kLearnState, {flag});
    case TKind::Analog:
      return Message(kBroadcastAddr, kAnalogState, {flag});
    case TKind::Button:
    case TKind::Combination:
      return Message(kBroadcastAddr, kEndOfLearning, {flag});
  }
  return {};
}
