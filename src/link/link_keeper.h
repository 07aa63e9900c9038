#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class TAdapter;

// Paces the link: every 50 ms one queued message goes out (or the link is checked), and
// while the link is unavailable a reconnection is requested every 2000 ms.
class TLinkKeeper : public QObject {
  Q_OBJECT

 public:
  static constexpr int kQueuePeriodMs = 50;
  static constexpr int kReconnectPeriodMs = 2000;

  explicit TLinkKeeper(TAdapter& adapter, QObject* parent = nullptr);
  void Start();
  void Stop();

 signals:
  // When the link goes down and with every reconnection attempt; the owner marks its memory
  // images unread.
  void LinkUnavailable();

 private:
  void Tick();

  TAdapter& adapter_;
  QTimer timer_;
  QElapsedTimer sinceReconnect_;
  bool wasAvailable_ = true;
};
