#include "link/link_keeper.h"

#include "link/adapter.h"
#include "link/bus_worker.h"

TLinkKeeper::TLinkKeeper(TAdapter& adapter, TBusWorker* worker, QObject* parent)
    : QObject(parent), adapter_(adapter), worker_(worker), clock_([] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
      }) {
  timer_.setInterval(kQueuePeriodMs);
  connect(&timer_, &QTimer::timeout, this, &TLinkKeeper::Tick);
}

void TLinkKeeper::Start() {
  timer_.start();
}
void TLinkKeeper::Stop() {
  timer_.stop();
}

void TLinkKeeper::Tick() {
  if (!adapter_.IsUnavailable()) {
    if (!wasAvailable_) emit LinkFound();
    wasAvailable_ = true;
    // Paced messages wait while a transfer runs; they go out one per tick once it is done.
    if (!worker_ || worker_->Idle()) RunOnBus([](TAdapter& adapter) { adapter.ProcessQueue(); });
    return;
  }
  if (wasAvailable_) {
    // The first retry comes one period after the loss, not at once.
    wasAvailable_ = false;
    lastReconnect_ = clock_();
    emit LinkLost();
    emit LinkUnavailable();
    return;
  }
  if (clock_() - lastReconnect_ >= std::chrono::milliseconds(kReconnectPeriodMs)) {
    lastReconnect_ = clock_();
    emit LinkUnavailable();
    RunOnBus([](TAdapter& adapter) { adapter.Reconnect(); });
  }
}

void TLinkKeeper::RunOnBus(void (*work)(TAdapter&)) {
  if (worker_) {
    worker_->Submit(work);
  } else {
    work(adapter_);
  }
}
