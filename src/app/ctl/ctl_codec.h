#pragma once

#include "app/ctl/ctl_context.h"

// encode: the wire bytes of one bus message in a frame to the adapter.
int RunEncode(TCtlContext& context, const QStringList& args);
// decode: adapter wire bytes back into frames and bus messages.
int RunDecode(TCtlContext& context, const QStringList& args);
