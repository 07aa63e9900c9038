#include "pages/main/relay_delay_window.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "pages/main/start_relays.h"

TRelayDelayWindow::TRelayDelayWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Задержка включения/выключения"));
  setObjectName(QStringLiteral("RelayDelayWindow"));
  auto* layout = new QGridLayout(this);
  on_ = AddDelay(QStringLiteral("Задержка включения"), onLabel_);
  off_ = AddDelay(QStringLiteral("Задержка выключения"), offLabel_);
  on_->setObjectName(QStringLiteral("tbOnDelay"));
  off_->setObjectName(QStringLiteral("tbOffDelay"));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons, layout->rowCount(), 0, 1, 3);
  setMinimumWidth(480);
}

QSlider* TRelayDelayWindow::AddDelay(const QString& caption, QLabel*& label) {
  auto* layout = static_cast<QGridLayout*>(this->layout());
  const int row = layout->rowCount();
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setRange(0, kMaxDelayPosition);
  label = new QLabel(this);
  label->setMinimumWidth(80);
  connect(slider, &QSlider::valueChanged, label,
          [label](int position) { label->setText(DelayText(position)); });
  layout->addWidget(new QLabel(caption, this), row, 0);
  layout->addWidget(slider, row, 1);
  layout->addWidget(label, row, 2);
  return slider;
}

void TRelayDelayWindow::Edit(int onPosition, int offPosition, bool offDelayFixed) {
  on_->setValue(onPosition);
  off_->setValue(offPosition);
  onLabel_->setText(DelayText(onPosition));
  offLabel_->setText(DelayText(offPosition));
  off_->setEnabled(!offDelayFixed);
}

int TRelayDelayWindow::OnPosition() const {
  return on_->value();
}

int TRelayDelayWindow::OffPosition() const {
  return off_->value();
}
