#pragma once

#include <memory>
#include <vector>

#include "sim/sim_options.h"
#include "sim/virtual_main_module.h"
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
  TVirtualMainModule* MainModule() { return main_; }
  const std::vector<std::unique_ptr<TVirtualModule>>& Modules() const { return modules_; }

  // A message from the PC reached the bus: the modules' answers, in bus order, and what the
  // other modules said on hearing them.
  std::vector<TLanMsg> Deliver(const TLanMsg& msg);
  // One live stream of one module spoke; the messages, as Deliver gives them.
  std::vector<TLanMsg> Speak(TVirtualModule& module, int stream);
  // Something happened to the car; the messages the modules send about it.
  std::vector<TLanMsg> Perform(TSimAction action);

 private:
  // Every module hears what another module sent; their reactions are sent too, but not
  // heard again, so that two modules can never talk to each other without end.
  std::vector<TLanMsg> Spread(std::vector<TLanMsg> sent);

  TSimOptions options_;
  std::vector<std::unique_ptr<TVirtualModule>> modules_;
  TVirtualMainModule* main_ = nullptr;
};
