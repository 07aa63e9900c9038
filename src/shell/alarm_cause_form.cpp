#include "shell/alarm_cause_form.h"

#include <QLabel>
#include <QVBoxLayout>

TAlarmCauseForm::TAlarmCauseForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AlarmCauseForm"));
  setWindowTitle(QStringLiteral("Причина тревоги"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("ТРЕВОГА!"));
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 6);
  title->setFont(bold);
  title->setStyleSheet(QStringLiteral("color: red"));
  title->setAlignment(Qt::AlignCenter);
  cause_ = new QLabel;
  cause_->setObjectName(QStringLiteral("lbCause"));
  cause_->setAlignment(Qt::AlignCenter);
  cause_->setWordWrap(true);
  layout->addWidget(title);
  layout->addWidget(cause_);
  layout->addWidget(
      new QLabel(QStringLiteral("Окно будет закрыто автоматически по окончании тревоги")));
}

void TAlarmCauseForm::SetCause(const QString& cause) {
  cause_->setText(cause);
}

QString TAlarmCauseForm::Cause() const {
  return cause_->text();
}
