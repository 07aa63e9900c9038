#pragma once

#include "app/ctl/ctl_context.h"

// monitor: the journal lines of the live bus as they arrive, for a time or until interrupted.
int RunMonitor(TCtlContext& context, const QStringList& args);
