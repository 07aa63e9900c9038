#pragma once

#include <vector>

#include "binding/ui/coalesced_call.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/main/grid_places.h"
#include "pages/main/output_programs.h"
#include "pages/main/outputs_editor.h"
#include "pages/main/start_relays.h"

class IPageHost;
class TEventsForm;
class TMainBoard;
class TRelayDelayWindow;
class TVDData;
class TVDGrid;

// The outputs page of the main module: which pin, extension relay or start-module relay drives
// which output function, shown as a grid of pins by functions over the shared board.
class TMainOutputs : public TVDFrame {
  Q_OBJECT

 public:
  // The grid's columns from this one on show the output functions.
  static constexpr int kFirstFunctionColumn = 1;

  TMainOutputs(IPageHost& host, TMainBoard& board, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  TVDGrid& Grid() const { return *grid_; }
  const TStartRelays& Relays() const { return relays_; }
  const TOutputPrograms& Programs() const { return programs_; }
  // Opens the editor of output program `program` (1..20), modally; "ОК" keeps its record.
  void EditProgram(int program);
  // The event list the program editor picks events from; made when first needed.
  TEventsForm& Events();
  // Grid places: the row of an output pin and the column of a function; -1 when not shown.
  int RowOfPin(int pin) const { return places_.RowOf(pin); }
  int ColumnOfTask(int taskId) const { return places_.ColumnOf(taskId); }
  int CanRow() const;
  // A click on a cell, as the mouse and the keys give it (`join`: with Shift).
  void ClickCell(int row, int column, bool join);

  // The security page turned the digital output on: the grid's functions leave its pin.
  void FreeDigitalOutputPin();
  // Another page takes the pin (the engine start module's starter relay RL2 under direct
  // control): every function on it is released.
  void ReleasePinNamed(const QString& name);

  void PageShown() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AttachConfiguration();
  void AskSubRevision();
  void AttachAssignments();
  void AttachCanOutputs();
  void AttachRelayTables();
  void AttachPrograms();
  void SetProgram(int program, const TOutputProgram& record);
  bool OnThisBoard(const TControlRow& row) const;
  void ReloadAssignments();
  void ScheduleRedraw();
  void Redraw();
  void FillRow(int row, int pin);
  void FillCanRow(int row);
  void StoreEdits();
  void StoreAndShow();
  TDigitalOutput DigitalOutputState() const;
  int TaskAt(int column) const { return places_.TaskAt(column); }
  int PinAt(int row) const { return places_.PinAt(row); }
  void ShowCellHint(int row, int column);
  void ShowCellMenu(const QPoint& position);
  void EditDelays(int taskId, int pin);
  void ReleaseLastCell();
  void ReleaseAndClearLastCell();

  IPageHost& host_;
  TMainBoard& board_;
  TStartRelays relays_;
  TOutputsEditor editor_;
  TOutputPrograms programs_;
  TPageControls controls_;
  TVDGrid* grid_ = nullptr;
  TRelayDelayWindow* delays_ = nullptr;
  TEventsForm* events_ = nullptr;
  std::vector<TVDData*> programItems_;
  std::vector<TVDData*> assignments_;
  std::vector<TVDData*> relayTables_;
  TVDData* canOutputs_ = nullptr;
  TGridPlaces places_{kFirstFunctionColumn};
  int lastRow_ = -1;
  int lastColumn_ = -1;
  TCoalescedCall redraw_{*this, [this] { Redraw(); }};
};
