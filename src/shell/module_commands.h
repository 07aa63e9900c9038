#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "memory/memory_location.h"
#include "shell/command_table.h"

class QAction;
class TLanDevices;

// The per-module read, write and factory-settings commands, enabled by the availability of
// their module and, for writing, by what was read and changed.
class TModuleCommands {
 public:
  struct TCommand {
    QAction* Action;
    TModuleCommandSpec Desc;
    TMemoryLocations Locations() const { return TMemoryLocations::FromBits(Desc.Locations); }
  };

  TModuleCommands(TLanDevices& registry, const std::function<QAction*(const QString&)>& actionFor);

  const std::vector<TCommand>& Commands() const { return commands_; }
  // Enables or disables the commands of one module; true when one of its write commands
  // can write.
  bool Apply(uint8_t lanAddr, bool available);
  // True when some write command's module holds changes in the command's areas; write
  // commands without changes are disabled.
  bool RecountUnwritten();
  // Some write command is enabled: "Записать" itself offers only what its menu offers.
  bool AnyWriteEnabled() const;
  // The enabled read commands of a module whose areas include `location`.
  std::vector<QAction*> ReadCommandsFor(uint8_t lanAddr, TMemoryLocation location) const;

 private:
  TLanDevices& registry_;
  std::vector<TCommand> commands_;
};
