#include "app/port_provider.h"

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
