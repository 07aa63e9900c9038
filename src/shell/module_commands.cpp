#include "shell/module_commands.h"

#include <QAction>

#include "memory/lan_devices.h"

TModuleCommands::TModuleCommands(TLanDevices& registry,
                                 const std::function<QAction*(const QString&)>& actionFor)
    : registry_(registry) {
  for (const auto& desc : ModuleCommandTable()) {
    commands_.push_back({actionFor(QLatin1String(desc.Name)), desc});
  }
}

bool TModuleCommands::Apply(uint8_t lanAddr, bool available) {
  bool canWrite = false;
  TLanDevice* device = registry_.FindDevice(lanAddr);
  for (const auto& command : commands_) {
    if (command.Desc.LanAddr != lanAddr) continue;
    bool enabled = available && device;
    if (enabled && command.Desc.Kind == TModuleCommandKind::Write) {
      enabled = device->AllLoaded(command.Locations()) && device->AnyModified(command.Locations());
      canWrite = canWrite || enabled;
    }
    command.Action->setEnabled(enabled);
  }
  return canWrite;
}

bool TModuleCommands::RecountUnwritten() {
  bool unwritten = false;
  for (const auto& command : commands_) {
    if (command.Desc.Kind != TModuleCommandKind::Write) continue;
    const TLanDevice* device = registry_.FindDevice(command.Desc.LanAddr);
    if (device && device->AnyModified(command.Locations())) {
      unwritten = true;
    } else {
      command.Action->setEnabled(false);
    }
  }
  return unwritten;
}

bool TModuleCommands::AnyWriteEnabled() const {
  for (const auto& command : commands_) {
    if (command.Desc.Kind == TModuleCommandKind::Write && command.Action->isEnabled()) return true;
  }
  return false;
}

std::vector<QAction*> TModuleCommands::ReadCommandsFor(uint8_t lanAddr,
                                                       TMemoryLocation location) const {
  std::vector<QAction*> actions;
  for (const auto& command : commands_) {
    if (command.Desc.Kind == TModuleCommandKind::Read && command.Desc.LanAddr == lanAddr &&
        command.Locations().Contains(location) && command.Action->isEnabled()) {
      actions.push_back(command.Action);
    }
  }
  return actions;
}
