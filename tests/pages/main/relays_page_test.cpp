#include "pages/main/relays_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "link/bus_worker.h"
#include "shell/fake_page_host.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

class RelaysPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(adapter->IsConnected());
    page.AttachBus(worker);
    vehicle->TakeSentByPc();
  }
  void TearDown() override { worker.Stop(); }
  void Click(const char* name) {
    auto* button = page.findChild<QPushButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }
  // What the PC sent until the bus fell quiet.
  std::vector<TLanMsg> Sent() {
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
  static std::vector<std::pair<int, std::vector<int>>> Commands(const std::vector<TLanMsg>& sent) {
    std::vector<std::pair<int, std::vector<int>>> commands;
    for (const TLanMsg& msg : sent) {
      commands.push_back(
          {msg.Command, std::vector<int>(msg.Data.begin(), msg.Data.begin() + msg.Length)});
    }
    return commands;
  }

  std::shared_ptr<TVirtualAdapter> vehicle = MakeTestVehicle();
  std::unique_ptr<TAdapter> adapter = ConnectTo(vehicle);
  TBusWorker worker{*adapter};
  TFakePageHost host;
  TMainRelays page{host};
};

TEST_F(RelaysPageTest, SettingsGoOnlyWhileTheRelaysAreInProgramming) {
  using TCommands = std::vector<std::pair<int, std::vector<int>>>;
  Click("btSetting4");
  EXPECT_EQ(Commands(Sent()), (TCommands{{89, {1, 61, 0}}})) << "asked, and nothing more";

  Click("btEnter");
  EXPECT_EQ(Commands(Sent()), (TCommands{{114, {2}}}));
  EXPECT_EQ(page.Countdown(), QStringLiteral("10:00"));

  page.findChild<QComboBox*>(QStringLiteral("cbTarget"))->setCurrentIndex(2);
  Click("btSetting4");
  EXPECT_EQ(Commands(Sent()), (TCommands{{89, {1, 61, 0}}, {12, {2 * 64 + 4}}}));

  Click("btReset");
  EXPECT_EQ(Commands(Sent()), (TCommands{{89, {1, 61, 0}}, {12, {0}}}));
  EXPECT_TRUE(host.Status.contains(QStringLiteral("Команда принята")));

  Click("btLeave");
  EXPECT_EQ(Commands(Sent()), (TCommands{{89, {1, 61, 0}}, {28, {63, 0}}}));
  EXPECT_EQ(page.Countdown(), QStringLiteral("0:00"));
  Click("btSetting4");
  EXPECT_EQ(Commands(Sent()), (TCommands{{89, {1, 61, 0}}})) << "programming has ended";
}

}  // namespace
