#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/extension/relay_io_inputs.h"

class IPageHost;
class TLanMsg;
class TMainInputs;
class TLearnSession;
class TVDGrid;

// The engine start module's page, in the layout of the module's generation: before version
// 262 combinations carry an input mask and learn through commands 112 and 113, from 262 on
// they learn through command 54 and the page shows the converter readings. Both show the
// inputs, the analog buttons, the combinations and the overload record. A page shown for a
// module of the other generation hands over to the other page, so that no setting is written
// where the module keeps another one.
class TRelayIOPage : public TVDFrame {
  Q_OBJECT

 public:
  enum TGeneration { kOlder, kNewer };
  TRelayIOPage(IPageHost& host, TGeneration generation, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  const TRelayIOInputs& Inputs() const { return inputs_; }
  TLearnSession& Learning() const { return *learning_; }
  TVDGrid& InputsGrid() const { return *inputsGrid_; }
  TVDGrid& AnalogGrid() const { return *analogGrid_; }
  TVDGrid& CombinationsGrid() const { return *combinations_; }

  void PageShown() override;
  void PageHidden() override;

  // Clicks as the user makes them. Analog grid: a block of five rows per input.
  void ClickInput(int row, int column);
  void ClickAnalog(int row, int column);
  void ClickCombination(int row, int column);

  static constexpr int kBlockRows = 5;
  static constexpr int kLearnedInBlock = 3;
  static constexpr int kLearnInBlock = 4;
  static constexpr int kLearnedColumn = 2;
  static constexpr int kLearnColumn = 3;

 private:
  void BindItems();
  void AddInputsGrid();
  void AddAnalogGrid();
  void AddCombinationsGrid();
  void AddOverloads();
  void AddReadings();
  void Store(const char* item);
  void Redraw();
  void RedrawInputs();
  void RedrawAnalog();
  void RedrawCombinations();
  void LearnButton(int input, int button);
  void LearnCombination(int combination);
  void TakeResult(uint8_t byte);
  void TakeLiveInputs(const TLanMsg& msg);
  void RedrawInputFunctions();
  // What a function cell of the inputs grid says of the function on an input.
  enum class TFunctionCell { Refused, Free, Own };
  static int FunctionAt(const TMainInputs& inputs, int column);
  TFunctionCell FunctionCell(const TMainInputs& inputs, int input, int taskId) const;
  void ShowOwnGeneration();

  IPageHost& host_;
  TGeneration generation_;
  TPageControls controls_;
  TRelayIOInputs inputs_;
  std::array<uint8_t, 3> readings_{};
  uint8_t pressedButtons_ = 0;
  std::array<uint8_t, 2> version_{};
  bool shown_ = false;
  TVDGrid* inputsGrid_ = nullptr;
  TVDGrid* analogGrid_ = nullptr;
  TVDGrid* combinations_ = nullptr;
  TVDGrid* readingsGrid_ = nullptr;
  TLearnSession* learning_ = nullptr;
};
