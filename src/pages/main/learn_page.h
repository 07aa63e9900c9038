#pragma once

#include <QTimer>
#include <array>
#include <cstdint>

#include "binding/ui/vd_frame.h"
#include "link/lan_msg.h"

class IPageHost;
class QAbstractButton;
class QLabel;
class QPushButton;

// The learning page of the main module: measuring, relay and key fob learning and restart as
// the window's commands, a timed tag search that counts the answers, and buttons that imitate
// other modules' commands on the bus.
class TMainLearn : public TVDFrame {
  Q_OBJECT

 public:
  explicit TMainLearn(IPageHost& host, QWidget* parent = nullptr);

  // The two data bytes of the last command 1 the tag transceiver sent to the main module.
  std::array<uint8_t, 2> TransceiverCode() const { return transceiverCode_; }
  int AnswerCount() const { return answers_; }
  QString Countdown() const;

 private:
  void AddCommandButtons();
  void AddTagRequest();
  void AddImitations();
  void StartTagRequest();
  void StopTagRequest();
  void Tick();
  void ShowState();
  void Imitate(QAbstractButton& button, uint8_t source, uint8_t command);
  void Watch(const TLanMsg& msg);

  IPageHost& host_;
  std::array<uint8_t, 2> transceiverCode_{};
  bool counting_ = false;
  int answers_ = 0;
  int secondsLeft_ = 0;
  QTimer answerWindow_;
  QTimer countdown_;
  QLabel* countLabel_ = nullptr;
  QLabel* countdownLabel_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
};
