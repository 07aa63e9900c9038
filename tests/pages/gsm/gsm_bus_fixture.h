#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "pages/main/bus_page_fixture.h"
#include "sim/virtual_gsm_module.h"
#include "sim/virtual_vehicle.h"
#include "sim_link.h"
#include "test_support.h"

// A GSM page on the virtual vehicle: its requests go through its own bus worker, and the
// module's messages reach the registry's areas as they do in the main window.
template <class TPage>
class TGsmBusPageTest : public TBoundBusPageTest<TPage> {
 protected:
  static constexpr uint8_t kGsm = 3;

  void TearDown() override {
    this->page.PageHidden();
    TBoundBusPageTest<TPage>::TearDown();
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

  using TBoundBusPageTest<TPage>::registry;
  using TBoundBusPageTest<TPage>::vehicle;
  using TBoundBusPageTest<TPage>::worker;
};
