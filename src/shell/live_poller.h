#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <vector>

class TBusRequests;
class TBusWorker;
class TDeviceMemoryItem;
class TLanDevices;
class TModuleAvailability;
class TVDFrame;

// Keeps the live values of the shown page fresh: each memory area that a live control of the
// page shows is asked for again at the shortest interval of its controls, while the page is
// shown and its module is there. A status area asks its module to report again; a RAM area is
// read again on the bus worker through the page's requests, so hiding the page drops what is
// still on its way. A poll waits while the bus is busy with other work.
class TLivePoller : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 50;

  TLivePoller(TLanDevices& registry, TBusWorker& worker, TModuleAvailability& availability,
              QObject* parent = nullptr);

  void Start(TVDFrame& page);
  void Stop();
  bool Active() const { return !polls_.empty(); }

 private:
  struct TPoll {
    TDeviceMemoryItem* Area = nullptr;
    int IntervalMs = 0;
    qint64 DueMs = 0;
  };

  void Tick();
  void Poll(TDeviceMemoryItem& area);

  TLanDevices& registry_;
  TBusWorker& worker_;
  TModuleAvailability& availability_;
  TBusRequests* requests_ = nullptr;
  std::vector<TPoll> polls_;
  bool reading_ = false;
  QTimer timer_;
  QElapsedTimer clock_;
};
