#pragma once

#include "sim/virtual_module.h"

// A shock, microwave or tilt sensor. The shock and microwave sensors take their operating
// mode as command 0 with one data byte, where other modules expect the end-of-write notice.
class TVirtualSensor : public TVirtualModule {
 public:
  explicit TVirtualSensor(const TVirtualModuleSpec& desc);

  int OperatingMode() const { return operatingMode_; }

 protected:
  void FillState(TLanMsg& answer) const override;
  void TakeCommandZero(uint8_t param) override;

 private:
  int operatingMode_ = 0;
};
