#include "shell/warning_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TWarningForm::TWarningForm(const QString& first, const QString& second, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("WarningForm"));
  setWindowTitle(QStringLiteral("ВНИМАНИЕ!"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("Внимание!"));
  QFont large = title->font();
  large.setBold(true);
  large.setPointSize(large.pointSize() + 8);
  title->setFont(large);
  title->setStyleSheet(QStringLiteral("color: red"));
  title->setAlignment(Qt::AlignCenter);
  layout->addWidget(title);
  layout->addWidget(new QLabel(first));
  if (!second.isEmpty()) layout->addWidget(new QLabel(second));
  doNotShow_ = new QCheckBox(
      QStringLiteral("Не показывать при следующем запуске Вардекса (можно включить в настройках)"));
  doNotShow_->setObjectName(QStringLiteral("cbDoNotShow"));
  layout->addWidget(doNotShow_);
  auto* ok = new QPushButton(QStringLiteral("OK"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignCenter);
}

bool TWarningForm::DoNotShowAgain() const {
  return doNotShow_->isChecked();
}

QString TWarningForm::AutoArmText() {
  return QStringLiteral(
      "У Вас назначен режим \"Автопостановка по метке\".\r\nНе оставляйте ключи от автомобиля в "
      "салоне.");
}

QString TWarningForm::AutoArmNote() {
  return QStringLiteral(
      "При изменении любых настроек в системе опрос метки отключается на 15 секунд.");
}

QString TWarningForm::PowerDownText() {
  return QStringLiteral(
      "При старте повторной авторизации или начале опознавания \r\nперед режимом защиты от "
      "захвата не снимайте питание с Системы.\r\nВ противном случае будет активирован "
      "ПРИНУДИТЕЛЬНЫЙ AHJ.");
}
