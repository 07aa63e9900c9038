#pragma once

#include <QDateTime>
#include <QString>
#include <array>

#include "sim/virtual_module.h"

// The GSM module: reports its power mode and server connection, keeps the four timers that
// the PC sets and queries with commands 64..67, keeps a clock (command 44), answers the
// status requests and modem commands of command 40 each after its own sub-request, echoes
// the AT console (command 43) as a modem does, and sends its balance (command 70) and GPS
// coordinate (command 38) on request.
class TVirtualGsmModule : public TVirtualModule {
 public:
  explicit TVirtualGsmModule(const TVirtualModuleSpec& desc);

  std::span<const TLiveStream> LiveStreams() const override;
  const std::array<uint8_t, 4>& Timer(int index) const {
    return timers_.at(static_cast<size_t>(index));
  }
  // The status record the module answers a status request with.
  std::array<uint8_t, 7> Status{21, 150, 0, 0, 18, 90, 85};
  // The balance answer, sent in pieces of ten characters.
  QString BalanceText = QStringLiteral("Balance 123.45 rub. Tariff OK");
  bool Heating() const { return heating_; }
  bool Gprs() const { return gprs_; }
  bool ConsoleOn() const { return consoleOn_; }

 protected:
  void Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) override;
  void Talk(int stream, std::vector<TLanMsg>& out) override;
  void FillState(TLanMsg& answer) const override;

 private:
  void HandleModemCommand(const TLanMsg& msg, std::vector<TLanMsg>& replies);
  void HandleClock(const TLanMsg& msg, std::vector<TLanMsg>& replies);
  void HandleTimer(const TLanMsg& msg, std::vector<TLanMsg>& replies);
  void HandleConsoleKey(const TLanMsg& msg, std::vector<TLanMsg>& replies);
  void SendBalance(std::vector<TLanMsg>& replies) const;
  void SendCoordinate(std::vector<TLanMsg>& replies) const;
  void SendToPc(uint8_t command, const QByteArray& bytes, std::vector<TLanMsg>& replies) const;

  std::array<std::array<uint8_t, 4>, 4> timers_{};
  // The module's clock: the time it was set to, and when.
  QDateTime clockSet_ = QDateTime(QDate(2024, 1, 1), QTime(12, 0));
  QDateTime setAt_ = QDateTime::currentDateTime();
  bool gprs_ = true;
  bool heating_ = false;
  bool consoleOn_ = false;
  QByteArray line_;
};
