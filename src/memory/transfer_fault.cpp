#include "memory/transfer_fault.h"

namespace {

struct TCauseText {
  TFaultCause Cause;
  const char* Text;
  const char* Advice;
};

constexpr TCauseText kCauses[] = {
    {TFaultCause::AdapterMissing, "адаптер не найден",
     "Проверьте, что адаптер подключён к компьютеру и выбран верный порт (Адаптер → Выбрать "
     "порт...)."},
    {TFaultCause::NoAnswer, "модуль не отвечает",
     "Проверьте, что модуль подключён к шине и на систему подано питание."},
    {TFaultCause::AccessRefused, "доступ запрещён",
     "Переведите систему в режим программирования и повторите."},
    {TFaultCause::LineErrors, "ошибки на линии",
     "Проверьте подключение адаптера к шине и повторите; незаписанное отправится снова."},
};

const TCauseText* Find(TFaultCause cause) {
  for (const TCauseText& entry : kCauses) {
    if (entry.Cause == cause) return &entry;
  }
  return nullptr;
}

}  // namespace

QString FaultCauseText(TFaultCause cause) {
  const TCauseText* entry = Find(cause);
  return entry ? QString::fromUtf8(entry->Text) : QString();
}

QString FaultAdvice(TFaultCause cause) {
  const TCauseText* entry = Find(cause);
  return entry ? QString::fromUtf8(entry->Advice) : QString();
}

QString FaultExplanation(TFaultCause cause) {
  if (cause == TFaultCause::None) return {};
  return QStringLiteral("Причина: %1. %2").arg(FaultCauseText(cause), FaultAdvice(cause));
}

TFaultCause ClassifyFault(bool adapterUnavailable, bool lineErrorsMeanwhile,
                          bool moduleAnsweredBefore) {
  if (adapterUnavailable) return TFaultCause::AdapterMissing;
  if (lineErrorsMeanwhile || moduleAnsweredBefore) return TFaultCause::LineErrors;
  return TFaultCause::NoAnswer;
}
