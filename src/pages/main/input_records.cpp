#include "pages/main/input_records.h"

#include <algorithm>

namespace {

// The button function always names the same input on the older boards.
constexpr int kButtonTask = 5;
constexpr uint8_t kButtonCode = 34;
constexpr int kChargeTask = 8;
// The start module reports the tacho input with its low three bits as settings of its own;
// the record names it with bit 1 set.
constexpr uint8_t kTachoSettingBits = 0x07;
constexpr uint8_t kTachoRecordBit = 0x02;
// Functions that come from the CAN bus on a new third-generation board.
constexpr int kCanByDefault[] = {1, 2, 3, 4, 15, 17};

}  // namespace

// The button's byte names no pin of the older boards (34 would read as another pin with its
// trigger-type bit set there); the function stays where it is.
void TInputRecords::LoadOlder(int taskId, uint8_t code) {
  if (taskId != kButtonTask) model_.LoadInput(taskId, code);
}

uint8_t TInputRecords::OlderByte(int taskId) const {
  if (taskId == kButtonTask) return kButtonCode;
  return PinByte(taskId);
}

uint8_t TInputRecords::DefaultOlder(int taskId) {
  model_.DefaultInput(taskId);
  return OlderByte(taskId);
}

void TInputRecords::LoadPinByte(int taskId, uint8_t code) {
  if (taskId <= 0 || taskId >= static_cast<int>(kTaskCount)) return;
  keptPinBytes_[static_cast<std::size_t>(taskId)] = code;
}

bool TInputRecords::LoadSourceByte(int taskId, uint8_t value) {
  if (taskId <= 0 || taskId >= static_cast<int>(kTaskCount)) return false;
  if (value == kFromCan || value == kNotFromCan) {
    model_.SetFromCan(taskId, value == kFromCan);
    model_.LoadInput(taskId, keptPinBytes_[static_cast<std::size_t>(taskId)]);
    return true;
  }
  const uint8_t code =
      taskId == kTachoTask ? static_cast<uint8_t>(value & ~kTachoSettingBits) : value;
  model_.LoadStartInput(taskId, code);
  return model_.Pcb().FindStartInput(code) >= 0;
}

uint8_t TInputRecords::PinByte(int taskId) const {
  const TTaskIn* task = model_.TaskIn(taskId);
  if (task == nullptr) return kNoInputCode;
  return model_.IsOnStartModule(taskId) ? task->FixedCode : model_.InputCode(taskId);
}

uint8_t TInputRecords::SourceByte(int taskId) const {
  const TTaskIn* task = model_.TaskIn(taskId);
  if (task == nullptr) return kNotFromCan;
  if (model_.IsOnStartModule(taskId)) {
    const uint8_t code = model_.InputCode(taskId);
    return taskId == kTachoTask
               ? static_cast<uint8_t>((code & ~kTachoSettingBits) | kTachoRecordBit)
               : code;
  }
  return task->FromCan ? kFromCan : kNotFromCan;
}

uint8_t TInputRecords::FixedByte(int taskId) const {
  const TTaskIn* task = model_.TaskIn(taskId);
  if (task == nullptr || model_.IsOnStartModule(taskId)) return 0;
  return task->FixedCode;
}

uint8_t TInputRecords::DefaultPinByte(int taskId) {
  model_.DefaultInput(taskId);
  return PinByte(taskId);
}

uint8_t TInputRecords::DefaultSourceByte(int taskId) {
  model_.SetFromCan(taskId, std::ranges::find(kCanByDefault, taskId) != std::end(kCanByDefault));
  return SourceByte(taskId);
}

TTachoSource TInputRecords::TachoSource() const {
  if (model_.IsOnStartModule(kTachoTask)) return TTachoSource::StartModule;
  const TTaskIn* task = model_.TaskIn(kTachoTask);
  return task != nullptr && task->FromCan ? TTachoSource::Can : TTachoSource::Wire;
}

void TInputRecords::SetTachoSource(TTachoSource source) {
  switch (source) {
    case TTachoSource::Wire:
    case TTachoSource::StartModule:
      model_.SetFromCan(kTachoTask, false);
      break;
    case TTachoSource::Can:
      model_.ReleaseInput(kTachoTask);
      model_.SetFromCan(kTachoTask, true);
      model_.SetFromCan(kChargeTask, false);
      break;
  }
}
