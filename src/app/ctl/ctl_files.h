#pragma once

#include <cstdint>
#include <span>

#include "app/ctl/ctl_context.h"
#include "binding/page_table.h"
#include "pages/settings_pages.h"

// read: saves the persistent memories of the modules into a configuration file.
int RunRead(TCtlContext& context, const QStringList& args);
// write: opens a configuration file and writes what it holds to the modules.
int RunWrite(TCtlContext& context, const QStringList& args);

// The same with the page tables given, so that tests can bind pages of their own.
int RunReadWith(TCtlContext& context, const QStringList& args, std::span<const TPageTable> tables);
int RunWriteWith(TCtlContext& context, const QStringList& args, std::span<const TPageTable> tables);
