#include "link/ftdi_port.h"

#include <ftdi.h>

#include <array>

namespace {

constexpr int kFtdiVendor = 0x0403;
// Product ids of the FTDI bridge chips the adapter has been built with.
constexpr std::array<int, 5> kFtdiProducts = {0x6001, 0x6015, 0x6014, 0x6010, 0x6011};
// Short USB read time-out so that the pump notices a stop request promptly.
constexpr int kPumpReadTimeoutMs = 50;

}  // namespace

TFtdiPort::TFtdiPort() : context_(ftdi_new()) {}

TFtdiPort::~TFtdiPort() {
  Close();
  if (context_) ftdi_free(context_);
}

QStringList TFtdiPort::PluggedDescriptions() {
  QStringList found;
  ftdi_context* context = ftdi_new();
  if (!context) return found;
  for (const int product : kFtdiProducts) {
    ftdi_device_list* devices = nullptr;
    if (ftdi_usb_find_all(context, &devices, kFtdiVendor, product) <= 0) continue;
    for (ftdi_device_list* it = devices; it; it = it->next) {
      std::array<char, 128> description{};
      // A device whose strings cannot be read (no access yet) is left out.
      if (ftdi_usb_get_strings(context, it->dev, nullptr, 0, description.data(),
                               static_cast<int>(description.size()), nullptr, 0) < 0) {
        continue;
      }
      const QString text = QString::fromUtf8(description.data()).trimmed();
      if (!text.isEmpty() && !found.contains(text)) found << text;
    }
    ftdi_list_free(&devices);
  }
  ftdi_free(context);
  return found;
}

int TFtdiPort::Open(const QString& description) {
  Close();
  if (!context_) return kPortOtherError;
  const QByteArray desc = description.toUtf8();
  for (const int product : kFtdiProducts) {
    if (ftdi_usb_open_desc(context_, kFtdiVendor, product, desc.constData(), nullptr) == 0) {
      open_ = true;
      break;
    }
  }
  if (!open_) return kPortDeviceNotFound;
  context_->usb_read_timeout = kPumpReadTimeoutMs;
  MarkOpen();
  stop_ = false;
  pump_ = std::thread([this] { Pump(); });
  return kPortOk;
}

void TFtdiPort::Close() {
  stop_ = true;
  if (pump_.joinable()) pump_.join();
  if (open_) ftdi_usb_close(context_);
  open_ = false;
  MarkClosed();
}

int TFtdiPort::Configure(const TPortSettings& s) {
  if (!open_) return kPortNotOpened;
  std::lock_guard lock(writeMutex_);
  const bool ok = ftdi_set_latency_timer(context_, s.LatencyMs) == 0 &&
                  ftdi_read_data_set_chunksize(context_, s.InTransferSize) == 0 &&
                  ftdi_write_data_set_chunksize(context_, s.OutTransferSize) == 0 &&
                  ftdi_set_baudrate(context_, static_cast<int>(s.BaudRate)) == 0 &&
                  ftdi_set_event_char(context_, s.EventChar, s.EventCharEnabled ? 1 : 0) == 0 &&
                  ftdi_set_error_char(context_, s.ErrorChar, s.ErrorCharEnabled ? 1 : 0) == 0 &&
                  ftdi_set_line_property(context_, s.DataBits == 7 ? BITS_7 : BITS_8,
                                         s.StopBits == 2 ? STOP_BIT_2 : STOP_BIT_1,
                                         s.Parity ? EVEN : NONE) == 0;
  context_->usb_write_timeout = static_cast<int>(s.WriteTimeoutMs);
  ftdi_tciflush(context_);
  return ok ? kPortOk : kPortOtherError;
}

int TFtdiPort::Write(const uint8_t* buffer, uint32_t size, uint32_t& written) {
  written = 0;
  const int status = DeviceStatus();
  if (status != kPortOk) return status;
  std::lock_guard lock(writeMutex_);
  const int n = ftdi_write_data(context_, buffer, static_cast<int>(size));
  if (n < 0) {
    MarkFailed();
    return kPortIoError;
  }
  written = static_cast<uint32_t>(n);
  return kPortOk;
}

void TFtdiPort::Pump() {
  std::array<uint8_t, 640> buffer{};
  while (!stop_) {
    const int n = ftdi_read_data(context_, buffer.data(), static_cast<int>(buffer.size()));
    if (n < 0) {
      MarkFailed();
      return;
    }
    if (n > 0) Deliver(buffer.data(), static_cast<size_t>(n));
  }
}
