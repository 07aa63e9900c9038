#pragma once

#include <gtest/gtest.h>

#include <QPushButton>
#include <chrono>
#include <memory>
#include <vector>

#include "link/bus_worker.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "shell/fake_page_host.h"
#include "sim/virtual_gsm_module.h"
#include "sim/virtual_vehicle.h"
#include "sim_link.h"
#include "test_support.h"

// A GSM page on the virtual vehicle: its requests go through its own bus worker, and the
// module's messages reach the registry's areas as they do in the main window.
template <class TPage>
class TGsmBusPageTest : public ::testing::Test {
 protected:
  static constexpr uint8_t kGsm = 3;

  void SetUp() override {
    ASSERT_TRUE(adapter->IsConnected());
    rw.SetAdapter(adapter.get());
    registry.SetRW(&rw);
    registry.BindControls(page.BoundControls(), {});
    adapter->SetOnDeviceMessage(
        [this](TAdapter&, const TLanMsg& msg) { registry.DispatchMessage(msg); });
    page.AttachBus(worker);
    vehicle->TakeSentByPc();
  }
  void TearDown() override {
    page.PageHidden();
    worker.Stop();
    adapter->SetOnDeviceMessage(nullptr);
    registry.SetRW(nullptr);
  }
  void Click(const char* name) {
    auto* button = page.template findChild<QPushButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }
  // Waits for `condition` while sending the queued messages one by one, as the window's link
  // keeper does.
  template <class F>
  bool Await(F condition) {
    using namespace std::chrono_literals;
    return SpinUntil(
        [&] {
          if (worker.Idle()) worker.Submit([](TAdapter& link) { link.ProcessQueue(); });
          return condition();
        },
        5s);
  }
  template <class F>
  void WithGsm(F f) {
    vehicle->WithVehicle([&](TVirtualVehicle& v) {
      f(*dynamic_cast<TVirtualGsmModule*>(v.Module(kGsm)));
      return 0;
    });
  }

  std::shared_ptr<TVirtualAdapter> vehicle = MakeTestVehicle();
  std::unique_ptr<TAdapter> adapter = ConnectTo(vehicle);
  TBusWorker worker{*adapter};
  TLanRW rw;
  TLanDevices registry;
  TFakePageHost host;
  TPage page{host};
};
