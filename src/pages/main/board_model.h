#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "pages/main/board_config.h"
#include "pages/main/board_pcb.h"

// The main module's answer to this request holds the board sub-revision: from the PC to the
// main module, command kSubRevisionCommand with the one data byte kSubRevisionQuery.
inline constexpr uint8_t kSubRevisionCommand = 48;
// The input functions that other pages may take from the CAN bus instead of a wire.
inline constexpr int kSpeedTask = 9;
inline constexpr int kTachoTask = 10;
inline constexpr uint8_t kSubRevisionQuery = 29;
std::optional<uint8_t> SubRevisionFromAnswer(std::span<const uint8_t> answerData);

// An output function. A function whose stored code names no pin of this board keeps that
// code, so that storing it writes back what the memory image holds.
struct TTask {
  int Id = 0;
  QString Name;
  int Column = 0;                    // column on the outputs page, 0 for none
  bool Available = true;             // the availability bit of the function's memory byte
  int Pin = -1;                      // position in TPCB::Outputs()
  uint8_t HeldCode = kNoOutputCode;  // the stored code while Pin is -1
};

// An input function; as TTask, and a held code may name an input of the start module.
struct TTaskIn {
  int Id = 0;
  QString Name;
  uint8_t FixedCode = 0;
  int Column = 0;  // column on the inputs page, 0 for none
  bool FromCan = false;
  int Pin = -1;  // position in TPCB::Inputs()
  uint8_t HeldCode = kNoInputCode;
  bool HeldOnStartModule = false;
};

// Whether the main module's digital output No. 1 uses its wire (the security page decides).
enum class TDigitalOutput : uint8_t { Free, Reserved };

// The board of the main module and the functions on its pins, shared by the inputs, outputs
// and output-program pages. It holds no settings of its own: the pages load the assignments
// from the memory images and store them back. Rebuilding the board never drops or changes an
// assignment; it only re-reads the tables, renumbers and hides. Assign and Default apply the
// board's mechanics only: the pages ask MayTake first, together with rules of their own.
class TBoardModel {
 public:
  TBoardModel();

  const TPCB& Pcb() const { return pcb_; }

  // The configuration byte was loaded: the third-generation flag follows bit 2, then a rebuild.
  void SetConfiguration(uint8_t byte);
  // The main board record names a board of the newer kind; the lists stay as they are.
  void MarkThirdGeneration() { pcb_.SetThirdGeneration(true); }
  // Renumbers; hidden entries keep their functions.
  void SetPresence(TBoardPresence presence);
  void Rebuild();
  // The main module answered the sub-revision request (0 when it did not): two pins of the
  // third-generation board change their codes, so a new value rebuilds the board.
  void SetSubRevision(uint8_t subRevision);

  const std::vector<TTask>& Tasks() const { return tasks_; }
  const std::vector<TTaskIn>& TasksIn() const { return tasksIn_; }
  const TTask* Task(int id) const;
  const TTask* TaskAtColumn(int column) const;
  const TTaskIn* TaskIn(int id) const;
  const TTaskIn* TaskInAtColumn(int column) const;
  std::vector<int> TasksOn(int outputPin) const;
  int TaskInOn(int inputPin) const;  // 0 for none

  bool IsAssignable(const TTask& task) const;
  bool IsAssignable(const TTaskIn& task) const;
  bool MayTakeOutput(int taskId, int pin, TDigitalOutput digitalOutput) const;
  bool MayTakeInput(int taskId, int pin) const;

  // Output functions. Codes are those of the assignment bytes: 0 for none.
  // The pin the code names takes it as its own (on the lock pins, a polarity); a code that
  // names no pin is held.
  void LoadOutput(int taskId, uint8_t code);
  // What the assignment byte stores.
  uint8_t OutputCode(int taskId) const;
  void SetAvailable(int taskId, bool available);
  // On the pin already: released. Otherwise the function moves to the pin; unless it joins
  // them, the functions on the pin are released first.
  void AssignOutput(int taskId, int pin, bool join);
  void ReleaseOutput(int taskId);
  void ReleaseOutputPin(int pin);
  void DefaultOutput(int taskId);
  void ToggleOutputPolarity(int pin) { pcb_.ToggleOutputPolarity(pin); }

  // Input functions. Codes are pin codes with the input's settings: 255 for none.
  // The main-module pin whose code matches apart from the setting bits takes the code as its
  // own; a code that names no pin is held. A pin keeps one function: the function it had
  // before holds its own code.
  void LoadInput(int taskId, uint8_t code);
  // The same for the inputs of the engine start module, matched exactly.
  void LoadStartInput(int taskId, uint8_t code);
  uint8_t InputCode(int taskId) const;
  bool IsOnStartModule(int taskId) const;
  void SetFromCan(int taskId, bool fromCan);
  // On the pin already: released. Otherwise the pin's function is released and this one
  // moves to the pin.
  void AssignInput(int taskId, int pin);
  void ReleaseInput(int taskId);
  void DefaultInput(int taskId);
  void ToggleInputPolarity(int pin) { pcb_.ToggleInputPolarity(pin); }
  void ToggleInputTrigger(int pin) { pcb_.ToggleInputTrigger(pin); }

 private:
  void RebuildAs(TBoardConfig config, bool thirdGeneration);
  TTask* MutableTask(int id);
  TTaskIn* MutableTaskIn(int id);
  void PlaceInput(TTaskIn& task, int pin, uint8_t code);
  void ReleaseInputPin(int pin);

  uint8_t subRevision_ = 0;
  TPCB pcb_;
  TBoardPresence presence_;
  std::vector<TTask> tasks_;
  std::vector<TTaskIn> tasksIn_;
};
