#include "link/adapter_errors.h"

const std::array<const char*, kAdapterErrorCount> AdapterErrors = {
    "%s не отвечает на запрос",  "ошибка при передаче данных в сеть",
    "адаптер не найден",         "высокий уровень помех в сети",
    "внутренняя ошибка #1",      "внутренняя ошибка #2",
    "неверный формат сообщения", "внутренняя ошибка #4",
    "слишком длинное сообщение", "\"%s\": отказано в доступе",
    "адаптер обнаружен",         "сеть недоступна",
    "сеть обнаружена",
};

QString AdapterErrorText(int number) {
  if (number < 0 || number >= kAdapterErrorCount) return {};
  return QString::fromUtf8(AdapterErrors[static_cast<size_t>(number)]);
}

QString AdapterErrorText(int number, const QString& name) {
  QString text = AdapterErrorText(number);
  // Plain replacement, not QString::arg: a name holding "%1" must stay as it is.
  return text.replace(QStringLiteral("%s"), name);
}
