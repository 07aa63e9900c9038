#include "link/link_keeper.h"

#include "link/adapter.h"

TLinkKeeper::TLinkKeeper(TAdapter& adapter, QObject* parent) : QObject(parent), adapter_(adapter) {
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
    adapter_.ProcessQueue();
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
    adapter_.RequestReconnect();
  }
}
