#include "shell/module_availability.h"

#include <memory>

#include "link/adapter.h"
#include "link/bus_worker.h"
#include "memory/lan_devices.h"
#include "shell/module_commands.h"

namespace {

constexpr uint8_t kRelayModuleAddr = 13;

}  // namespace

TModuleAvailability::TModuleAvailability(TLanDevices& registry, TAdapter& adapter,
                                         TBusWorker& worker, TModuleCommands& commands,
                                         QObject* parent)
    : QObject(parent),
      registry_(registry),
      adapter_(adapter),
      worker_(worker),
      commands_(commands) {
  // One module per turn of the event loop, as long as a scan is pending.
  scanTimer_.setInterval(0);
  connect(&scanTimer_, &QTimer::timeout, this, &TModuleAvailability::ScanStep);
  connect(&watchTimer_, &QTimer::timeout, this, &TModuleAvailability::WatchMainModule);
  watchTimer_.start(kWatchPeriodMs);
}

void TModuleAvailability::RestartScan() {
  scanPending_ = true;
  scanRunning_ = false;
  // A probe in flight starts the scan again when its answer has been applied.
  if (!checking_) scanTimer_.start();
}

void TModuleAvailability::Rescan(std::function<void()> done) {
  newlyPresent_.clear();
  present_.clear();
  canWrite_ = false;
  rescanDone_.push_back(std::move(done));
  RestartScan();
}

std::set<uint8_t> TModuleAvailability::TakeNewlyPresent() {
  return std::exchange(newlyPresent_, {});
}

void TModuleAvailability::ScanStep() {
  scanTimer_.stop();
  if (!scanRunning_) {
    scanIndex_ = 0;
    scanRunning_ = true;
    canWrite_ = false;
  }
  if (scanIndex_ >= registry_.Count()) {
    scanRunning_ = false;
    scanPending_ = false;
    for (const auto& done : std::exchange(rescanDone_, {})) done();
    return;
  }
  Check(scanIndex_++, [this] {
    if (scanPending_) scanTimer_.start();
  });
}

void TModuleAvailability::Check(int index, std::function<void()> next) {
  TLanDevice& device = registry_.Items(index);
  if (adapter_.IsUnavailable()) {
    Apply(index, false);
    next();
    return;
  }
  const std::optional<bool> present = device.FreshPresence();
  const std::optional<bool> access = device.FreshAccess();
  if (present && (!*present || access)) {
    Apply(index, *present && *access);
    next();
    return;
  }

  const bool probePresence = !present;
  if (probePresence) device.BeginPresenceCheck();
  struct TResult {
    TLanDevice::TPresence Presence = TLanDevice::TPresence::Present;
    bool AccessOK = false;
  };
  auto result = std::make_shared<TResult>();
  const uint8_t addr = device.LanAddr();
  checking_ = true;
  worker_.Submit(
      [result, addr, probePresence](TAdapter& adapter) {
        if (probePresence) result->Presence = TLanDevice::ProbePresence(&adapter, addr);
        if (result->Presence == TLanDevice::TPresence::Present) {
          result->AccessOK = TLanDevice::ProbeAccess(adapter, addr);
        }
      },
      [this, index, result, probePresence, next = std::move(next)] {
        checking_ = false;
        TLanDevice& checked = registry_.Items(index);
        if (probePresence) checked.SetPresence(result->Presence);
        if (checked.Present()) checked.SetAccess(result->AccessOK);
        Apply(index, !adapter_.IsUnavailable() && checked.Present() && checked.AccessOK());
        next();
      });
}

void TModuleAvailability::Apply(int index, bool available) {
  const uint8_t addr = registry_.Items(index).LanAddr();
  canWrite_ = commands_.Apply(addr, available) || canWrite_;
  if (available) {
    if (present_.insert(addr).second) newlyPresent_.insert(addr);
  } else {
    present_.erase(addr);
  }
  if (addr == kRelayModuleAddr) relayPresent_ = available;
  emit Changed();
}

void TModuleAvailability::WatchMainModule() {
  if (watching_) return;
  TLanDevice* main = registry_.FindDevice(kMainModuleAddr);
  if (!main) return;
  const auto decide = [this](bool present) {
    if (mainSeen_ && !present) emit MainModuleLost();
    mainSeen_ = present;
  };
  if (adapter_.IsUnavailable()) {
    decide(false);
    return;
  }
  if (const auto fresh = main->FreshPresence()) {
    decide(*fresh);
    return;
  }
  main->BeginPresenceCheck();
  auto presence = std::make_shared<TLanDevice::TPresence>();
  watching_ = true;
  worker_.Submit(
      [presence](TAdapter& adapter) {
        *presence = TLanDevice::ProbePresence(&adapter, kMainModuleAddr);
      },
      [this, presence, decide] {
        watching_ = false;
        if (TLanDevice* device = registry_.FindDevice(kMainModuleAddr)) {
          device->SetPresence(*presence);
        }
        decide(*presence == TLanDevice::TPresence::Present && !adapter_.IsUnavailable());
      });
}
