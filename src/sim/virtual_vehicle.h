#pragma once

#include <memory>
#include <vector>

#include "sim/sim_options.h"
#include "sim/virtual_module.h"

// The modules of the virtual vehicle, in the order of the program's module table.
extern const std::vector<TVirtualModuleSpec> kVirtualModuleTable;

// The virtual vehicle: every fitted module on one bus.
class TVirtualVehicle {
 public:
  explicit TVirtualVehicle(const TSimOptions& options);

  const TSimOptions& Options() const { return options_; }
  // nullptr when no module with that address is fitted.
  TVirtualModule* Module(int address);
  const std::vector<std::unique_ptr<TVirtualModule>>& Modules() const { return modules_; }

  // A message from the PC reached the bus: the modules' answers, in bus order.
  std::vector<TLanMsg> Deliver(const TLanMsg& msg);

 private:
  TSimOptions options_;
  std::vector<std::unique_ptr<TVirtualModule>> modules_;
};
