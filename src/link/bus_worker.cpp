#include "link/bus_worker.h"

#include "link/adapter.h"

// One step handed to the owner's thread. The bus thread waits on it; the owner runs it only
// while the bus thread still waits, so the step never outlives what it refers to.
struct TBusWorker::TOwnerCall {
  std::mutex Mutex;
  std::condition_variable Changed;
  bool Started = false;
  bool Done = false;
  bool Abandoned = false;
  std::exception_ptr Error;
};

TBusWorker::TBusWorker(TAdapter& adapter) : adapter_(adapter) {
  thread_ = std::thread([this] { Loop(); });
}

TBusWorker::~TBusWorker() {
  Stop();
}

void TBusWorker::Submit(TWork work, std::function<void()> done, TCancelTokenPtr token) {
  {
    std::lock_guard lock(mutex_);
    if (stop_) return;
    jobs_.push_back({std::move(work), std::move(done), std::move(token)});
  }
  wake_.notify_all();
}

bool TBusWorker::Idle() const {
  std::lock_guard lock(mutex_);
  return jobs_.empty() && !running_;
}

bool TBusWorker::CurrentCancelled() const {
  std::lock_guard lock(mutex_);
  return stop_ || (current_ && current_->Cancelled());
}

void TBusWorker::CallOwner(const std::function<void()>& step) {
  auto call = std::make_shared<TOwnerCall>();
  {
    std::lock_guard lock(mutex_);
    if (stop_) throw EBusAbandoned();
    ownerCall_ = call;
  }
  toOwner_.Post([call, &step] {
    {
      std::lock_guard lock(call->Mutex);
      if (call->Abandoned) return;
      call->Started = true;
    }
    try {
      step();
    } catch (...) {
      call->Error = std::current_exception();
    }
    {
      std::lock_guard lock(call->Mutex);
      call->Done = true;
    }
    call->Changed.notify_all();
  });
  std::unique_lock lock(call->Mutex);
  call->Changed.wait(lock, [&] { return call->Done || call->Abandoned; });
  // A step the owner has started always finishes first: Abandoned is only set before that.
  if (!call->Done) throw EBusAbandoned();
  lock.unlock();
  {
    std::lock_guard workerLock(mutex_);
    ownerCall_.reset();
  }
  if (call->Error) std::rethrow_exception(call->Error);
}

void TBusWorker::Stop() {
  std::shared_ptr<TOwnerCall> call;
  {
    std::lock_guard lock(mutex_);
    if (!thread_.joinable()) return;
    stop_ = true;
    jobs_.clear();
    if (current_) current_->Cancel();
    call = ownerCall_;
  }
  if (call) {
    {
      std::lock_guard lock(call->Mutex);
      if (!call->Started) call->Abandoned = true;
    }
    call->Changed.notify_all();
  }
  // A request in flight stops waiting for its answer: nothing it sent counts as confirmed.
  adapter_.AbortWaits();
  wake_.notify_all();
  thread_.join();
}

void TBusWorker::Loop() {
  for (;;) {
    TJob job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
      if (stop_) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
      if (job.Token && job.Token->Cancelled()) continue;
      running_ = true;
      current_ = job.Token;
    }
    try {
      job.Work(adapter_);
    } catch (const EBusAbandoned&) {
      job.Done = nullptr;
    }
    {
      std::lock_guard lock(mutex_);
      running_ = false;
      current_.reset();
      if (stop_) return;
    }
    if (job.Done) {
      toOwner_.Post([done = std::move(job.Done), token = job.Token] {
        if (!token || !token->Cancelled()) done();
      });
    }
  }
}
