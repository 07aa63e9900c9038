#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "binding/ui/page_command.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QTableWidget;
class TMainBoard;
class TVDMemo;

// The diagnostics page of the main module: its short histories and alarm counters, the
// restart causes of its processor, its dates and board readings (kept fresh by the live rows
// while the page is shown).
class TMainDiag : public TVDFrame {
  Q_OBJECT

 public:
  TMainDiag(IPageHost& host, TMainBoard& board, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  QString RestartHistory() const;
  QString AlarmCounters() const;
  QString ProductionDate() const;
  QDateEdit& InstallationDate() const { return *installed_; }
  QString BoardReading(int row) const;

 private:
  void AddCounters();
  void AddRestartHistory();
  void AddDates();
  void AddReadings();
  void AttachHistories();
  void AttachDates();
  void AttachReadings();
  std::optional<uint8_t> FirstFirmware(int byte) const;
  void ClearHistories();
  void RequestCounters();
  void ClearCounters();
  void ClearRestartHistory();
  void ShowReadings();
  // Sends the commands one after another; `done` learns whether every one was answered.
  void RunInOrder(QAbstractButton& button, std::vector<TPageCommand> commands,
                  std::function<void(bool answered, std::vector<TAdapter::TAnswer>)> done);

  IPageHost& host_;
  TMainBoard& board_;
  TPageControls controls_;
  std::array<TVDMemo*, 4> histories_{};
  std::array<uint8_t, 32> restartBytes_{};
  std::array<uint8_t, 4> readings_{};
  uint8_t converter_ = 0;
  uint8_t revision_ = 0;
  uint8_t productionDay_ = 0;
  uint8_t installationDay_ = 0;
  // The installation cell holds bytes that make no date: they stay until the user picks one.
  bool keepInstallation_ = false;
  QPlainTextEdit* counters_ = nullptr;
  QPlainTextEdit* restarts_ = nullptr;
  QLabel* produced_ = nullptr;
  QDateEdit* installed_ = nullptr;
  QTableWidget* readingsGrid_ = nullptr;
};
