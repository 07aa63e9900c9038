#pragma once

#include <QString>
#include <chrono>
#include <cstdint>

class TManualResetEvent;

// Status codes in the manner of the adapter's driver: 0 is success and 4 an I/O error (the
// adapter went away); anything else is some other failure.
enum TPortStatus : int {
  kPortOk = 0,
  kPortInvalidHandle = 1,
  kPortDeviceNotFound = 2,
  kPortNotOpened = 3,
  kPortIoError = 4,
  kPortOtherError = 18,
};

// Line and driver settings applied when the adapter opens.
struct TPortSettings {
  uint8_t LatencyMs = 5;
  uint32_t InTransferSize = 640;
  uint32_t OutTransferSize = 64;
  uint32_t BaudRate = 115200;
  uint8_t EventChar = 0x0D;
  bool EventCharEnabled = true;
  uint8_t ErrorChar = 0;
  bool ErrorCharEnabled = false;
  uint8_t DataBits = 8;
  uint8_t StopBits = 2;
  bool Parity = false;
  uint32_t ReadTimeoutMs = 1;
  uint32_t WriteTimeoutMs = 20;
};

struct TPortQueueStatus {
  uint32_t RxBytes = 0;
  uint32_t TxBytes = 0;
  uint32_t EventStatus = 0;  // 1: characters were received
};

// What the adapter link needs of a driver. Implementations: the USB adapter by its
// description, a serial device path, and the built-in virtual vehicle.
class IAdapterPort {
 public:
  virtual ~IAdapterPort() = default;

  virtual int Open(const QString& description) = 0;
  virtual void Close() = 0;
  virtual int Configure(const TPortSettings& settings) = 0;
  // The port sets `event` whenever received bytes wait; nullptr stops notifications.
  virtual int SetEventNotification(TManualResetEvent* event) = 0;
  virtual int PurgeReceive() = 0;
  virtual int GetStatus(TPortQueueStatus& status) = 0;
  virtual int GetQueueStatus(uint32_t& rxBytes) = 0;
  virtual int Read(uint8_t* buffer, uint32_t size, uint32_t& read) = 0;
  virtual int Write(const uint8_t* buffer, uint32_t size, uint32_t& written) = 0;
  // How long the line must have been free of answers before none can belong to a request of
  // an earlier run: zero for a line that begins with this connection.
  virtual std::chrono::milliseconds EarlierAnswersQuiet() const { return {}; }
};
