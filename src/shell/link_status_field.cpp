#include "shell/link_status_field.h"

namespace {

// "1 модуль", "3 модуля", "5 модулей", "21 модуль".
QString ModulesText(int count) {
  const int lastTwo = count % 100;
  const int last = count % 10;
  const char* noun = "модулей";
  if (lastTwo < 11 || lastTwo > 14) {
    if (last == 1) noun = "модуль";
    if (last >= 2 && last <= 4) noun = "модуля";
  }
  return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(noun));
}

}  // namespace

TLinkStatusField::TLinkStatusField(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("SBLink"));
  setToolTip(QStringLiteral("Порт и состояние связи (Адаптер → Выбрать порт...)"));
}

void TLinkStatusField::Show(const QString& port, TLinkState state, int modules) {
  const QString text = Text(port, state, modules);
  if (text != this->text()) setText(text);
}

QString TLinkStatusField::Text(const QString& port, TLinkState state, int modules) {
  QString link;
  switch (state) {
    case TLinkState::NoAdapter:
      link = QStringLiteral("нет адаптера");
      break;
    case TLinkState::AdapterFound:
      link = QStringLiteral("адаптер найден");
      break;
    case TLinkState::Connected:
      link = QStringLiteral("связь есть, ") + ModulesText(modules);
      break;
  }
  return QStringLiteral("Порт: %1 — %2").arg(port, link);
}
