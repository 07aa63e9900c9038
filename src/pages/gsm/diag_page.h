#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "link/adapter.h"
#include "pages/gsm/gsm_codings.h"

class IPageHost;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

// The diagnostics page of the GSM module: its state markers and status record, polled every
// 7 seconds while the page is shown, restart and heater commands, the SIM balance, a status
// dump and a console to the modem's AT commands. Every exchange on the module's command 40
// (polls, heater, console switches, dump) waits for its own answer, so no answer is taken for
// another request's, and a module that does not answer is told in the page, not in a box.
class TGSMDiagGSMPager : public TVDFrame {
  Q_OBJECT

 public:
  explicit TGSMDiagGSMPager(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  void Initialize() override;
  void PageShown() override;
  void PageHidden() override;

  // What the page shows, for its tests.
  QString StatusValue(int row) const;
  bool SignalBarVisible() const;
  int SignalBarValue() const;
  QString PollState() const;
  QString ConsoleState() const;
  QString ModemOutput() const;
  QString Balance() const;
  QString LastDump() const { return lastDump_; }
  // Feeds a key to the console as if typed into its input.
  void TypeKey(char16_t key);

  static constexpr int kPollInterval = 7000;
  // The folder below the user's data folder where full console logs go.
  static QString LogFolder();

 private:
  void AddButtons();
  void AddStatusGrid();
  void AddControlSection();
  void AddConsole();
  void AttachModemOutput();
  void AttachBalance();
  void Poll();
  void ShowStatus(const TAdapter::TAnswer& answer);
  void SendOnly(uint8_t command, std::vector<uint8_t> data);
  void SwitchConsole(bool on);
  void RequestDump();
  void RequestBalance();
  void Repeat();
  void TakeModemByte(uint8_t byte);
  void LogWhenFull();
  bool eventFilter(QObject* watched, QEvent* event) override;

  IPageHost& host_;
  TPageControls controls_;
  QTimer* pollTimer_;
  bool firstRequest_ = false;
  bool pollPending_ = false;
  std::array<uint8_t, 7> status_{};
  QTableWidget* grid_ = nullptr;
  QProgressBar* signal_ = nullptr;
  QLabel* pollState_ = nullptr;
  QLabel* balance_ = nullptr;
  TBalancePieces balancePieces_;
  QPlainTextEdit* output_ = nullptr;
  QPlainTextEdit* input_ = nullptr;
  QLineEdit* lineLimit_ = nullptr;
  QCheckBox* allCharacters_ = nullptr;
  QLabel* consoleState_ = nullptr;
  TModemText modemText_;
  QString lastDump_;
};
