#pragma once

#include <QString>
#include <memory>

#include "link/adapter.h"
#include "sim/sim_port.h"

// The virtual vehicle as the tests drive it: frames cross the line at once.
inline std::shared_ptr<TVirtualAdapter> MakeTestVehicle(TSimOptions options = {}) {
  options.LinkModel = false;
  return std::make_shared<TVirtualAdapter>(options);
}

// An adapter with its real threads, connected to `vehicle` and reporting into `journal`.
inline std::unique_ptr<TAdapter> ConnectTo(
    std::shared_ptr<TVirtualAdapter> vehicle,
    std::unique_ptr<IAdapterJournal> journal = std::make_unique<TMemoryJournal>()) {
  auto adapter = std::make_unique<TAdapter>(
      [vehicle](const QString&) { return std::make_unique<TSimPort>(vehicle); });
  adapter->SetJournal(std::move(journal));
  adapter->SetDescription(QStringLiteral("sim"));
  return adapter;
}
