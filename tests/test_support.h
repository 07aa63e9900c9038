#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <chrono>
#include <ostream>
#include <thread>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

// Runs the event loop until `condition` holds or `limit` passes; true when it held.
template <class Condition>
bool SpinUntil(Condition condition,
               std::chrono::milliseconds limit = std::chrono::milliseconds(10000)) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > limit.count()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Runs the event loop for `time`.
inline void SpinFor(std::chrono::milliseconds time) {
  SpinUntil([] { return false; }, time);
}
