#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "link/cross_thread_queue.h"

class TAdapter;

// Says that work queued or running for the bus is no longer wanted: a hidden page, a cancelled
// transfer, a window that closes. Shared between the thread that asked and the bus thread.
class TCancelToken {
 public:
  void Cancel() { cancelled_ = true; }
  bool Cancelled() const { return cancelled_; }

 private:
  std::atomic<bool> cancelled_{false};
};
using TCancelTokenPtr = std::shared_ptr<TCancelToken>;

// Raised on the bus thread when the work it is doing was abandoned: the worker stops, or the
// owner's thread will not run a step any more.
class EBusAbandoned : public std::runtime_error {
 public:
  EBusAbandoned() : std::runtime_error("bus work abandoned") {}
};

// The one thread that waits on the bus. Every request/answer exchange runs here, one job after
// another in the order they were submitted, so the thread that owns the window never waits for
// a module. Completions come back to the owner's thread through its event loop.
class TBusWorker {
 public:
  using TWork = std::function<void(TAdapter& adapter)>;

  // The thread that creates the worker is its owner: completions and owner steps run there.
  explicit TBusWorker(TAdapter& adapter);
  TBusWorker(const TBusWorker&) = delete;
  TBusWorker& operator=(const TBusWorker&) = delete;
  ~TBusWorker();

  // Queues `work` for the bus thread; `done` runs afterwards on the owner's thread. Once
  // `token` is cancelled neither runs any more (work already running finishes its packet).
  void Submit(TWork work, std::function<void()> done = {}, TCancelTokenPtr token = {});

  // From the bus thread: runs `step` on the owner's thread and waits for it, rethrowing what
  // it threw. Throws EBusAbandoned when the worker stops before the step started.
  void CallOwner(const std::function<void()>& step);
  // From any thread: runs `step` later on the owner's thread.
  void PostOwner(std::function<void()> step) { toOwner_.Post(std::move(step)); }

  // Nothing queued and nothing running.
  bool Idle() const;
  // The token of the job running now, so that its work can stop between packets.
  bool CurrentCancelled() const;
  // Abandons every queued job, asks the running one to stop and waits for it. Called on the
  // owner's thread; the worker takes no jobs afterwards.
  void Stop();

 private:
  struct TJob {
    TWork Work;
    std::function<void()> Done;
    TCancelTokenPtr Token;
  };
  struct TOwnerCall;

  void Loop();

  TAdapter& adapter_;
  TCrossThreadQueue toOwner_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<TJob> jobs_;
  TCancelTokenPtr current_;
  bool running_ = false;
  bool stop_ = false;
  std::shared_ptr<TOwnerCall> ownerCall_;
  std::thread thread_;
};
