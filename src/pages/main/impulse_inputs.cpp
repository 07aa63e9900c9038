#include "pages/main/impulse_inputs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "pages/main/input_values.h"

namespace {

constexpr int kItems = 8;
constexpr const char* kCaptions[] = {"Импульсный вход №1", "Импульсный вход №2",
                                     "Импульсный вход №3"};
constexpr const char* kBeachPinCaptions[] = {
    "", "Режим пляж, ввод ПИН-кода (импульсный вход №2)",
    "Режим пляж, ввод ПИН-кода (импульсный вход №3)"};

bool ShiftHeld() {
  return QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
}

}  // namespace

TImpulseInputs::TImpulseInputs(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 4, 0, 0);
  for (int input = 0; input < kInputs; ++input) {
    auto* box = new QGroupBox(QString::fromUtf8(kCaptions[input]));
    auto* column = new QVBoxLayout(box);
    auto* group = new QButtonGroup(this);
    groups_[static_cast<std::size_t>(input)] = group;
    for (int item = 0; item < kItems; ++item) {
      auto* button = new QRadioButton(QStringLiteral("Алгоритм №%1").arg(item + 1));
      group->addButton(button, item);
      column->addWidget(button);
    }
    group->button(0)->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this,
            [this, input](int item) { ChooseItem(input, item, ShiftHeld()); });
    if (input > 0) {
      auto* pin = new QCheckBox(QString::fromUtf8(kBeachPinCaptions[input]));
      pin->setObjectName(QStringLiteral("cbBeachPin%1").arg(input + 1));
      beachPins_[static_cast<std::size_t>(input)] = pin;
      column->addWidget(pin);
      connect(pin, &QCheckBox::clicked, this,
              [this, input](bool checked) { SetBeachPin(input, checked, ShiftHeld()); });
    }
    column->addStretch();
    row->addWidget(box);
  }
}

int TImpulseInputs::Item(int input) const {
  return items_.at(static_cast<std::size_t>(input));
}

bool TImpulseInputs::BeachPin(int input) const {
  const QCheckBox* pin = beachPins_.at(static_cast<std::size_t>(input));
  return pin != nullptr && pin->isChecked();
}

void TImpulseInputs::Show(int input, int item, bool beachPin) {
  items_.at(static_cast<std::size_t>(input)) = item;
  QButtonGroup* group = groups_.at(static_cast<std::size_t>(input));
  if (QAbstractButton* button = group->button(item)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = group->checkedButton()) {
    group->setExclusive(false);
    checked->setChecked(false);
    group->setExclusive(true);
  }
  ShowBeachPin(input, beachPin);
}

void TImpulseInputs::ChooseItem(int input, int item, bool shift) {
  items_.at(static_cast<std::size_t>(input)) = item;
  QButtonGroup* group = groups_.at(static_cast<std::size_t>(input));
  if (QAbstractButton* button = group->button(item)) button->setChecked(true);
  if (BeachPin(input) && !(shift && GoesWithBeachPin(input, item))) ShowBeachPin(input, false);
  emit Edited();
}

void TImpulseInputs::SetBeachPin(int input, bool checked, bool shift) {
  if (beachPins_.at(static_cast<std::size_t>(input)) == nullptr) return;
  ShowBeachPin(input, checked);
  if (checked) {
    const int other = input == 1 ? 2 : 1;
    ShowBeachPin(other, false);
    if (!(shift && GoesWithBeachPin(input, Item(input)))) Show(input, -1, true);
  }
  emit Edited();
}

bool TImpulseInputs::GoesWithBeachPin(int input, int item) const {
  const auto items = input == 1 ? BeachPinItems2() : BeachPinItems3();
  return std::ranges::find(items, item) != items.end();
}

void TImpulseInputs::ShowBeachPin(int input, bool checked) {
  QCheckBox* pin = beachPins_.at(static_cast<std::size_t>(input));
  if (pin == nullptr) return;
  pin->setChecked(checked);
  QFont font = pin->font();
  font.setBold(checked);
  pin->setFont(font);
}
