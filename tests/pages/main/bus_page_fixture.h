#pragma once

#include <gtest/gtest.h>

#include <QPushButton>
#include <chrono>
#include <memory>
#include <vector>

#include "link/bus_worker.h"
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
