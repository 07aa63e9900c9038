#pragma once

#include <QObject>
#include <functional>
#include <mutex>
#include <vector>

// Runs work on the thread this object lives on, posted from any thread. The tasks wait in a
// queue of our own under a std::mutex and Qt is only asked to wake the owning thread by
// name, so no task data ever crosses inside Qt's event queue: the hand-over stays visible to
// ThreadSanitizer, which cannot see into Qt's own locks.
class TCrossThreadQueue : public QObject {
  Q_OBJECT

 public:
  explicit TCrossThreadQueue(QObject* parent = nullptr) : QObject(parent) {}
  ~TCrossThreadQueue() override;

  void Post(std::function<void()> task);

 private:
  Q_INVOKABLE void RunPosted();

  std::mutex mutex_;
  std::vector<std::function<void()>> tasks_;
};
