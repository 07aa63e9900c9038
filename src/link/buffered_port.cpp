#include "link/buffered_port.h"

#include <algorithm>

#include "link/manual_reset_event.h"

int TBufferedPort::SetEventNotification(TManualResetEvent* event) {
  std::lock_guard lock(mutex_);
  event_ = event;
  if (event_ && !received_.empty()) event_->Set();
  return kPortOk;
}

int TBufferedPort::PurgeReceive() {
  std::lock_guard lock(mutex_);
  received_.clear();
  eventPending_ = false;
  return open_ ? kPortOk : kPortNotOpened;
}

int TBufferedPort::GetStatus(TPortQueueStatus& status) {
  std::lock_guard lock(mutex_);
  status = {};
  if (!open_) return kPortNotOpened;
  if (failed_) return kPortIoError;
  status.RxBytes = static_cast<uint32_t>(received_.size());
  status.EventStatus = eventPending_ || !received_.empty() ? 1 : 0;
  eventPending_ = false;
  return kPortOk;
}

int TBufferedPort::GetQueueStatus(uint32_t& rxBytes) {
  std::lock_guard lock(mutex_);
  rxBytes = 0;
  if (!open_) return kPortNotOpened;
  if (failed_) return kPortIoError;
  rxBytes = static_cast<uint32_t>(received_.size());
  return kPortOk;
}

int TBufferedPort::Read(uint8_t* buffer, uint32_t size, uint32_t& read) {
  std::lock_guard lock(mutex_);
  read = 0;
  if (!open_) return kPortNotOpened;
  if (failed_) return kPortIoError;
  const auto count = std::min<size_t>(size, received_.size());
  std::copy_n(received_.begin(), count, buffer);
  received_.erase(received_.begin(), received_.begin() + static_cast<long>(count));
  read = static_cast<uint32_t>(count);
  return kPortOk;
}

void TBufferedPort::Deliver(const uint8_t* bytes, size_t count) {
  std::lock_guard lock(mutex_);
  if (!open_ || failed_ || count == 0) return;
  received_.insert(received_.end(), bytes, bytes + count);
  eventPending_ = true;
  if (event_) event_->Set();
}

void TBufferedPort::MarkOpen() {
  std::lock_guard lock(mutex_);
  received_.clear();
  open_ = true;
  failed_ = false;
  eventPending_ = false;
}

void TBufferedPort::MarkFailed() {
  std::lock_guard lock(mutex_);
  failed_ = true;
  // Wake the link so that it notices at once.
  if (event_) event_->Set();
}

void TBufferedPort::MarkClosed() {
  std::lock_guard lock(mutex_);
  open_ = false;
  received_.clear();
}

int TBufferedPort::DeviceStatus() const {
  std::lock_guard lock(mutex_);
  if (!open_) return kPortNotOpened;
  return failed_ ? kPortIoError : kPortOk;
}
