#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// An event that stays signalled until it is reset, as the link's hand-offs between threads
// expect.
class TManualResetEvent {
 public:
  void Set() {
    {
      std::lock_guard lock(mutex_);
      signalled_ = true;
    }
    cv_.notify_all();
  }
  void Reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
  }
  bool IsSet() const {
    std::lock_guard lock(mutex_);
    return signalled_;
  }
  // True when the event was (or became) signalled within the time.
  bool Wait(std::chrono::steady_clock::duration timeout) const {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, timeout, [this] { return signalled_; });
  }
  void Wait() const {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return signalled_; });
  }

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable cv_;
  bool signalled_ = false;
};
