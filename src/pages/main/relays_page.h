#pragma once

#include <QTimer>
#include <functional>

#include "binding/ui/vd_frame.h"

class IPageHost;
class QAbstractButton;
class QComboBox;
class QGridLayout;
class QLabel;

// The relays page: puts the immobiliser relays on the bus into programming and sends them
// their settings, each command only while the main module says the relays are programmed.
class TMainRelays : public TVDFrame {
  Q_OBJECT

 public:
  explicit TMainRelays(IPageHost& host, QWidget* parent = nullptr);

  // What the countdown shows: minutes and two-digit seconds.
  QString Countdown() const;

 private:
  void AddProgrammingPart();
  void AddSettingsPart();
  void AddSetting(QGridLayout& grid, const QString& caption,
                  std::initializer_list<std::pair<const char*, uint8_t>> buttons);
  void EnterProgramming(QAbstractButton& button);
  void ResetRelays(QAbstractButton& button);
  void LeaveProgramming(QAbstractButton& button);
  void SendSetting(QAbstractButton& button, uint8_t command);
  void Tick();
  void ShowCountdown();

  IPageHost& host_;
  QComboBox* target_ = nullptr;
  QLabel* countdown_ = nullptr;
  QTimer timer_;
  int secondsLeft_ = 0;
};
