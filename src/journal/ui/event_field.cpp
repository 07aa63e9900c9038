#include "journal/ui/event_field.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QToolButton>

#include "journal/event_table.h"

namespace {

constexpr int kListWidth = 360;

}  // namespace

TEventField::TEventField(QWidget* parent) : QWidget(parent) {
  list_ = new QComboBox(this);
  list_->setMinimumWidth(kListWidth);
  list_->setMaxVisibleItems(20);
  list_->addItem(EventCodeText(0), 0);
  for (int number = 1; number <= kEventCount; ++number) {
    list_->addItem(EventTitle(number), EventCodeOf(number));
  }
  picker_ = new QToolButton(this);
  picker_->setText(QStringLiteral("…"));
  picker_->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_, 1);
  layout->addWidget(picker_);
  connect(list_, &QComboBox::activated, this, [this] {
    if (list_->currentIndex() != unknownIndex_) DropUnknown();
    emit Chosen();
  });
  connect(picker_, &QToolButton::clicked, this, &TEventField::PickerRequested);
}

uint8_t TEventField::Code() const {
  return static_cast<uint8_t>(list_->currentData().toInt());
}

void TEventField::DropUnknown() {
  if (unknownIndex_ < 0) return;
  const QSignalBlocker blocker(list_);
  list_->removeItem(unknownIndex_);
  unknownIndex_ = -1;
}

void TEventField::SetCode(uint8_t code) {
  const QSignalBlocker blocker(list_);
  DropUnknown();
  int index = list_->findData(static_cast<int>(code));
  if (index < 0) {
    list_->addItem(EventCodeText(code), static_cast<int>(code));
    index = unknownIndex_ = list_->count() - 1;
  }
  list_->setCurrentIndex(index);
}

void TEventField::ChooseNumber(int number) {
  {
    const QSignalBlocker blocker(list_);
    DropUnknown();
    list_->setCurrentIndex(number >= 0 && number <= kEventCount ? number : 0);
  }
  emit Chosen();
}
