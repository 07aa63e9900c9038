#pragma once

#include <deque>
#include <mutex>

#include "link/adapter_port.h"

// The receive side every port shares: bytes that arrive from the device are kept here, as a
// driver keeps them, until the link reads them; the link is woken through its event.
class TBufferedPort : public IAdapterPort {
 public:
  int SetEventNotification(TManualResetEvent* event) override;
  int PurgeReceive() override;
  int GetStatus(TPortQueueStatus& status) override;
  int GetQueueStatus(uint32_t& rxBytes) override;
  int Read(uint8_t* buffer, uint32_t size, uint32_t& read) override;

 protected:
  // Producer side, called by whatever moves bytes in from the device.
  void Deliver(const uint8_t* bytes, size_t count);
  // Opening succeeded: clear what an earlier connection left.
  void MarkOpen();
  // The device went away: every later status call fails as an I/O error.
  void MarkFailed();
  void MarkClosed();
  // The status a device operation should report now.
  int DeviceStatus() const;

 private:
  mutable std::mutex mutex_;
  std::deque<uint8_t> received_;
  TManualResetEvent* event_ = nullptr;
  bool open_ = false;
  bool failed_ = false;
  bool eventPending_ = false;
};
