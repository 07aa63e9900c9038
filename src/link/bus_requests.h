#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "link/adapter.h"
#include "link/bus_worker.h"

// The requests of one page or window part: one line sends a command, one handler takes its
// answer on the owner's thread. Cancelling the group (a page hidden, a window closing) drops
// what is still queued and every answer not yet delivered.
class TBusRequests {
 public:
  using TOnAnswer = std::function<void(const TAdapter::TAnswer& answer)>;

  explicit TBusRequests(TBusWorker& worker)
      : worker_(worker), token_(std::make_shared<TCancelToken>()) {}
  TBusRequests(const TBusRequests&) = delete;
  TBusRequests& operator=(const TBusRequests&) = delete;
  ~TBusRequests() { Cancel(); }

  // Asks module `dest`; `onAnswer` gets the answer, or one with Answered false after the tries.
  void Request(uint8_t dest, uint8_t command, std::vector<uint8_t> data, TOnAnswer onAnswer) {
    auto answer = std::make_shared<TAdapter::TAnswer>();
    worker_.Submit(
        [answer, dest, command, data = std::move(data)](TAdapter& adapter) {
          *answer = adapter.GetAnswer(kPcAddr, dest, data, command);
        },
        [answer, onAnswer = std::move(onAnswer)] { onAnswer(*answer); }, token_);
  }
  // Runs other bus work for the group; `done` follows on the owner's thread unless the group
  // was cancelled first.
  void Run(TBusWorker::TWork work, std::function<void()> done) {
    worker_.Submit(std::move(work), std::move(done), token_);
  }
  // Cancelled together with the group's requests.
  const TCancelTokenPtr& Token() const { return token_; }
  // Sends a message that takes no answer.
  void Send(const TLanMsg& msg) {
    worker_.Submit([msg](TAdapter& adapter) { adapter.SendMsg(msg); }, {}, token_);
  }
  void Cancel() {
    token_->Cancel();
    token_ = std::make_shared<TCancelToken>();
  }

 private:
  TBusWorker& worker_;
  TCancelTokenPtr token_;
};
