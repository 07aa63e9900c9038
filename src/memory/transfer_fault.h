#pragma once

#include <QString>

// Why a transfer failed, as the user can act on it. The link journals every frame; the user
// needs the one cause that explains the failure and what to do about it.
enum class TFaultCause {
  None,
  AdapterMissing,  // the adapter is gone (unplugged, or its port closed)
  NoAnswer,        // the module never answered during the operation
  AccessRefused,   // the module answers but refuses reading and writing
  LineErrors,      // the module answered, but frames got lost or garbled on the way
};

// "модуль не отвечает"; empty for None.
QString FaultCauseText(TFaultCause cause);
// What the user does about it, one sentence; empty for None.
QString FaultAdvice(TFaultCause cause);
// "Причина: модуль не отвечает. Проверьте ..." for a message; empty for None.
QString FaultExplanation(TFaultCause cause);

// Decides the cause of a failed request from what the link saw: a gone adapter explains
// everything; a module that answered before or a line that garbled frames meanwhile point at
// the line; otherwise the module is silent.
TFaultCause ClassifyFault(bool adapterUnavailable, bool lineErrorsMeanwhile,
                          bool moduleAnsweredBefore);
