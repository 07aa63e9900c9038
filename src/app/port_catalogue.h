#pragma once

#include "shell/port_chooser.h"

// The ports of this machine as the program's port provider opens them: the USB adapters
// plugged in (by description), the serial devices of the kernel's USB drivers and the
// virtual vehicle.
class TPortCatalogue : public IPortCatalogue {
 public:
  std::vector<TPortChoice> Choices() override;
  QString Title(const QString& description) const override;
};
