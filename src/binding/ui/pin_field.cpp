#include "binding/ui/pin_field.h"

#include <stdexcept>

#include "binding/pin_coding.h"
#include "binding/ui/pin_edit.h"
#include "binding/ui/vd_data.h"
#include "memory/base_device_memory_item.h"
#include "memory/lan_dev_error.h"

TPinField::TPinField(TVDData& data, TPinEdit& edit, TPinFieldForm form, QObject* parent)
    : QObject(parent), data_(data), edit_(edit), form_(std::move(form)) {
  data.SetControl(&edit);
  data.OnLoad = [this](QObject&, uint8_t byte, int index) { Load(byte, index); };
  data.OnStore = [this](QObject&, uint8_t& byte, int index) { Store(byte, index); };
  data.OnSetDefaultState = [this](QObject&, uint8_t& byte, int index) { SetDefault(byte, index); };
  connect(&edit, &TPinEdit::Edited, this, &TPinField::MarkChanged);
}

void TPinField::Enter(const QString& digits) {
  edit_.SetDigits(digits);
  MarkChanged();
}

void TPinField::Load(uint8_t byte, int index) {
  pairs_.at(static_cast<std::size_t>(index)) = form_.PairText(byte);
  edit_.SetDigits(pairs_[0] + pairs_[1]);
}

void TPinField::Store(uint8_t& byte, int index) const {
  const auto bytes = EncodePin(edit_.Digits());
  if (!bytes) {
    throw EStoreRefused(QStringLiteral("%1: введите четыре цифры").arg(form_.Name));
  }
  byte = bytes->at(static_cast<std::size_t>(index));
}

void TPinField::SetDefault(uint8_t& byte, int index) {
  // The edit shows the factory code too: a later write stores what the edit holds.
  const TPinBytes bytes = EncodePin(form_.Default).value();
  byte = bytes.at(static_cast<std::size_t>(index));
  edit_.SetDigits(form_.Default);
}

void TPinField::MarkChanged() {
  if (TBaseDeviceMemoryItem* mem = data_.GetMem()) mem->SetModified(true);
}
