#pragma once

#include <QString>
#include <map>
#include <memory>

#include "link/adapter.h"
#include "sim/virtual_adapter.h"

// The adapter description a user with the real adapter plugged in needs no setting for.
inline constexpr char kDefaultAdapterDescription[] = "Vardex USB adapter";

// Chooses the port for an adapter description: "sim" or "sim:OPTIONS" the built-in virtual
// vehicle, a path starting with "/" a serial device or pseudo-terminal, anything else the USB
// description of the adapter. Each simulator description keeps one vehicle for the
// provider's lifetime, so reconnecting finds the modules as they were left.
class TPortProvider {
 public:
  std::unique_ptr<IAdapterPort> MakePort(const QString& description);
  TAdapter::TPortFactory Factory();
  // The virtual adapter behind a simulator description; nullptr for bad options.
  std::shared_ptr<TVirtualAdapter> VirtualAdapter(const QString& description);
  // Why `description` names no port the program may open, or an empty text. A path must name
  // a character device: a regular file given by mistake would be written over.
  static QString DescriptionError(const QString& description);

 private:
  std::map<QString, std::shared_ptr<TVirtualAdapter>> virtualAdapters_;
};
