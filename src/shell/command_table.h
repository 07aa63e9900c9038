#pragma once

#include <cstdint>
#include <span>

// The main window's commands as data: names, captions, hints, shortcuts and where they are
// offered. The window turns these tables into actions, menus and toolbar buttons.

struct TCommandSpec {
  const char* Name;
  const char* Caption;
  const char* Hint;
  const char* Shortcut;  // in QKeySequence's portable text, empty for none
};

// A page command: its submenu of "Показать" (empty for the top level), name, caption and
// the page it shows. Page names are command names without the leading "a" unless stated.
struct TPageCommandSpec {
  const char* Submenu;
  const char* Name;
  const char* Caption;
  const char* Page;
};

// The per-module transfer commands: bus address and the set of memory locations, as bit
// masks of mlInt (bit 0), mlExt (1), mlRam (2), mlFlash (3), mlMsg (4).
enum class TModuleCommandKind : uint8_t { Read, Write, Defaults };
struct TModuleCommandSpec {
  const char* Name;
  uint8_t LanAddr;
  uint8_t Locations;
  TModuleCommandKind Kind;
};

// An entry of the "Записать" and "Очистить" submenus; a null name is a separator.
struct TSubmenuEntry {
  const char* Name;
  const char* Caption;
};

// A category of the module panel and its page commands.
struct TPanelCategorySpec {
  const char* Caption;
  bool Collapsed;
  std::span<const char* const> Commands;
};

std::span<const TCommandSpec> MainCommands();
std::span<const TPageCommandSpec> MenuPageCommands();
// Page commands that only the module panel offers.
std::span<const TPageCommandSpec> PanelPageCommands();
std::span<const TModuleCommandSpec> ModuleCommandTable();
std::span<const TSubmenuEntry> WriteSubmenu();
std::span<const TSubmenuEntry> DefaultsSubmenu();
std::span<const TPanelCategorySpec> ModulePanelCategories();
