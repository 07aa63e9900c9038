#include "pages/gsm/data_choice.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include "binding/ui/vd_data.h"

TDataChoice::TDataChoice(const QString& caption, std::span<const TItem> items, TVDData& cell,
                         QWidget* parent)
    : QGroupBox(caption, parent), items_(items), buttons_(new QButtonGroup(this)) {
  auto* column = new QVBoxLayout(this);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    auto* button = new QRadioButton(QString::fromUtf8(items_[i].Text));
    buttons_->addButton(button, static_cast<int>(i));
    column->addWidget(button);
  }
  cell.SetControl(this);
  cell.OnLoad = [this](QObject&, uint8_t byte, int) { Show(byte); };
  cell.OnStore = [this](QObject&, uint8_t& byte, int) {
    if (const int chosen = Chosen(); chosen >= 0) {
      byte = items_[static_cast<std::size_t>(chosen)].Value;
    }
  };
  cell.OnSetDefaultState = [this](QObject&, uint8_t& byte, int) {
    byte = items_.front().Value;
    Show(byte);
  };
  cell.OnAsString = [this](const QObject&, QString& text) {
    const int chosen = Chosen();
    text =
        chosen < 0 ? QString() : QString::fromUtf8(items_[static_cast<std::size_t>(chosen)].Text);
  };
  connect(buttons_, &QButtonGroup::idClicked, &cell, [&cell] { cell.StoreEdited(); });
}

int TDataChoice::Chosen() const {
  return buttons_->checkedId();
}

void TDataChoice::Show(uint8_t value) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].Value == value) {
      buttons_->button(static_cast<int>(i))->setChecked(true);
      return;
    }
  }
  buttons_->setExclusive(false);
  for (QAbstractButton* button : buttons_->buttons()) button->setChecked(false);
  buttons_->setExclusive(true);
}
