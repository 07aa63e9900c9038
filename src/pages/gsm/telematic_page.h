#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TTextCells;

// The telematics page of the GSM module: the mobile data access point, the server, the ping
// interval, roaming, the GPRS switch, the registration, and the GPS fix and coordinate.
class TGSMTelematic : public TVDFrame {
  Q_OBJECT

 public:
  explicit TGSMTelematic(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  QString Coordinate() const;
  QString FixValidity() const;

 private:
  void AddServerSettings();
  void AddPresets(TTextCells& accessPoint);
  void AttachGprsSwitch();
  void AttachRegistration();
  void AddCoordinate();
  void AttachCoordinate();
  void AttachFixValidity();
  void RequestCoordinate();

  IPageHost& host_;
  TPageControls controls_;
  QPushButton* gprs_ = nullptr;
  bool gprsOn_ = false;
  QLineEdit* coordinate_ = nullptr;
  std::array<uint8_t, 10> coordinateBytes_{};
  QString latitude_;
  QString longitude_;
  QLabel* validity_ = nullptr;
  QLabel* validityMark_ = nullptr;
  int invalidFixes_ = 0;
};
