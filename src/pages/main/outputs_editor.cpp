#include "pages/main/outputs_editor.h"

#include <algorithm>
#include <array>

namespace {

// The output pin that shares its wire with an input of the third-generation board.
constexpr uint8_t kSharedWireCode = 171;

struct TCanBit {
  int Task;
  int Bit;
};
constexpr std::array kCanBits = {TCanBit{4, 0}, TCanBit{5, 1},  TCanBit{8, 4},
                                 TCanBit{2, 5}, TCanBit{11, 6}, TCanBit{17, 7}};

const TCanBit* CanBitOf(int taskId) {
  const auto it = std::find_if(kCanBits.begin(), kCanBits.end(),
                               [taskId](const TCanBit& bit) { return bit.Task == taskId; });
  return it == kCanBits.end() ? nullptr : &*it;
}

}  // namespace

int TOutputsEditor::RelayOf(int pin) const {
  const auto& outputs = board_.Pcb().Outputs();
  if (pin < 0 || pin >= static_cast<int>(outputs.size())) return 0;
  const TOut& out = outputs[static_cast<size_t>(pin)];
  if (out.ShownWith != TShownWith::StartModule || !out.Name.startsWith(QLatin1String("RL"))) {
    return 0;
  }
  const int relay = out.Name.mid(2).toInt();
  return relay >= 1 && relay <= TStartRelays::kRelays ? relay : 0;
}

bool TOutputsEditor::MayTake(int taskId, int pin) const {
  if (!board_.MayTakeOutput(taskId, pin, digitalOutput_)) return false;
  const auto& out = board_.Pcb().Outputs()[static_cast<size_t>(pin)];
  return !(inputPinBusy_ && board_.Pcb().IsThirdGeneration() && out.Code == kSharedWireCode);
}

TOutputCell TOutputsEditor::Cell(int taskId, int pin) const {
  const TTask* task = board_.Task(taskId);
  if (task == nullptr) return TOutputCell::Refused;
  if (task->Pin == pin) return TOutputCell::Own;
  if (const int relay = RelayOf(pin); relay != 0 && relays_.Drives(taskId - 1, relay)) {
    return TOutputCell::Relay;
  }
  return MayTake(taskId, pin) ? TOutputCell::Free : TOutputCell::Refused;
}

void TOutputsEditor::SetRelayOfPin(int taskId, int pin) {
  relays_.ClearMask(taskId - 1);
  if (const int relay = RelayOf(pin); relay != 0) relays_.SetDrives(taskId - 1, relay, true);
}

bool TOutputsEditor::Click(int taskId, int pin, bool join) {
  const TTask* task = board_.Task(taskId);
  if (task == nullptr || !MayTake(taskId, pin)) return false;
  if (task->Pin == pin) {
    board_.ReleaseOutput(taskId);
    if (const int relay = RelayOf(pin); relay != 0) relays_.SetDrives(taskId - 1, relay, false);
    return true;
  }
  if (join && RelayOf(task->Pin) != 0 && RelayOf(pin) != 0) {
    const int relay = RelayOf(pin);
    relays_.SetDrives(taskId - 1, relay, !relays_.Drives(taskId - 1, relay));
    return true;
  }
  const std::vector<int> before = board_.TasksOn(pin);
  board_.AssignOutput(taskId, pin, join);
  SetRelayOfPin(taskId, pin);
  // Functions that lost the pin no longer drive its relay.
  if (const int relay = RelayOf(pin); relay != 0 && !join) {
    for (const int other : before) relays_.SetDrives(other - 1, relay, false);
  }
  return true;
}

bool TOutputsEditor::Default(int taskId) {
  const TTask* task = board_.Task(taskId);
  if (task == nullptr || !board_.IsAssignable(*task)) return false;
  board_.DefaultOutput(taskId);
  SetRelayOfPin(taskId, board_.Task(taskId)->Pin);
  return true;
}

bool TOutputsEditor::DefaultPin(int pin) {
  const auto& outputs = board_.Pcb().Outputs();
  if (pin < 0 || pin >= static_cast<int>(outputs.size())) return false;
  const int taskId = outputs[static_cast<size_t>(pin)].DefaultTask;
  return taskId != 0 && Default(taskId);
}

bool TOutputsEditor::Release(int taskId) {
  const TTask* task = board_.Task(taskId);
  if (task == nullptr || (task->Pin < 0 && !relays_.HasRelays(taskId - 1))) return false;
  board_.ReleaseOutput(taskId);
  relays_.ClearMask(taskId - 1);
  return true;
}

bool TOutputsEditor::RemoveRelay(int taskId, int pin) {
  const int relay = RelayOf(pin);
  if (relay == 0 || !relays_.Drives(taskId - 1, relay)) return false;
  relays_.SetDrives(taskId - 1, relay, false);
  return true;
}

bool TOutputsEditor::HasCanBit(int taskId) {
  return CanBitOf(taskId) != nullptr;
}

bool TOutputsEditor::SentOverCan(int taskId) const {
  const TCanBit* bit = CanBitOf(taskId);
  return bit != nullptr && (canOutputs_ >> bit->Bit & 1) != 0;
}

bool TOutputsEditor::ToggleCan(int taskId) {
  const TCanBit* bit = CanBitOf(taskId);
  if (bit == nullptr) return false;
  canOutputs_ ^= static_cast<uint8_t>(1u << bit->Bit);
  return true;
}
