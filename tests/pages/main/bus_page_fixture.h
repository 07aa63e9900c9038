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
#include "sim_link.h"
#include "test_support.h"

// A page that talks to the virtual vehicle through its own bus worker, with what the PC sent
// at hand.
template <class TPage>
class TBusPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(adapter->IsConnected());
    page.AttachBus(worker);
    vehicle->TakeSentByPc();
  }
  void TearDown() override { worker.Stop(); }
  void Click(const char* name) {
    auto* button = page.template findChild<QPushButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }
  // What the PC sent until the bus fell quiet.
  std::vector<TLanMsg> Sent() {
    using namespace std::chrono_literals;
    std::vector<TLanMsg> messages;
    SpinUntil(
        [&] {
          for (const TLanMsg& msg : vehicle->TakeSentByPc()) messages.push_back(msg);
          return worker.Idle() && !messages.empty();
        },
        5s);
    SpinFor(300ms);
    for (const TLanMsg& msg : vehicle->TakeSentByPc()) messages.push_back(msg);
    return messages;
  }

  std::shared_ptr<TVirtualAdapter> vehicle = MakeTestVehicle();
  std::unique_ptr<TAdapter> adapter = ConnectTo(vehicle);
  TBusWorker worker{*adapter};
  TFakePageHost host;
  TPage page{host};
};

// The same page bound as the main window binds it: what the modules report reaches the page's
// items, and the registry reads and writes the module's memories.
template <class TPage>
class TBoundBusPageTest : public TBusPageTest<TPage> {
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

  TLanRW rw;
  TLanDevices registry;
};
