#include "pages/main/board_model.h"

#include <algorithm>
#include <numeric>

namespace {

// Output functions.
constexpr int kLedTask = 1;
constexpr int kRightSideTask = 3;
constexpr int kSirenTask = 6;
constexpr int kPagerTask = 7;
constexpr int kCutOff2Task = 10;
constexpr int kStarterTask = 13;
constexpr int kFirstProgramTask = 18;

// No wire of any board takes these; they come over the CAN bus only.
constexpr int kFirstCanOnlyTask = 15;
constexpr int kLastCanOnlyTask = 17;

constexpr size_t kSubRevisionByte = 5;

// The pages load assignments byte by byte in address order, which is the order of the ids.
// A rebuild applies them again in that order, so that it ends where a fresh load would.
template <class TFunction>
std::vector<size_t> IdOrder(const std::vector<TFunction>& functions) {
  std::vector<size_t> order(functions.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(),
            [&functions](size_t a, size_t b) { return functions[a].Id < functions[b].Id; });
  return order;
}

template <class TFunctions>
auto FindById(TFunctions& functions, int id) -> decltype(&functions.front()) {
  const auto it = std::find_if(functions.begin(), functions.end(),
                               [id](const auto& function) { return function.Id == id; });
  return it == functions.end() ? nullptr : &*it;
}

template <class TFunction>
const TFunction* FindByColumn(const std::vector<TFunction>& functions, int column) {
  if (column <= 0) return nullptr;
  const auto it =
      std::find_if(functions.begin(), functions.end(),
                   [column](const TFunction& function) { return function.Column == column; });
  return it == functions.end() ? nullptr : &*it;
}

template <class TPin>
int FirstDefaultPin(const std::vector<TPin>& pins, int taskId) {
  const auto it = std::find_if(pins.begin(), pins.end(),
                               [taskId](const TPin& pin) { return pin.DefaultTask == taskId; });
  return it == pins.end() ? -1 : static_cast<int>(it - pins.begin());
}

template <class TPin>
const TPin* PinAt(const std::vector<TPin>& pins, int pin) {
  return pin >= 0 && static_cast<size_t>(pin) < pins.size() ? &pins[static_cast<size_t>(pin)]
                                                            : nullptr;
}

}  // namespace

std::optional<uint8_t> SubRevisionFromAnswer(std::span<const uint8_t> answerData) {
  if (answerData.size() <= kSubRevisionByte) return std::nullopt;
  return answerData[kSubRevisionByte];
}

TBoardModel::TBoardModel() {
  int column = 0;
  for (const TTaskRow& row : TaskRows()) {
    TTask task;
    task.Id = row.Id;
    task.Name = QString::fromUtf8(row.Name);
    task.Column = row.HasColumn ? ++column : 0;
    // Until the availability bits are loaded, the LED and the pager stay off the grid.
    task.Available = row.Id != kLedTask && row.Id != kPagerTask;
    tasks_.push_back(task);
  }
  for (const TTaskInRow& row : TaskInRows()) {
    TTaskIn task;
    task.Id = row.Id;
    task.Name = QString::fromUtf8(row.Name);
    task.FixedCode = row.FixedCode;
    task.Column = row.Column;
    tasksIn_.push_back(task);
  }
  pcb_.Renumber(presence_);
}

void TBoardModel::SetConfiguration(uint8_t byte) {
  const TBoardConfig config(byte);
  RebuildAs(config, config.ThirdGeneration());
}

void TBoardModel::SetPresence(TBoardPresence presence) {
  presence_ = presence;
  pcb_.Renumber(presence_);
}

void TBoardModel::SetSubRevision(uint8_t subRevision) {
  if (subRevision == subRevision_) return;
  subRevision_ = subRevision;
  Rebuild();
}

void TBoardModel::Rebuild() {
  RebuildAs(pcb_.Config(), pcb_.IsThirdGeneration());
}

void TBoardModel::RebuildAs(TBoardConfig config, bool thirdGeneration) {
  // Pin positions end with the old lists; what survives is what the images say.
  for (TTask& task : tasks_) {
    task.HeldCode = OutputCode(task.Id);
    task.Pin = -1;
  }
  for (TTaskIn& task : tasksIn_) {
    task.HeldOnStartModule = IsOnStartModule(task.Id);
    task.HeldCode = InputCode(task.Id);
    task.Pin = -1;
  }

  pcb_.Build(config, thirdGeneration, subRevision_);
  pcb_.Renumber(presence_);

  for (const size_t i : IdOrder(tasks_)) LoadOutput(tasks_[i].Id, tasks_[i].HeldCode);
  for (const size_t i : IdOrder(tasksIn_)) {
    const TTaskIn& task = tasksIn_[i];
    if (task.HeldOnStartModule)
      LoadStartInput(task.Id, task.HeldCode);
    else
      LoadInput(task.Id, task.HeldCode);
  }
}

