#pragma once

#include "app/ctl/ctl_context.h"

// dump: bytes of a module memory, read over the bus.
int RunDump(TCtlContext& context, const QStringList& args);
// poke: writes bytes into a module memory over the bus and sends the end-of-write notice.
int RunPoke(TCtlContext& context, const QStringList& args);
// scan: which modules of the module table answer and grant access.
int RunScan(TCtlContext& context, const QStringList& args);
