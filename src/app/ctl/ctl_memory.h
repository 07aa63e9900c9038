#pragma once

#include "app/ctl/ctl_context.h"
#include "memory/memory_location.h"

// dump: bytes of a module memory, read over the bus.
int RunDump(TCtlContext& context, const QStringList& args);
// poke: writes bytes into a module memory over the bus and sends the end-of-write notice.
int RunPoke(TCtlContext& context, const QStringList& args);
// scan: which modules of the module table answer and grant access.
int RunScan(TCtlContext& context, const QStringList& args);
// The name by which dump and poke take a memory: int, ext, ram or flash.
QString LocationName(TMemoryLocation location);