const TTask* TBoardModel::Task(int id) const {
  return FindById(tasks_, id);
}

const TTask* TBoardModel::TaskAtColumn(int column) const {
  return FindByColumn(tasks_, column);
}

const TTaskIn* TBoardModel::TaskIn(int id) const {
  return FindById(tasksIn_, id);
}

const TTaskIn* TBoardModel::TaskInAtColumn(int column) const {
  return FindByColumn(tasksIn_, column);
}

std::vector<int> TBoardModel::TasksOn(int outputPin) const {
  std::vector<int> ids;
  if (outputPin < 0) return ids;
  for (const TTask& task : tasks_)
    if (task.Pin == outputPin) ids.push_back(task.Id);
  return ids;
}

int TBoardModel::TaskInOn(int inputPin) const {
  if (inputPin < 0) return 0;
  for (const TTaskIn& task : tasksIn_)
    if (task.Pin == inputPin) return task.Id;
  return 0;
}

bool TBoardModel::IsAssignable(const TTask& task) const {
  if (!task.Available) return false;
  if (pcb_.Generation() == TPcbGeneration::Second &&
      (task.Id == kRightSideTask || task.Id == kStarterTask))
    return false;
  return !(pcb_.Config().Pager() && task.Id == kSirenTask);
}

bool TBoardModel::IsAssignable(const TTaskIn& task) const {
  if (task.Column == 0) return false;
  return !(task.Id == kTachoTask && pcb_.Generation() == TPcbGeneration::Second);
}

bool TBoardModel::MayTakeOutput(int taskId, int pin, TDigitalOutput digitalOutput) const {
  const TTask* task = Task(taskId);
  const TOut* out = PinAt(pcb_.Outputs(), pin);
  if (task == nullptr || out == nullptr || !IsAssignable(*task) || !out->Assignable) return false;
  if (taskId == kPagerTask && !out->Pager) return false;
  if (digitalOutput == TDigitalOutput::Reserved && out->DigitalOutput) return false;
  if (out->Immobiliser && taskId != kCutOff2Task && taskId < kFirstProgramTask) return false;
  return !(taskId == kStarterTask && out->ExtensionRelay);
}

bool TBoardModel::MayTakeInput(int taskId, int pin) const {
  const TTaskIn* task = TaskIn(taskId);
  const TIn* in = PinAt(pcb_.Inputs(), pin);
  if (task == nullptr || in == nullptr || !IsAssignable(*task) || !in->Assignable) return false;
  if (taskId == kTachoTask) return in->Tacho;
  if (taskId == kSpeedTask) return in->Speed;
  return taskId < kFirstCanOnlyTask || taskId > kLastCanOnlyTask;
}

void TBoardModel::LoadOutput(int taskId, uint8_t code) {
  TTask* task = MutableTask(taskId);
  if (task == nullptr) return;
  task->Pin = -1;
  task->HeldCode = code;
  if (code == kNoOutputCode) return;
  const int pin = pcb_.FindOutput(code);
  if (pin < 0) return;
  pcb_.TakeOutputCode(pin, code);
  task->Pin = pin;
  task->HeldCode = kNoOutputCode;
}

uint8_t TBoardModel::OutputCode(int taskId) const {
  const TTask* task = Task(taskId);
  if (task == nullptr) return kNoOutputCode;
  const TOut* out = PinAt(pcb_.Outputs(), task->Pin);
  return out != nullptr ? out->Code : task->HeldCode;
}

void TBoardModel::SetAvailable(int taskId, bool available) {
  if (TTask* task = MutableTask(taskId)) task->Available = available;
}

void TBoardModel::AssignOutput(int taskId, int pin, bool join) {
  TTask* task = MutableTask(taskId);
  if (task == nullptr || PinAt(pcb_.Outputs(), pin) == nullptr) return;
  if (task->Pin == pin) {
    ReleaseOutput(taskId);
    return;
  }
  if (!join) ReleaseOutputPin(pin);
  task->Pin = pin;
  task->HeldCode = kNoOutputCode;
}

void TBoardModel::ReleaseOutput(int taskId) {
  if (TTask* task = MutableTask(taskId)) {
    task->Pin = -1;
    task->HeldCode = kNoOutputCode;
  }
}

void TBoardModel::ReleaseOutputPin(int pin) {
  if (pin < 0) return;
  for (TTask& task : tasks_)
    if (task.Pin == pin) ReleaseOutput(task.Id);
}

