#include "shell/fault_text.h"

#include <algorithm>

#include "memory/device_memory_item.h"
#include "memory/lan_device.h"

void TTransferQuestions::Begin() {
  asked_ = false;
  notes_.clear();
}

TUserAnswer TTransferQuestions::AskStep(const QString& text) {
  asked_ = true;
  return target_.AskStep(text);
}

QString AreaTitle(const TDeviceMemoryItem& area) {
  const QString module = area.Device() ? area.Device()->Title() : QString();
  return module + QStringLiteral(" — ") + area.Name();
}

QString AdviceFor(const std::vector<TFaultCause>& causes) {
  std::vector<TFaultCause> told;
  QStringList lines;
  for (const TFaultCause cause : causes) {
    if (cause == TFaultCause::None || std::ranges::find(told, cause) != told.end()) continue;
    told.push_back(cause);
    lines << FaultAdvice(cause);
  }
  return lines.join(u'\n');
}

QString OperationFaultText(const QString& heading, const std::vector<TAreaFault>& faults) {
  QStringList lines;
  std::vector<TFaultCause> causes;
  for (const TAreaFault& fault : faults) {
    lines << QStringLiteral("%1: %2.").arg(AreaTitle(*fault.Area), FaultCauseText(fault.Cause));
    causes.push_back(fault.Cause);
  }
  return QStringLiteral("%1\n\n%2\n\n%3").arg(heading, lines.join(u'\n'), AdviceFor(causes));
}
