#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>

// The main module's commands that an event of an extension module may carry: what the
// command menus of the slave, engine start and input extender pages offer, in menu order.
struct TSlaveCommand {
  uint8_t Code = 0;
  const char* Caption = "";
};

std::span<const TSlaveCommand> SlaveCommands();

// The menu position of a command code; nullopt for a code the menu does not offer.
std::optional<int> SlaveCommandIndex(uint8_t code);
// The code of a menu position; the position must be one of the menu's.
uint8_t SlaveCommandCode(int index);
// What a grid shows for a stored code: the menu's caption, or "Команда N" for a code the
// menu does not know, so that a module's own code is shown (and kept) as it is.
QString SlaveCommandCaption(uint8_t code);
