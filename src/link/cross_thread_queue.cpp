#include "link/cross_thread_queue.h"

#include <QMetaObject>

void TCrossThreadQueue::Post(std::function<void()> task) {
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    wake = tasks_.empty();
    tasks_.push_back(std::move(task));
  }
  // One wake-up serves every task queued until it runs.
  if (wake) QMetaObject::invokeMethod(this, "RunPosted", Qt::QueuedConnection);
}

void TCrossThreadQueue::RunPosted() {
  std::vector<std::function<void()>> tasks;
  {
    std::lock_guard lock(mutex_);
    tasks.swap(tasks_);
  }
  for (auto& task : tasks) task();
}
