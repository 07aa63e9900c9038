#include "binding/comp_error.h"

QString InitErrorText(const QString& controlName, const QString& caption) {
  return QStringLiteral("%1 (%2): Ошибка инициализации").arg(controlName, caption);
}

QString BadDataTypeText(const QString& controlName, TDataType dataType) {
  return QStringLiteral("%1: Недопустимый тип данных (%2)")
      .arg(controlName)
      .arg(static_cast<int>(dataType));
}

void ThrowBadDataType(const QString& controlName, TDataType dataType) {
  throw EComp(BadDataTypeText(controlName, dataType));
}
