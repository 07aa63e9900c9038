#include "shell/live_poller.h"

#include <algorithm>
#include <memory>

#include "binding/ui/vd_frame.h"
#include "link/bus_requests.h"
#include "memory/bound_cell.h"
#include "memory/lan_device.h"
#include "memory/lan_devices.h"
#include "memory/msg_memory_item.h"
#include "memory/ram_memory_item.h"
#include "memory/worker_transfer.h"
#include "shell/module_availability.h"

TLivePoller::TLivePoller(TLanDevices& registry, TBusWorker& worker,
                         TModuleAvailability& availability, QObject* parent)
    : QObject(parent), registry_(registry), worker_(worker), availability_(availability) {
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &TLivePoller::Tick);
  clock_.start();
}

void TLivePoller::Start(TVDFrame& page) {
  Stop();
  if (!page.HasBus()) return;
  for (IBoundControl* control : page.BoundControls()) {
    auto* area = dynamic_cast<TDeviceMemoryItem*>(control->GetMem());
    if (!control->GetAutoUpdate() || control->GetUpdateInterval() <= 0 || !area) continue;
    const auto known = std::find_if(polls_.begin(), polls_.end(),
                                    [area](const TPoll& poll) { return poll.Area == area; });
    if (known != polls_.end()) {
      known->IntervalMs = std::min(known->IntervalMs, control->GetUpdateInterval());
    } else {
      polls_.push_back({area, control->GetUpdateInterval(), 0});
    }
  }
  if (polls_.empty()) return;
  // Showing the page asked for every value once already: the first poll is one interval on.
  const qint64 now = clock_.elapsed();
  for (TPoll& poll : polls_) poll.DueMs = now + poll.IntervalMs;
  requests_ = &page.Requests();
  timer_.start();
}

void TLivePoller::Stop() {
  timer_.stop();
  polls_.clear();
  requests_ = nullptr;
  reading_ = false;
}

void TLivePoller::Tick() {
  if (!worker_.Idle() || reading_) return;
  const qint64 now = clock_.elapsed();
  for (TPoll& poll : polls_) {
    if (now < poll.DueMs) continue;
    poll.DueMs = now + poll.IntervalMs;
    if (!poll.Area->Device() || !availability_.IsAvailable(poll.Area->Device()->LanAddr())) {
      continue;
    }
    Poll(*poll.Area);
  }
}

void TLivePoller::Poll(TDeviceMemoryItem& area) {
  if (auto* status = dynamic_cast<TMsgMemoryItem*>(&area)) {
    status->RequestUpdate();
    return;
  }
  auto* ram = dynamic_cast<TRAMMemoryItem*>(&area);
  if (!ram || area.MemID() != mlRam || !requests_) return;
  // One read at a time: the next one is due only after this one is done.
  reading_ = true;
  auto context = std::make_shared<TWorkerTransfer>(worker_, requests_->Token());
  requests_->Run([this, ram, context](TAdapter&) { registry_.RefreshArea(*ram, *context); },
                 [this] { reading_ = false; });
}
