#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QPushButton;

// The sensors page of the main module: sensor sensitivities and the temperature sensor from
// its table, and the command that resets the shock sensor's adaptation.
class TMainSensors : public TVDFrame {
  Q_OBJECT

 public:
  explicit TMainSensors(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }

 private:
  void AddAdaptationButton();
  void SwitchOffAdaptation(QPushButton& button);

  IPageHost& host_;
  TPageControls controls_;
};
