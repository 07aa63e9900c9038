#pragma once

#include <initializer_list>

#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
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

// A page on the virtual vehicle, bound as the main window binds it, so that what the modules
// report reaches the page's live items.
template <class TPage>
class TLearningTest : public TBusPageTest<TPage> {
 protected:
  void SetUp() override {
    TBusPageTest<TPage>::SetUp();
    rw.SetAdapter(this->adapter.get());
    rw.SetLocations(kPersistentLocations);
    registry.SetRW(&rw);
    registry.BindControls(this->page.BoundControls(), {});
    this->adapter->SetOnDeviceMessage(
        [this](TAdapter&, const TLanMsg& msg) { registry.DispatchMessage(msg); });
  }
  void TearDown() override {
    this->adapter->SetOnDeviceMessage({});
    registry.SetRW(nullptr);
    TBusPageTest<TPage>::TearDown();
  }

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

  TLanRW rw;
  TLanDevices registry;
};
