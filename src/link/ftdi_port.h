#pragma once

#include <QStringList>
#include <atomic>
#include <mutex>
#include <thread>

#include "link/buffered_port.h"
#include "link/late_answers.h"

struct ftdi_context;

// The USB adapter opened by its USB description string through libftdi, without the kernel's
// serial driver.
class TFtdiPort : public TBufferedPort {
 public:
  TFtdiPort();
  TFtdiPort(const TFtdiPort&) = delete;
  TFtdiPort& operator=(const TFtdiPort&) = delete;
  ~TFtdiPort() override;

  // The USB descriptions of the FTDI adapters plugged in now, each once; the descriptions a
  // user may choose the adapter by.
  static QStringList PluggedDescriptions();

  int Open(const QString& description) override;
  void Close() override;
  int Configure(const TPortSettings& settings) override;
  int Write(const uint8_t* buffer, uint32_t size, uint32_t& written) override;
  // The adapter may still carry answers to a run that ended a moment ago.
  std::chrono::milliseconds EarlierAnswersQuiet() const override {
    return TLateAnswers::kLongestLateness;
  }

 private:
  void Pump();

  ftdi_context* context_ = nullptr;
  bool open_ = false;
  std::atomic<bool> stop_{false};
  std::thread pump_;
  std::mutex writeMutex_;
};