void TBoardModel::DefaultOutput(int taskId) {
  TTask* task = MutableTask(taskId);
  if (task == nullptr) return;
  const int pin = FirstDefaultPin(pcb_.Outputs(), taskId);
  // A function without a default pin has none after factory settings either.
  if (pin < 0) {
    ReleaseOutput(taskId);
    return;
  }
  ReleaseOutputPin(pin);
  task->Pin = pin;
  task->HeldCode = kNoOutputCode;
}

void TBoardModel::LoadInput(int taskId, uint8_t code) {
  TTaskIn* task = MutableTaskIn(taskId);
  if (task == nullptr) return;
  task->Pin = -1;
  task->HeldCode = code;
  task->HeldOnStartModule = false;
  if (code == kNoInputCode) return;
  const int pin = pcb_.FindInput(code);
  if (pin >= 0) PlaceInput(*task, pin, code);
}

void TBoardModel::LoadStartInput(int taskId, uint8_t code) {
  TTaskIn* task = MutableTaskIn(taskId);
  if (task == nullptr) return;
  task->Pin = -1;
  task->HeldCode = code;
  task->HeldOnStartModule = code != kNoInputCode;
  if (code == kNoInputCode) return;
  const int pin = pcb_.FindStartInput(code);
  if (pin >= 0) PlaceInput(*task, pin, code);
}

uint8_t TBoardModel::InputCode(int taskId) const {
  const TTaskIn* task = TaskIn(taskId);
  if (task == nullptr) return kNoInputCode;
  const TIn* in = PinAt(pcb_.Inputs(), task->Pin);
  return in != nullptr ? in->Code : task->HeldCode;
}

bool TBoardModel::IsOnStartModule(int taskId) const {
  const TTaskIn* task = TaskIn(taskId);
  if (task == nullptr) return false;
  const TIn* in = PinAt(pcb_.Inputs(), task->Pin);
  return in != nullptr ? in->StartModuleInput >= 0 : task->HeldOnStartModule;
}

void TBoardModel::SetFromCan(int taskId, bool fromCan) {
  if (TTaskIn* task = MutableTaskIn(taskId)) task->FromCan = fromCan;
}

void TBoardModel::AssignInput(int taskId, int pin) {
  TTaskIn* task = MutableTaskIn(taskId);
  if (task == nullptr || PinAt(pcb_.Inputs(), pin) == nullptr) return;
  if (task->Pin == pin) {
    ReleaseInput(taskId);
    return;
  }
  ReleaseInputPin(pin);
  task->Pin = pin;
  task->HeldCode = kNoInputCode;
  task->HeldOnStartModule = false;
}

void TBoardModel::ReleaseInput(int taskId) {
  if (TTaskIn* task = MutableTaskIn(taskId)) {
    task->Pin = -1;
    task->HeldCode = kNoInputCode;
    task->HeldOnStartModule = false;
  }
}

void TBoardModel::DefaultInput(int taskId) {
  TTaskIn* task = MutableTaskIn(taskId);
  if (task == nullptr) return;
  const int pin = FirstDefaultPin(pcb_.Inputs(), taskId);
  if (pin < 0) {
    ReleaseInput(taskId);
    return;
  }
  pcb_.ClearInputSettings(pin);
  ReleaseInputPin(pin);
  task->Pin = pin;
  task->HeldCode = kNoInputCode;
  task->HeldOnStartModule = false;
}

TTask* TBoardModel::MutableTask(int id) {
  return FindById(tasks_, id);
}

TTaskIn* TBoardModel::MutableTaskIn(int id) {
  return FindById(tasksIn_, id);
}

void TBoardModel::PlaceInput(TTaskIn& task, int pin, uint8_t code) {
  // A pin carries one input function. The one a later byte of the image pushes off keeps its
  // own stored code: the image is what it is, and storing must not rewrite it.
  const TIn& in = pcb_.Inputs()[static_cast<size_t>(pin)];
  for (TTaskIn& other : tasksIn_) {
    if (&other == &task || other.Pin != pin) continue;
    other.HeldCode = in.Code;
    other.HeldOnStartModule = in.StartModuleInput >= 0;
    other.Pin = -1;
  }
  pcb_.TakeInputCode(pin, code);
  task.Pin = pin;
  task.HeldCode = kNoInputCode;
  task.HeldOnStartModule = false;
}

void TBoardModel::ReleaseInputPin(int pin) {
  if (pin < 0) return;
  for (TTaskIn& task : tasksIn_)
    if (task.Pin == pin) ReleaseInput(task.Id);
}
