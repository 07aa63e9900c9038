#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QLabel;
class QListWidget;
class QPushButton;
class QTimeEdit;
class QTimer;
class TVDData;

// The time page of the GSM module: the module's clock, kept fresh once a second while the
// page is shown, and its two daily start timers and periodic warm-up timer.
class TGSMTimesGSMPager : public TVDFrame {
  Q_OBJECT

 public:
  explicit TGSMTimesGSMPager(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  QString ClockDate() const;
  QString ClockTime() const;
  QString TimerState(int timer) const;
  QString NextWarmUp() const;

  void PageShown() override;
  void PageHidden() override;

 private:
  // The controls of one start timer.
  struct TStartTimer {
    QTimeEdit* Time = nullptr;
    QLabel* State = nullptr;
    QListWidget* Days = nullptr;
    int Hour = 0;
  };

  void AddClock();
  void AddStartTimer(int index, const QString& section);
  void AddWarmUpTimer();
  void ShowClock();
  void AskClock();
  void Ask(std::vector<uint8_t> commands);
  void Synchronise();
  void SetStartTimer(int index, bool set);
  void SetWarmUpTimer(bool set);
  void Send(uint8_t command, std::vector<uint8_t> data);
  void EnableWith(TVDData& cell, std::vector<QWidget*> widgets);

  IPageHost& host_;
  TPageControls controls_;
  QTimer* clockTimer_;
  std::array<uint8_t, 7> clock_{};
  QLabel* date_ = nullptr;
  QLabel* time_ = nullptr;
  std::array<TStartTimer, 2> starts_{};
  QTimeEdit* warmUp_ = nullptr;
  QLabel* warmUpState_ = nullptr;
  QLabel* nextStart_ = nullptr;
  int warmUpHour_ = 0;
  int nextHour_ = 0;
};
