#include "shell/progress_form.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TProgress::TProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      text_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Отмена"), this)) {
  setWindowTitle(QStringLiteral("Подождите, пожалуйста..."));
  setObjectName(QStringLiteral("Progress"));
  auto* layout = new QVBoxLayout(this);
  text_->setMinimumWidth(360);
  layout->addWidget(text_);
  layout->addWidget(bar_);
  bar_->setTextVisible(false);
  cancel_->setObjectName(QStringLiteral("ProgressCancel"));
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  connect(cancel_, &QPushButton::clicked, this, &TProgress::CancelRequested);
}

void TProgress::reject() {
  emit CancelRequested();
}

void TProgress::SetText(const QString& text) {
  text_->setText(text);
}
QString TProgress::Text() const {
  return text_->text();
}

void TProgress::SetProgress(int maximum, int position) {
  bar_->setMaximum(std::max(maximum, 0));
  bar_->setValue(std::clamp(position, 0, std::max(maximum, 0)));
}

int TProgress::Maximum() const {
  return bar_->maximum();
}
int TProgress::Position() const {
  return bar_->value();
}
