#include "app/port_provider.h"

#include <sys/stat.h>

#include "link/ftdi_port.h"
#include "link/tty_port.h"
#include "sim/sim_port.h"

std::shared_ptr<TVirtualAdapter> TPortProvider::VirtualAdapter(const QString& description) {
  const auto options = TSimOptions::FromDescription(description);
  if (!options) return nullptr;
  auto& adapter = virtualAdapters_[description];
  if (!adapter) adapter = std::make_shared<TVirtualAdapter>(*options);
  return adapter;
}

std::unique_ptr<IAdapterPort> TPortProvider::MakePort(const QString& description) {
  if (TSimOptions::IsSimDescription(description)) {
    auto adapter = VirtualAdapter(description);
    if (!adapter) return nullptr;
    return std::make_unique<TSimPort>(std::move(adapter));
  }
  if (description.startsWith(u'/')) return std::make_unique<TTtyPort>();
  return std::make_unique<TFtdiPort>();
}

TAdapter::TPortFactory TPortProvider::Factory() {
  return [this](const QString& description) { return MakePort(description); };
}

QString TPortProvider::DescriptionError(const QString& description) {
  if (TSimOptions::IsSimDescription(description)) {
    QString error;
    return TSimOptions::FromDescription(description, &error) ? QString() : error;
  }
  if (!description.startsWith(u'/')) return {};
  struct stat info {};
  // A path that does not exist yet fails as an adapter that does not open.
  if (::stat(description.toLocal8Bit().constData(), &info) != 0) return {};
  if (S_ISCHR(info.st_mode)) return {};
  return QStringLiteral(
      "not a character device (a serial device such as /dev/ttyUSB0 or a "
      "pseudo-terminal is needed)");
}
