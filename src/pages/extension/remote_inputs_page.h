#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/extension/remote_inputs_lines.h"

class IPageHost;
class QLabel;
class TLearnSession;
class TPanelCategory;
class TVDGrid;

// The input extender's page: the functions, modes and polarities of its six inputs and, from
// firmware 1.4 on, the analog ladder of input 2 with its eight events. The page asks the
// module for its version when shown and lays itself out by it.
class TRemoteInputsPage : public TVDFrame {
  Q_OBJECT

 public:
  explicit TRemoteInputsPage(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  const TRemoteInputs& Inputs() const { return inputs_; }
  TLearnSession& Learning() const { return *learning_; }
  TVDGrid& InputsGrid() const { return *inputsGrid_; }
  TVDGrid& AnalogGrid() const { return *analogGrid_; }
  TPanelCategory& InputsSection() const { return *inputsSection_; }
  TPanelCategory& AnalogSection() const { return *analogSection_; }
  TPanelCategory& EventsSection() const { return *eventsSection_; }

  void PageShown() override;

  void ClickInput(int row, int column);
  void ClickAnalog(int row, int column);
  // The analog grid's layout.
  static constexpr int kCommandColumn = 9;
  static constexpr int kLearnedColumn = 10;
  static constexpr int kLearnColumn = 11;
  static constexpr int kButtonsLearnedRow = 9;
  static constexpr int kLearnButtonRow = 10;
  static constexpr int kFirstFunctionColumn = 3;

 private:
  void BindItems();
  void AddInputsGrid();
  void AddAnalogGrid();
  void AskVersion();
  void TakeVersion(TModuleVersion version);
  void LayOut();
  void ApplyAnalogUse();
  void Store(const char* item);
  void Redraw();
  void RedrawInputs();
  void RedrawAnalog();
  void LearnButton(int button);
  void LearnEvent(int event);
  void Reload(const char* item);

  IPageHost& host_;
  TPageControls controls_;
  TRemoteInputs inputs_;
  std::array<uint8_t, 2> versionBytes_{};
  uint8_t reading_ = 0;
  TVDGrid* inputsGrid_ = nullptr;
  TVDGrid* analogGrid_ = nullptr;
  QLabel* readingLabel_ = nullptr;
  TPanelCategory* inputsSection_ = nullptr;
  TPanelCategory* analogSection_ = nullptr;
  TPanelCategory* eventsSection_ = nullptr;
  TLearnSession* learning_ = nullptr;
};
