#include "binding/ui/vd_radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

#include "binding/comp_error.h"
#include "binding/ui/vd_look.h"
#include "binding/value_coding.h"
#include "memory/base_device_memory_item.h"

TVDRadioGroup::TVDRadioGroup(QWidget* parent)
    : QWidget(parent),
      caption_(new TVDBoundLabel(QStringLiteral("Caption"), QString(), this)),
      layout_(new QGridLayout(this)),
      buttonGrid_(new QGridLayout) {
  caption_->setWordWrap(true);
  caption_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout_->setContentsMargins(0, 2, 0, 2);
  buttonGrid_->setContentsMargins(0, 0, 0, 0);
  buttonGrid_->setVerticalSpacing(2);
  group_.setExclusive(true);
  connect(&group_, &QButtonGroup::idClicked, this, &TVDRadioGroup::ButtonClicked);
  Relayout();
}

QString TVDRadioGroup::Caption() const {
  return caption_->text();
}

void TVDRadioGroup::SetCaption(const QString& caption) {
  caption_->setText(caption);
}

void TVDRadioGroup::SetItems(const QStringList& items) {
  for (QRadioButton* button : buttons_) delete button;
  buttons_.clear();
  items_ = items;
  for (int i = 0; i < items_.size(); ++i) {
    auto* button = new QRadioButton(items_[i], this);
    group_.addButton(button, i);
    buttons_.push_back(button);
  }
  itemIndex_ = -1;
  SetBoldLook(*caption_, !IsDefault());
  Relayout();
}

void TVDRadioGroup::SetColumns(int columns) {
  columns_ = std::clamp(columns, 1, 16);
  Relayout();
}

void TVDRadioGroup::SetLabelPosition(TLabelPosition position) {
  labelPosition_ = position;
  Relayout();
}

void TVDRadioGroup::SetItemsLeft(int itemsLeft) {
  itemsLeft_ = itemsLeft;
  Relayout();
}

void TVDRadioGroup::SetItemIndex(int index) {
  keepsStored_ = false;
  Select(index, false);
}

bool TVDRadioGroup::IsDefault() const {
  return itemIndex_ == std::min(default_, static_cast<int>(items_.size()) - 1);
}

void TVDRadioGroup::SetDefault() {
  SetItemIndex(default_);
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr || default_ < static_cast<int>(items_.size())) return;
  StoreValue(*mem, ComponentData(), default_);
  keepsStored_ = true;
}

void TVDRadioGroup::SetDefaultValue(int value) {
  default_ = value;
  SetBoldLook(*caption_, !IsDefault());
}

std::pair<int, int> TVDRadioGroup::ItemCell(int index) const {
  int row = 0;
  int column = 0;
  int rowSpan = 0;
  int columnSpan = 0;
  buttonGrid_->getItemPosition(buttonGrid_->indexOf(Button(index)), &row, &column, &rowSpan,
                               &columnSpan);
  return {row, column};
}

void TVDRadioGroup::Relayout() {
  layout_->removeWidget(caption_);
  layout_->removeItem(buttonGrid_);
  for (QRadioButton* button : buttons_) buttonGrid_->removeWidget(button);
  const int count = static_cast<int>(buttons_.size());
  const int rows = std::max(1, (count + columns_ - 1) / columns_);
  for (int i = 0; i < count; ++i) buttonGrid_->addWidget(buttons_[i], i % rows, i / rows);
  // Spare width goes after the last column, so the columns stay together.
  for (int column = 0; column < buttonGrid_->columnCount(); ++column) {
    buttonGrid_->setColumnStretch(column, column < columns_ ? 0 : 1);
  }
  buttonGrid_->setColumnStretch(columns_, 1);
  if (labelPosition_ == lpAbove) {
    caption_->setFixedWidth(QWIDGETSIZE_MAX);
    caption_->setMinimumWidth(0);
    layout_->addWidget(caption_, 0, 0);
    layout_->addLayout(buttonGrid_, 1, 0);
  } else {
    if (itemsLeft_ > 0) {
      caption_->setFixedWidth(std::max(0, itemsLeft_ - 8));
    } else {
      caption_->setMinimumWidth(0);
      caption_->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    layout_->addWidget(caption_, 0, 0);
    layout_->addLayout(buttonGrid_, 0, 1);
    layout_->setColumnStretch(1, 1);
  }
}

void TVDRadioGroup::ButtonClicked(int index) {
  keepsStored_ = false;
  itemIndex_ = index;
  SetBoldLook(*caption_, !IsDefault());
  if (OnClick) OnClick(*this);
  ReportUserChange(itemIndex_);
}

void TVDRadioGroup::Select(int index, bool quiet) {
  index = std::clamp(index, -1, static_cast<int>(items_.size()) - 1);
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (index < 0) {
    // An exclusive group keeps one button checked; lifting that lets the choice go.
    group_.setExclusive(false);
    for (QRadioButton* button : buttons_) button->setChecked(false);
    group_.setExclusive(true);
    SetBoldLook(*caption_, !IsDefault());
    return;
  }
  Button(index)->setChecked(true);
  SetBoldLook(*caption_, !IsDefault());
  if (OnClick) OnClick(*this);
  if (!quiet) ReportUserChange(itemIndex_);
}

int TVDRadioGroup::DecodeLoaded(uint8_t b, TBaseDeviceMemoryItem& mem) {
  switch (GetDataType()) {
    case stBit:
    case stBits:
    case stByteLo:
    case stByteHi:
    case stBitArray:
      return LoadValue(mem, ComponentData());
    case stByte: {
      int value = b;
      if (OnLoad) OnLoad(*this, b, value);
      return value;
    }
    default:
      ThrowBadDataType(ControlName(), GetDataType());
  }
}

void TVDRadioGroup::Load() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  const TComponentData& data = ComponentData();
  uint8_t b = 0;
  WrapComp(ControlName(), GetCaption(), [&] {
    SetDisabled(drGuard, data.IsReadOnly());
    b = mem->GetByte(data.Addr());
  });
  const int loaded = DecodeLoaded(b, *mem);
  Select(loaded, true);
  // A stored state past the items shows as the last item, but stays stored as it is until
  // the user chooses: showing a setting must not change it.
  keepsStored_ = loaded != itemIndex_;
}

void TVDRadioGroup::Store() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr || !Operable() || keepsStored_) return;
  const TComponentData& data = ComponentData();
  WrapComp(ControlName(), GetCaption(), [&] {
    switch (data.DataType()) {
      case stBit:
      case stBits:
      case stByteLo:
      case stByteHi:
      case stBitArray:
        StoreValue(*mem, data, itemIndex_);
        return;
      case stByte: {
        int value = itemIndex_;
        if (OnStore) OnStore(*this, itemIndex_, value);
        StoreValue(*mem, data, value);
        return;
      }
      default:
        mem->SetByte(data.Addr(), mem->GetByte(data.Addr()));
    }
  });
}

QString TVDRadioGroup::GetValueText() const {
  return itemIndex_ >= 0 ? items_[itemIndex_] : QString();
}

void TVDRadioGroup::Synchronize(IBoundControl* sender, int value) {
  if (IsTwin<TVDRadioGroup>(sender)) Select(value, true);
}
