#include "link/link_keeper.h"

#include "link/adapter.h"
#include "link/bus_worker.h"

TLinkKeeper::TLinkKeeper(TAdapter& adapter, TBusWorker* worker, QObject* parent)
    : QObject(parent), adapter_(adapter), worker_(worker) {
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
    wasAvailable_ = true;
    // Paced messages wait while a transfer runs; they go out one per tick once it is done.
    if (!worker_ || worker_->Idle()) RunOnBus([](TAdapter& adapter) { adapter.ProcessQueue(); });
    return;
  }
  if (wasAvailable_) {
    // The first retry comes one period after the loss, not at once.
    wasAvailable_ = false;
    sinceReconnect_.start();
    emit LinkUnavailable();
    return;
  }
  if (sinceReconnect_.elapsed() >= kReconnectPeriodMs) {
    sinceReconnect_.restart();
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
