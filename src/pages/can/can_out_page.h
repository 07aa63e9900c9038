#pragma once

#include <array>
#include <cstdint>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/can/can_programs.h"
#include "pages/can/security_choices.h"

class IPageHost;
class QButtonGroup;
class QGroupBox;
class TCanLinks;
class TCanProgramGrid;
class TEventsForm;
class TVDCheckBox;
class TVDData;

// The CAN outputs page of the main module: the CAN commands of arming and disarming, the
// interaction with the car's own alarm, the CAN timers and the 16 CAN programs.
class TCanOut : public TVDFrame {
  Q_OBJECT

 public:
  explicit TCanOut(IPageHost& host, TCanLinks* links = nullptr, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  QGroupBox& Arming() const { return *choices_[0].Box; }
  QGroupBox& Disarming() const { return *choices_[1].Box; }
  // The item a choice shows; -1 for none.
  int ArmingItem() const;
  int DisarmingItem() const;
  // Acts as the user's click on an item.
  void ChooseArming(int item);
  void ChooseDisarming(int item);
  const TCanPrograms& Programs() const { return programs_; }
  TCanProgramGrid& ProgramGrid() const { return *grid_; }
  // Hints that the control page gives the choices for the chosen car.
  void SetChoiceHints(const QString& hint);
  void EditProgram(int index);
  void ResetProgram(int index);

 private:
  struct TChoice {
    QGroupBox* Box = nullptr;
    QButtonGroup* Items = nullptr;
  };

  void AddOutputsRow();
  TChoice AddChoice(const TChoiceTexts& texts);
  void AttachCanOutputs();
  void AttachPrograms();
  void SetProgram(int index, const TCanProgram& program);
  void ShowChoices();
  void SetByteBit(int bit, bool set);
  void SetBox(const char* name, bool checked);
  bool BoxChecked(const char* name) const;
  TEventsForm& Events();

  IPageHost& host_;
  TPageControls controls_;
  TVDData& canOutputs_;
  uint8_t canOutputsByte_ = 0;
  std::array<TChoice, 2> choices_{};
  TCanPrograms programs_;
  std::array<TVDData*, 3> programItems_{};
  TCanProgramGrid* grid_ = nullptr;
  TEventsForm* events_ = nullptr;
};
