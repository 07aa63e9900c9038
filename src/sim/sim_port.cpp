#include "sim/sim_port.h"

TSimPort::TSimPort(std::shared_ptr<TVirtualAdapter> adapter) : adapter_(std::move(adapter)) {}

TSimPort::~TSimPort() {
  Close();
}

int TSimPort::Open(const QString&) {
  Close();
  MarkOpen();
  if (!adapter_->Attach(this)) {
    MarkClosed();
    return kPortDeviceNotFound;
  }
  attached_ = true;
  return kPortOk;
}

void TSimPort::Close() {
  if (attached_) adapter_->Detach(this);
  attached_ = false;
  MarkClosed();
}

int TSimPort::Configure(const TPortSettings&) {
  return DeviceStatus();
}

int TSimPort::Write(const uint8_t* buffer, uint32_t size, uint32_t& written) {
  written = 0;
  const int status = DeviceStatus();
  if (status != kPortOk) return status;
  if (!adapter_->FromPc(buffer, size)) {
    MarkFailed();
    return kPortIoError;
  }
  written = size;
  return kPortOk;
}

void TSimPort::DeliverToPc(const uint8_t* bytes, size_t count) {
  Deliver(bytes, count);
}

void TSimPort::AdapterUnplugged() {
  MarkFailed();
}
