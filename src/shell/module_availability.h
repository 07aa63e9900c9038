#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <set>
#include <vector>

class TAdapter;
class TBusWorker;
class TLanDevices;
class TModuleCommands;

// Which modules answer and grant access, as the window knows it. A scan checks one module at a
// time in registry order; the probes run on the bus worker and their answers arrive later, so
// the window never waits for a silent module. Presence and access answers stay fresh for a
// second, so a scan right after another sends nothing.
class TModuleAvailability : public QObject {
  Q_OBJECT

 public:
  static constexpr int kWatchPeriodMs = 5000;

  TModuleAvailability(TLanDevices& registry, TAdapter& adapter, TBusWorker& worker,
                      TModuleCommands& commands, QObject* parent = nullptr);

  // Starts the scan again from the first module; a probe in flight finishes first.
  void RestartScan();
  bool ScanPending() const { return scanPending_; }
  // Checks every module now, forgetting what was known, and calls `done` when all answered.
  void Rescan(std::function<void()> done);

  // The last known answer: present and granting access.
  bool IsAvailable(uint8_t lanAddr) const { return present_.contains(lanAddr); }
  const std::set<uint8_t>& PresentModules() const { return present_; }
  // Modules found since the last call that were not there before.
  std::set<uint8_t> TakeNewlyPresent();
  // Some available module's write command can write.
  bool CanWrite() const { return canWrite_; }
  bool RelayModulePresent() const { return relayPresent_; }
  void SetRelayModulePresent(bool present) { relayPresent_ = present; }

 signals:
  // A module's availability was decided; the window updates its commands.
  void Changed();
  // The main module was seen and has gone: live displays return to "unknown".
  void MainModuleLost();

 private:
  // Decides the availability of the module at `index` (maybe later) and then calls `next`.
  void Check(int index, std::function<void()> next);
  void Apply(int index, bool available);
  void ScanStep();
  void WatchMainModule();

  TLanDevices& registry_;
  TAdapter& adapter_;
  TBusWorker& worker_;
  TModuleCommands& commands_;
  std::set<uint8_t> present_;
  std::set<uint8_t> newlyPresent_;
  bool scanPending_ = false;
  bool scanRunning_ = false;
  bool checking_ = false;
  bool restartAfterCheck_ = false;
  int scanIndex_ = 0;
  bool canWrite_ = false;
  bool relayPresent_ = false;
  bool mainSeen_ = false;
  bool watching_ = false;
  std::vector<std::function<void()>> rescanDone_;
  QTimer scanTimer_;
  QTimer watchTimer_;
};
