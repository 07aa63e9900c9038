#pragma once

#include <initializer_list>

#include "pages/main/bus_page_fixture.h"
#include "sim/virtual_extension_module.h"
#include "sim/virtual_vehicle.h"

// A module's answer to the status request (command 48): its version bytes.
inline TLanMsg StatusAnswer(uint8_t module, std::initializer_list<uint8_t> data) {
  TLanMsg msg;
  msg.Source = module;
  msg.Dest = 1;
  msg.Command = 48;
  msg.IsAnswer = 1;
  for (const uint8_t byte : data) msg.Data[msg.Length++] = byte;
  return msg;
}

// An extension module's page on the virtual vehicle, bound as the main window binds it, with
// what its learning tests need: outcomes, silence, the car's button and the module's bytes.
template <class TPage>
class TLearningTest : public TBoundBusPageTest<TPage> {
 protected:
  void SetOutcome(uint8_t module, TLearnOutcome outcome) {
    this->vehicle->WithVehicle([module, outcome](TVirtualVehicle& car) {
      dynamic_cast<TVirtualExtensionModule&>(*car.Module(module)).Outcome = outcome;
      return 0;
    });
  }
  void Silence(uint8_t module) { this->vehicle->SilenceModule(module, true); }
  // The installer presses the car's button: the module reports what it learned.
  void PressButton(uint8_t module) {
    const auto reports = this->vehicle->WithVehicle([module](TVirtualVehicle& car) {
      return car.Speak(*car.Module(module), TVirtualExtensionModule::kLearnStream);
    });
    for (const TLanMsg& msg : reports) this->vehicle->SendFromModule(msg);
  }
  uint8_t ModuleByte(uint8_t module, int address) {
    return this->vehicle->WithVehicle([module, address](TVirtualVehicle& car) {
      return car.Module(module)->Memory(kSimInt)[static_cast<std::size_t>(address)];
    });
  }
  bool StatusSays(const QString& text) const { return this->host.Status.contains(text); }
  void Read(uint8_t module) {
    registry.ReadDevice(registry.FindDevice(module), kPersistentLocations, {});
  }

  using TBoundBusPageTest<TPage>::registry;
};
