#pragma once

#include <vector>

#include "binding/ui/coalesced_call.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/main/grid_places.h"
#include "pages/main/input_records.h"

class IPageHost;
class QLabel;
class TButtonCommands;
class TImpulseInputs;
class TInputLearning;
class TMainBoard;
class TPinEdit;
class TVDData;
class TVDGrid;

// The inputs page of the main module: which wire carries which input function, which signals
// come from the CAN bus or the engine start module, the steering-wheel buttons, the impulse
// inputs and the beach-mode PIN.
class TMainInputs : public TVDFrame {
  Q_OBJECT

 public:
  // The grid's columns from this one on show the input functions.
  static constexpr int kFirstFunctionColumn = 3;

  TMainInputs(IPageHost& host, TMainBoard& board, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  TVDGrid& Grid() const { return *grid_; }
  TButtonCommands& Buttons() const { return *buttons_; }
  TImpulseInputs& Impulses() const { return *impulses_; }
  TPinEdit& BeachPin() const { return *beachPin_; }
  QLabel& TrunkPin() const { return *trunkPin_; }
  TInputLearning& Learning() const { return *learning_; }
  // Grid places: the row of an input pin and the column of a function; -1 when not shown.
  int RowOfPin(int pin) const { return places_.RowOf(pin); }
  int ColumnOfTask(int taskId) const { return places_.ColumnOf(taskId); }
  int CanRow() const;
  int StartModuleRow() const;
  void ClickCell(int row, int column);

  TTachoSource TachoSource() const { return records_.TachoSource(); }
  void SetTachoSource(TTachoSource source);
  // Another page takes the function's signal from the CAN bus: its wire is released.
  void ReleaseWire(int taskId);
  // Another page chose where the tacho signal comes from.
  void TakeTachoFrom(TTachoSource source);

  // The engine start module's inputs 1 to 4 carry the main input functions of this grid's
  // columns; the start module's page edits them here.
  int FunctionAtColumn(int column) const;
  QString FunctionName(int taskId) const;
  // The function on the start module's input, 0 for none.
  int StartInputFunction(int input) const;
  // Functions 4, 9 and 10 stay on the main module's wires.
  bool StartInputMayTake(int taskId) const;
  // A click on the function's cell of the input: takes it there, or away when it is there.
  void ToggleStartInputFunction(int input, int taskId);
  void ReleaseStartInput(int input);

  void PageShown() override;

 private:
  void AttachAssignments();
  void AttachBeachPin();
  void AttachAdc();
  void AttachImpulses();
  void AttachButtons();
  void AttachRules();
  void AttachLearning();
  void ReadAgain(const char* name);
  void BuildGrid();
  bool OnThisBoard(const TControlRow& row) const;
  void ReloadAssignments();
  void BoardChanged();
  void ScheduleRedraw();
  void Redraw();
  void StoreEdits();
  int TaskAt(int column) const { return places_.TaskAt(column); }
  int PinAt(int row) const { return places_.PinAt(row); }
  bool MayTake(int taskId, int pin) const;
  bool ClickPinCell(int taskId, int pin);
  bool ToggleCan(int taskId);
  void AnalogButtonsMoved();
  void ShowCellHint(int row, int column);
  void ShowCellMenu(const QPoint& position);
  bool ReleaseTaskFromPin(int taskId, int pin);
  bool NeedsRestart(int taskId, int pin) const;
  int StartInputPin(int input) const;
  void StoreAndShow();
  void OfferRestart();
  bool CanRowLive() const;

  IPageHost& host_;
  TMainBoard& board_;
  TInputRecords records_;
  TPageControls controls_;
  TVDGrid* grid_ = nullptr;
  TButtonCommands* buttons_ = nullptr;
  TImpulseInputs* impulses_ = nullptr;
  TInputLearning* learning_ = nullptr;
  TPinEdit* beachPin_ = nullptr;
  QLabel* trunkPin_ = nullptr;
  QLabel* adc_ = nullptr;
  std::vector<TVDData*> assignments_;
  TGridPlaces places_{kFirstFunctionColumn};
  uint8_t impulse1High_ = 0;
  uint8_t adcReading_ = 0;
  uint8_t boardRevision_ = 0;
  bool thirdGeneration_ = false;
  TCoalescedCall redraw_{*this, [this] { Redraw(); }};
};

// The inputs page of `host`'s window, for the pages that take signals from the CAN bus instead of
// a wire; nullptr when the window has none.
TMainInputs* InputsPageOf(IPageHost& host);
