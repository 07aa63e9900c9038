#include "pages/main/relays_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "bus_page_fixture.h"
#include "link/bus_worker.h"
#include "shell/fake_page_host.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

class RelaysPageTest : public TBusPageTest<TMainRelays> {
 protected:
  static std::vector<std::pair<int, std::vector<int>>> Commands(const std::vector<TLanMsg>& sent) {
    std::vector<std::pair<int, std::vector<int>>> commands;
    for (const TLanMsg& msg : sent) {
      commands.push_back(
          {msg.Command, std::vector<int>(msg.Data.begin(), msg.Data.begin() + msg.Length)});
    }
    return commands;
  }
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
