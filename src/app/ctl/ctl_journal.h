#pragma once

#include "app/ctl/ctl_context.h"

// monitor: the journal lines of the live bus as they arrive, for a time or until interrupted;
// with --save FILE every adapter frame also goes into a bus capture.
int RunMonitor(TCtlContext& context, const QStringList& args);

// decode --file FILE: the journal lines of a bus capture, with the times they were recorded.
int RunDecodeCapture(TCtlContext& context, const QStringList& args);
