#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QLabel;

// The heater page of the GSM module: how the module runs a fuel-operated heater, its comfort
// start and its temperature limits, and the boiler's temperature on request.
class TGSMWebasto : public TVDFrame {
  Q_OBJECT

 public:
  explicit TGSMWebasto(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  QString BoilerTemperature() const;

 private:
  void AddBoilerTemperature();
  void RequestBoilerTemperature();

  IPageHost& host_;
  TPageControls controls_;
  QLabel* boiler_ = nullptr;
};
