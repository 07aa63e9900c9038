#pragma once

#include <cstdint>
#include <span>

#include "app/ctl/ctl_context.h"
#include "binding/control_table.h"

// A settings page's table, as read and write bind it without widgets.
struct TPageTable {
  const char* Name;
  // The page's module; rows may name another one.
  uint8_t LanAddr;
  std::span<const TControlRow> Rows;
};

// The settings pages whose bytes read and write move without --full. A page adds one line
// here.
std::span<const TPageTable> SettingsPageTables();

// read: saves the persistent memories of the modules into a configuration file.
int RunRead(TCtlContext& context, const QStringList& args);
// write: opens a configuration file and writes what it holds to the modules.
int RunWrite(TCtlContext& context, const QStringList& args);

// The same with the page tables given, so that tests can bind pages of their own.
int RunReadWith(TCtlContext& context, const QStringList& args, std::span<const TPageTable> tables);
int RunWriteWith(TCtlContext& context, const QStringList& args, std::span<const TPageTable> tables);
