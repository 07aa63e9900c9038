#pragma once

#include <cstdint>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QLabel;
class QLineEdit;
class TLanMsg;

// The options page of the GSM module: engine start by voltage and temperature, fuel, short
// call, the GSM network, security, tag search and the module's general switches.
class TGSMOptionsGSMPager : public TVDFrame {
  Q_OBJECT

 public:
  explicit TGSMOptionsGSMPager(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  // The vehicle's fuel gauge counts litres rather than percent.
  bool FuelInLitres() const { return fuelInLitres_; }

 private:
  void AttachLowVoltageNote();
  void AttachFuelLevel(IPageHost& host);
  void TakeFuelUnit(const TLanMsg& msg);
  void AddNetworkChoices();
  void AddTagSearchTimes();
  void AddTankVolume();
  void TankVolumeEdited();

  TPageControls controls_;
  bool fuelInLitres_ = false;
  bool fuelLoaded_ = false;
  uint8_t tankVolume_ = 0;
  QLineEdit* tank_ = nullptr;
  QLabel* tankWarning_ = nullptr;
};
