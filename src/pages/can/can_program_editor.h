#pragma once

#include <QDialog>
#include <array>

#include "pages/can/can_programs.h"

class QComboBox;
class QLabel;
class QSlider;
class TEventField;
class TEventsForm;

// The editor of one CAN program: the command, the event that switches it on, the four that
// switch it off, the delay, the pause between repeats and the repeat count. It edits a copy;
// the page takes Program() after "ОК".
class TProgCan : public QDialog {
  Q_OBJECT

 public:
  explicit TProgCan(TEventsForm& events, QWidget* parent = nullptr);

  // `number` is the program's number as the grid shows it, from 1.
  void Edit(int number, const TCanProgram& program);
  TCanProgram Program() const;

  QComboBox& Command() const { return *command_; }
  TEventField& OnEvent() const { return *onEvent_; }
  TEventField& OffEvent(int i) const { return *offEvents_.at(static_cast<size_t>(i)); }
  QSlider& Delay() const { return *delay_; }
  QSlider& Pause() const { return *pause_; }
  QSlider& Repeats() const { return *repeats_; }
  QLabel& RepeatCount() const { return *repeatCount_; }

 protected:
  void done(int result) override;

 private:
  void ShowCommand(uint8_t command);
  TEventField* AddEventField(const QString& listTitle);
  QSlider* AddTimeSlider(class QGridLayout& grid, int row, const QString& caption);

  TEventsForm& events_;
  QComboBox* command_ = nullptr;
  // The list item of a stored command the list has no item for, kept until the user picks.
  int unknownCommand_ = -1;
  TEventField* onEvent_ = nullptr;
  std::array<TEventField*, TCanProgram::kOffEvents> offEvents_{};
  QSlider* delay_ = nullptr;
  QSlider* pause_ = nullptr;
  QSlider* repeats_ = nullptr;
  QLabel* repeatCount_ = nullptr;
};
