#include "link/cross_thread_queue.h"

#include <QMetaObject>

void TCrossThreadQueue::Post(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  const bool wake = tasks_.empty();
  tasks_.push_back(std::move(task));
  // One wake-up serves every task queued until it runs. Qt allocates the wake-up event here
  // and frees it on the owning thread after RunPosted; asking under our lock, which
  // RunPosted and the destructor take too, orders that free after this allocation for
  // ThreadSanitizer.
  if (wake) QMetaObject::invokeMethod(this, "RunPosted", Qt::QueuedConnection);
}

TCrossThreadQueue::~TCrossThreadQueue() {
  // Pending wake-ups are freed by the base destructor.
  std::lock_guard lock(mutex_);
}

void TCrossThreadQueue::RunPosted() {
  std::vector<std::function<void()>> tasks;
  {
    std::lock_guard lock(mutex_);
    tasks.swap(tasks_);
  }
  for (auto& task : tasks) task();
}
