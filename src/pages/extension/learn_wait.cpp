#include "pages/extension/learn_wait.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TLearnWait::TLearnWait(QWidget* parent)
    : QDialog(parent), prompt_(new QLabel), detail_(new QLabel) {
  setObjectName(QStringLiteral("LearnWait"));
  setWindowTitle(QStringLiteral("Обучение событию"));
  prompt_->setText(QStringLiteral("Нажмите кнопку штатного брелка автомобиля для события"));
  prompt_->setWordWrap(true);
  detail_->setAlignment(Qt::AlignCenter);
  auto* cancel = new QPushButton(QStringLiteral("Отмена"));
  cancel->setObjectName(QStringLiteral("btLearnCancel"));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_);
  layout->addWidget(detail_);
  layout->addWidget(cancel, 0, Qt::AlignCenter);
}

void TLearnWait::Show(const QString& caption, const QString& prompt, const QString& detail) {
  setWindowTitle(caption);
  prompt_->setText(prompt);
  detail_->setText(detail);
  open();
}

QString TLearnWait::Prompt() const {
  return prompt_->text();
}
QString TLearnWait::Detail() const {
  return detail_->text();
}
