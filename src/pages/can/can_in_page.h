#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/can/can_inputs.h"

class IPageHost;
class QCheckBox;
class QLabel;
class QTableWidget;
class TVDData;

// The CAN inputs page of the main module: which CAN signal feeds which input function, the
// CAN options of the inputs, the READY status of hybrid cars as the charge lamp, and the
// engine and road speed the car reports.
class TCanIn : public TVDFrame {
  Q_OBJECT

 public:
  explicit TCanIn(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  const TCanInputs& Inputs() const { return inputs_; }
  QTableWidget& Grid() const { return *grid_; }
  QCheckBox& Ready() const { return *ready_; }
  QLabel& EngineSpeed() const { return *engineSpeed_; }
  QLabel& RoadSpeed() const { return *roadSpeed_; }
  // Engine revolutions reported and not zero.
  bool EngineRuns() const { return engineRuns_; }
  // A click on a signal's cell, as the grid reports it.
  void ClickCell(int entry, int column);
  // A click on the connection row: the function of the column is taken from the CAN bus or
  // no longer. False for a column whose function the inputs page does not list.
  bool ClickConnection(int column);
  // The function of the column is taken from the CAN bus; none for a column without a flag.
  std::optional<bool> FromCan(int column) const;

 private:
  void BuildGrid();
  void AddOptions();
  void AttachSignalTable();
  void AttachReady();
  void AttachSpeeds();
  void AttachVersion();
  void AttachConnections();
  TVDData* ConnectionItem(int column) const;
  void Redraw();

  IPageHost& host_;
  TPageControls controls_;
  TVDData& signals_;
  TCanInputs inputs_;
  QTableWidget* grid_ = nullptr;
  QCheckBox* ready_ = nullptr;
  QLabel* engineSpeed_ = nullptr;
  QLabel* roadSpeed_ = nullptr;
  std::array<uint8_t, 4> speeds_{};
  // The flag byte of each column's function, as last loaded or set.
  std::array<uint8_t, TCanInputs::kColumns> connections_{};
  bool engineRuns_ = false;
};
