#include "sim/virtual_sensor.h"

namespace {

// Sensors whose command 0 sets the operating mode.
bool TakesModeByCommandZero(uint8_t address) {
  return address >= 20 && address <= 22;
}

}  // namespace

TVirtualSensor::TVirtualSensor(const TVirtualModuleSpec& desc) : TVirtualModule(desc) {}

void TVirtualSensor::FillState(TLanMsg& answer) const {
  // Nothing triggered.
  answer.Length = 1;
  answer.Data[0] = 0;
}

void TVirtualSensor::TakeCommandZero(uint8_t param) {
  if (TakesModeByCommandZero(Address())) {
    operatingMode_ = param;
  } else {
    TVirtualModule::TakeCommandZero(param);
  }
}
