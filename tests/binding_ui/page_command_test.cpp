// A page button's command: refused without an adapter or an answering module, asked first
// when it must be confirmed, one answer per click, and never greyed for good.

#include "binding/ui/page_command.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include "binding/ui/vd_frame.h"
#include "link/bus_worker.h"
#include "shell/fake_page_host.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

class PageCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vehicle = MakeTestVehicle();
    adapter = ConnectTo(vehicle);
    ASSERT_TRUE(adapter->IsConnected());
    worker = std::make_unique<TBusWorker>(*adapter);
    vehicle->TakeSentByPc();
  }
  void TearDown() override { worker->Stop(); }

  std::vector<TLanMsg> SentAfter(std::chrono::milliseconds wait) {
    SpinFor(wait);
    return vehicle->TakeSentByPc();
  }

  std::shared_ptr<TVirtualAdapter> vehicle;
  std::unique_ptr<TAdapter> adapter;
  std::unique_ptr<TBusWorker> worker;
  TFakePageHost host;
  TVDFrame page{2};
  QPushButton button{&page};
};

TEST_F(PageCommandTest, NothingGoesWithoutAnAdapterAnAnsweringModuleOrTheUsersYes) {
  SendPageCommand(page, host, &button, {.Dest = 2, .Command = 48, .Data = {29}});
  ASSERT_EQ(host.Status.size(), 1);
  EXPECT_TRUE(host.Status[0].contains(QStringLiteral("адаптер")));

  page.AttachBus(*worker);
  host.Absent = 2;
  SendPageCommand(page, host, &button, {.Dest = 2, .Command = 48, .Data = {29}});
  EXPECT_EQ(host.Status.size(), 2);
  host.Absent = 0xFF;
  host.Yes = false;
  SendPageCommand(page, host, &button,
                  {.Dest = 2, .Command = 48, .Data = {29}, .Confirm = QStringLiteral("Точно?")});
  EXPECT_EQ(host.Asked, QStringList{QStringLiteral("Точно?")});
  EXPECT_TRUE(SentAfter(300ms).empty());
  EXPECT_TRUE(button.isEnabled());
}

TEST_F(PageCommandTest, TheButtonWaitsForItsAnswerAndComesBackWhenThePageDropsIt) {
  page.AttachBus(*worker);
  std::vector<TAdapter::TAnswer> answers;
  const auto ask = [&] {
    SendPageCommand(page, host, &button, {.Dest = 2, .Command = 3},
                    [&answers](const TAdapter::TAnswer& answer) { answers.push_back(answer); });
  };
  ask();
  EXPECT_FALSE(button.isEnabled()) << "one click, one request";
  ASSERT_TRUE(SpinUntil([&] { return !answers.empty(); }, 5s));
  EXPECT_TRUE(answers[0].Answered);
  EXPECT_TRUE(button.isEnabled());

  vehicle->SilenceModule(2, true);
  ask();
  page.DropRequests();
  EXPECT_TRUE(button.isEnabled()) << "a dropped request never answers";
  SpinFor(500ms);
  EXPECT_EQ(answers.size(), 1u) << "and its answer reaches no one";
}

}  // namespace
