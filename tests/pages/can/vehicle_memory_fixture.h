#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "link/adapter.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "sim/virtual_vehicle.h"
#include "sim_link.h"

// Pages bound to a registry that reads and writes the virtual vehicle's main module, whose
// memories the test sets and inspects directly. The board is of the third generation.
class TVehicleMemoryTest : public ::testing::Test {
 protected:
  TVehicleMemoryTest() {
    Poke(kSimExt, 0, 0x04);
    rw.SetAdapter(adapter.get());
    rw.SetClearDirtyAfterWrite(true);
    rw.SetLocations(kPersistentLocations);
    registry.SetRW(&rw);
  }
  ~TVehicleMemoryTest() override { registry.SetRW(nullptr); }

  void Poke(int location, int addr, uint8_t byte) {
    vehicle->WithVehicle([&](TVirtualVehicle& v) { v.Module(2)->Memory(location)[addr] = byte; });
  }
  uint8_t Peek(int location, int addr) {
    return vehicle->WithVehicle(
        [&](TVirtualVehicle& v) { return v.Module(2)->Memory(location)[addr]; });
  }
  void Read() { registry.ReadDevice(registry.FindDevice(2), kPersistentLocations, {}); }
  void Write() { registry.WriteDevice(registry.FindDevice(2), kPersistentLocations, {}); }

  std::shared_ptr<TVirtualAdapter> vehicle = MakeTestVehicle();
  std::unique_ptr<TAdapter> adapter = ConnectTo(vehicle);
  TLanRW rw;
  TLanDevices registry;
};
