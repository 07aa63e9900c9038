#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "pages/main/output_programs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class TEventField;
class TEventsForm;

// The editor of one output program: when it switches on (an event, or modes and conditions),
// its pulse train and its ways to switch off. It edits a copy of the record; the outputs page
// takes Program() after "ОК".
class TProgOuts : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kModes = 6;
  static constexpr int kConditions = 6;

  TProgOuts(TEventsForm& events, QWidget* parent = nullptr);

  void Edit(int number, const TOutputProgram& program);
  TOutputProgram Program() const;
  // "СБРОС".
  void Clear();

  bool ByEvent() const { return byEvent_; }
  QCheckBox& Mode(int i) const { return *modes_[static_cast<size_t>(i)]; }
  QCheckBox& Condition(int i) const { return *conditions_[static_cast<size_t>(i)]; }
  TEventField& OnEvent() const { return *onEvent_; }
  TEventField& OffEvent(int i) const { return *offEvents_[static_cast<size_t>(i)]; }
  TEventField& CancelEvent(int i) const { return *cancelEvents_[static_cast<size_t>(i)]; }
  QComboBox& PulseType() const { return *pulseType_; }
  QSlider& Time(int i) const { return *times_[static_cast<size_t>(i)]; }
  QSlider& OffDelay(int i) const { return *offDelays_[static_cast<size_t>(i)]; }
  QSlider& Repeat() const { return *repeat_; }

 protected:
  void done(int result) override;

 private:
  QWidget* BuildSwitchOn();
  QWidget* BuildPulses();
  QWidget* BuildSwitchOff();
  QSlider* AddTimeSlider(class QGridLayout& grid, int row, const QString& caption,
                         const QString& prefix);
  TEventField* AddEventField(const QString& title);
  void SetByEvent(bool byEvent);
  void TickChanged(QCheckBox* box, bool ticked);
  void ApplyPulseType(int type);
  void KeepPulseType(uint8_t type);

  TEventsForm& events_;
  std::array<QCheckBox*, kModes> modes_{};
  std::array<QCheckBox*, kConditions> conditions_{};
  TEventField* onEvent_ = nullptr;
  QLabel* byConditionsLabel_ = nullptr;
  QLabel* byEventLabel_ = nullptr;
  QComboBox* pulseType_ = nullptr;
  // A stored pulse type the list does not show, kept until the user picks one.
  std::optional<uint8_t> keptPulseType_;
  std::array<QSlider*, TOutputProgram::kTimes> times_{};
  QSlider* repeat_ = nullptr;
  QLabel* repeatLabel_ = nullptr;
  std::array<TEventField*, TOutputProgram::kOffWays> offEvents_{};
  std::array<QSlider*, TOutputProgram::kOffWays> offDelays_{};
  std::array<TEventField*, TOutputProgram::kOffWays> cancelEvents_{};
  bool byEvent_ = false;
};
