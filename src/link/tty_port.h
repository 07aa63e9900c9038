#pragma once

#include <thread>

#include "link/buffered_port.h"
#include "link/late_answers.h"

// The adapter as a serial device (the kernel's FTDI driver gives /dev/ttyUSB*) or any
// pseudo-terminal, in raw mode at 115200 baud, 8 data bits, 2 stop bits, no parity. Only a
// character device opens: a regular file given as the port is never written.
class TTtyPort : public TBufferedPort {
 public:
  // The line outlives a run of the program, so answers to an earlier run's requests may still
  // come after opening; `earlierAnswersQuiet` is how long they are waited out.
  explicit TTtyPort(std::chrono::milliseconds earlierAnswersQuiet = TLateAnswers::kLongestLateness)
      : earlierAnswersQuiet_(earlierAnswersQuiet) {}
  TTtyPort(const TTtyPort&) = delete;
  TTtyPort& operator=(const TTtyPort&) = delete;
  ~TTtyPort() override;

  int Open(const QString& path) override;
  void Close() override;
  int Configure(const TPortSettings& settings) override;
  int Write(const uint8_t* buffer, uint32_t size, uint32_t& written) override;
  std::chrono::milliseconds EarlierAnswersQuiet() const override { return earlierAnswersQuiet_; }

 private:
  // Moves bytes from the device into the receive buffer, as a driver would.
  void Pump();

  std::chrono::milliseconds earlierAnswersQuiet_;
  int fd_ = -1;
  int wakeFd_ = -1;  // eventfd that ends the pump
  std::thread pump_;
};
