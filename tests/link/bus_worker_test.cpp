#include "link/bus_worker.h"

#include <gtest/gtest.h>

#include <atomic>

#include "link/bus_requests.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

class BusWorkerTest : public ::testing::Test {
 protected:
  std::shared_ptr<TVirtualAdapter> vehicle = MakeTestVehicle();
  std::unique_ptr<TAdapter> adapter = ConnectTo(vehicle);
};

TEST_F(BusWorkerTest, JobsRunInOrderOffThisThreadAndCompleteOnIt) {
  TBusWorker worker(*adapter);
  const auto owner = std::this_thread::get_id();
  std::vector<int> ran;  // bus thread only
  std::vector<int> done;
  bool offThread = true;
  for (int i = 0; i < 5; ++i) {
    worker.Submit(
        [&, i](TAdapter&) {
          offThread = offThread && std::this_thread::get_id() != owner;
          ran.push_back(i);
        },
        [&, i] {
          EXPECT_EQ(std::this_thread::get_id(), owner);
          done.push_back(i);
        });
  }
  ASSERT_TRUE(SpinUntil([&] { return done.size() == 5; }));
  EXPECT_EQ(done, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(ran, done);
  EXPECT_TRUE(offThread);
  EXPECT_TRUE(worker.Idle());
}

TEST_F(BusWorkerTest, OwnerStepsRunOnTheOwnersThreadAndPassTheirExceptionsBack) {
  TBusWorker worker(*adapter);
  const auto owner = std::this_thread::get_id();
  std::atomic<bool> sawOwner = false;
  std::atomic<bool> caught = false;
  std::atomic<bool> finished = false;
  worker.Submit([&](TAdapter&) {
    worker.CallOwner([&] { sawOwner = std::this_thread::get_id() == owner; });
    try {
      worker.CallOwner([] { throw std::runtime_error("refused"); });
    } catch (const std::runtime_error&) {
      caught = true;
    }
    finished = true;
  });
  ASSERT_TRUE(SpinUntil([&] { return finished.load(); }));
  EXPECT_TRUE(sawOwner);
  EXPECT_TRUE(caught);
}

TEST_F(BusWorkerTest, CancelledJobsNeitherRunNorComplete) {
  TBusWorker worker(*adapter);
  auto token = std::make_shared<TCancelToken>();
  std::atomic<bool> block = true;
  std::atomic<int> ran = 0;
  int done = 0;
  worker.Submit([&](TAdapter&) {
    while (block) std::this_thread::sleep_for(1ms);
  });
  worker.Submit([&](TAdapter&) { ++ran; }, [&] { ++done; }, token);
  token->Cancel();
  block = false;
  ASSERT_TRUE(SpinUntil([&] { return worker.Idle(); }));
  SpinFor(20ms);
  EXPECT_EQ(ran, 0);
  EXPECT_EQ(done, 0);
}

TEST_F(BusWorkerTest, StopAbandonsQueuedWorkAndARequestWaitingForItsAnswer) {
  vehicle->SilenceModule(2, true);
  auto worker = std::make_unique<TBusWorker>(*adapter);
  std::atomic<bool> started = false;
  std::atomic<bool> answered = true;
  std::atomic<int> later = 0;
  worker->Submit([&](TAdapter& link) {
    started = true;
    answered = link.GetAnswerNoData(kPcAddr, 2, 3).Answered;
  });
  worker->Submit([&](TAdapter&) { ++later; });
  ASSERT_TRUE(SpinUntil([&] { return started.load(); }));
  worker->Stop();
  EXPECT_FALSE(answered);
  EXPECT_EQ(later, 0);
}

TEST_F(BusWorkerTest, RequestsOfACancelledGroupAreNotAnswered) {
  TBusWorker worker(*adapter);
  TBusRequests requests(worker);
  std::vector<bool> answers;
  requests.Request(2, 3, {},
                   [&](const TAdapter::TAnswer& answer) { answers.push_back(answer.Answered); });
  ASSERT_TRUE(SpinUntil([&] { return !answers.empty(); }));
  EXPECT_EQ(answers, std::vector<bool>{true});

  requests.Request(2, 3, {}, [&](const TAdapter::TAnswer&) { answers.push_back(false); });
  requests.Cancel();
  ASSERT_TRUE(SpinUntil([&] { return worker.Idle(); }));
  SpinFor(20ms);
  EXPECT_EQ(answers.size(), 1u);
}

}  // namespace
