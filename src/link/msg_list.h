#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

#include "link/lan_msg.h"

// Ring of reused message slots between one writer and one reader. The indices are atomic
// with acquire/release ordering, so the writer's copy into a slot is visible to the reader
// before the advanced head is, without a lock.
class TMsgList {
 public:
  explicit TMsgList(size_t capacity = 64) : items_(capacity) {}
  TMsgList(const TMsgList&) = delete;
  TMsgList& operator=(const TMsgList&) = delete;

  size_t Capacity() const { return items_.size(); }
  bool IsEmpty() const {
    return head_.load(std::memory_order_acquire) == tail_.load(std::memory_order_acquire);
  }
  // One slot always stays free, so a ring of 64 holds 63 messages.
  bool IsFull() const {
    return Next(head_.load(std::memory_order_acquire)) == tail_.load(std::memory_order_acquire);
  }

  // Writer side. Returns false, dropping the message, when the ring is full.
  bool Put(const TLanMsg& msg) {
    const size_t head = head_.load(std::memory_order_relaxed);
    if (Next(head) == tail_.load(std::memory_order_acquire)) return false;
    items_[head].Assign(msg);
    head_.store(Next(head), std::memory_order_release);
    return true;
  }

  // Reader side. Returns false when the ring is empty.
  bool Take(TLanMsg& msg) {
    const size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail == head_.load(std::memory_order_acquire)) return false;
    msg.Assign(items_[tail]);
    tail_.store(Next(tail), std::memory_order_release);
    return true;
  }

  // Only while neither side runs.
  void Clear() {
    head_.store(0);
    tail_.store(0);
  }

 private:
  size_t Next(size_t index) const { return index + 1 == items_.size() ? 0 : index + 1; }

  std::vector<TLanMsg> items_;
  std::atomic<size_t> head_{0};
  std::atomic<size_t> tail_{0};
};
