#pragma once

#include <QMetaObject>
#include <QObject>
#include <utility>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace post_to_thread_detail {

// Qt's event queue hands work between threads under locks that ThreadSanitizer cannot see
// into (Qt is not built for it), so the hand-over is announced to it explicitly.
inline char gHandOver;

inline void Release() {
#if defined(__SANITIZE_THREAD__)
  __tsan_release(&gHandOver);
#endif
}

inline void Acquire() {
#if defined(__SANITIZE_THREAD__)
  __tsan_acquire(&gHandOver);
#endif
}

}  // namespace post_to_thread_detail

// Runs `task` later on the thread `target` lives on, from any thread.
template <class F>
void PostToThread(QObject* target, F task) {
  post_to_thread_detail::Release();
  QMetaObject::invokeMethod(
      target,
      [task = std::move(task)]() mutable {
        post_to_thread_detail::Acquire();
        task();
      },
      Qt::QueuedConnection);
}
