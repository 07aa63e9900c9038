#pragma once

#include <thread>

#include "link/buffered_port.h"

// The adapter as a serial device (the kernel's FTDI driver gives /dev/ttyUSB*) or any
// pseudo-terminal, in raw mode at 115200 baud, 8 data bits, 2 stop bits, no parity.
class TTtyPort : public TBufferedPort {
 public:
  TTtyPort() = default;
  TTtyPort(const TTtyPort&) = delete;
  TTtyPort& operator=(const TTtyPort&) = delete;
  ~TTtyPort() override;

  int Open(const QString& path) override;
  void Close() override;
  int Configure(const TPortSettings& settings) override;
  int Write(const uint8_t* buffer, uint32_t size, uint32_t& written) override;

 private:
  // Moves bytes from the device into the receive buffer, as a driver would.
  void Pump();

  int fd_ = -1;
  int wakeFd_ = -1;  // eventfd that ends the pump
  std::thread pump_;
};
