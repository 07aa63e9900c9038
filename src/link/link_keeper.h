#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

class TAdapter;
class TBusWorker;

// Paces the link: every 50 ms one queued message goes out (or the link is checked), and
// while the link is unavailable a reconnection is requested every 2000 ms.
class TLinkKeeper : public QObject {
  Q_OBJECT

 public:
  static constexpr int kQueuePeriodMs = 50;
  static constexpr int kReconnectPeriodMs = 2000;

  // With a bus worker the link work runs there, between its other jobs; without one it runs
  // on this thread (the command-line tool, which has nothing else to do meanwhile).
  explicit TLinkKeeper(TAdapter& adapter, TBusWorker* worker = nullptr, QObject* parent = nullptr);
  void Start();
  void Stop();
  // The time the reconnection period is measured on; the steady clock unless a test sets one.
  void SetClock(std::function<std::chrono::milliseconds()> clock) { clock_ = std::move(clock); }

 signals:
  // When the link goes down and with every reconnection attempt; the owner marks its memory
  // images unread.
  void LinkUnavailable();
  // Once when an available link goes down, and once when it comes back.
  void LinkLost();
  void LinkFound();

 private:
  void Tick();
  void RunOnBus(void (*work)(TAdapter&));

  TAdapter& adapter_;
  TBusWorker* worker_;
  QTimer timer_;
  std::function<std::chrono::milliseconds()> clock_;
  std::chrono::milliseconds lastReconnect_{0};
  bool wasAvailable_ = true;
};
