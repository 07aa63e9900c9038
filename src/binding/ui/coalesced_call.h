#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// Runs a function once on the next turn of the event loop, however often it is asked for
// before then: a page that many loaded cells change redraws once. Lives as long as `context`.
class TCoalescedCall {
 public:
  TCoalescedCall(QObject& context, std::function<void()> call)
      : context_(context), call_(std::move(call)) {}

  void Request() {
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, &context_, [this] {
      pending_ = false;
      call_();
    });
  }

 private:
  QObject& context_;
  std::function<void()> call_;
  bool pending_ = false;
};
