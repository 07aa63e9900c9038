#pragma once

#include <optional>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/extension/validator_lines.h"

class IPageHost;
class QLineEdit;
class TLearnSession;
class TVDGrid;

// The validator's page: its table, the grid of its six lines and code, the grid of its
// analog buttons, the service PIN, the overload record and the learning of the code and of
// the analog buttons.
class TValidatorPage : public TVDFrame {
  Q_OBJECT

 public:
  explicit TValidatorPage(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  const TValidatorLines& Lines() const { return lines_; }
  TVDGrid& LinesGrid() const { return *linesGrid_; }
  TVDGrid& AnalogGrid() const { return *analogGrid_; }
  TLearnSession& Learning() const { return *learning_; }
  QLineEdit& PinEdit() const { return *pin_; }

  void PageShown() override;
  void PageHidden() override;

  // Grid rows and columns as the page lays them out.
  static constexpr int kLearnRow = 7;
  static constexpr int kEnableRow = 8;
  static constexpr int kMaskColumn = 4;
  static constexpr int kAnalogLearnedRow = 3;
  static constexpr int kAnalogLearnRow = 4;

  // A click on a cell of either grid, as the user makes it.
  void ClickLine(int row, int column);
  void ClickAnalog(int row, int column);

 private:
  void BindItems();
  void AddLinesGrid();
  void AddAnalogGrid();
  void AddSetButtons();
  void AddOverloads();
  void AddPin();
  void Store(const char* item);
  void Redraw();
  void RedrawLines();
  void RedrawAnalog();
  void ShowPin();
  void StorePin();
  void PopFunctionMenu(int line, int row, int column);
  void ApplyCodeRequestRule();
  void LearnCode();
  void LearnAnalog(int column);
  void TakeInputs(uint8_t byte);
  void TakePressed(int ladder, uint8_t byte);

  IPageHost& host_;
  TPageControls controls_;
  TValidatorLines lines_;
  std::array<uint8_t, 2> analogPressed_{};
  // What the journal notes compare with; nothing before the first report.
  std::optional<uint8_t> reportedInputs_;
  std::array<std::optional<uint8_t>, 2> reportedPressed_{};
  bool learningAnalog_ = false;
  TVDGrid* linesGrid_ = nullptr;
  TVDGrid* analogGrid_ = nullptr;
  QLineEdit* pin_ = nullptr;
  TLearnSession* learning_ = nullptr;
};
