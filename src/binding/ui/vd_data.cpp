#include "binding/ui/vd_data.h"

#include "binding/comp_error.h"
#include "memory/base_device_memory_item.h"

void TVDData::Load() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  const TComponentData& data = ComponentData();
  WrapComp(ControlName(), GetCaption(), [&] {
    if (data.DataType() != stArray) ThrowBadDataType(ControlName(), data.DataType());
    SetDisabled(drGuard, data.IsReadOnly());
    for (int i = 0; i < data.MaxVal(); ++i) {
      const uint8_t b = mem->GetByte(data.Addr() + i);
      if (OnLoad) OnLoad(*this, b, i);
    }
    if (control_) control_->update();
  });
}

void TVDData::ShowEnabled(bool enabled) {
  if (control_) control_->setEnabled(enabled);
  if (OnSetEnableEvent) OnSetEnableEvent(*this, enabled);
}

void TVDData::ShowVisible(bool visible) {
  if (control_) control_->setVisible(visible);
}

void TVDData::Store() {
  StoreBytes();
}

void TVDData::StoreEdited() {
  if (StoreBytes()) ReportUserChange(0);
}

void TVDData::Synchronize(IBoundControl* sender, int) {
  if (IsTwin<TVDData>(sender)) Load();
}

bool TVDData::StoreBytes() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr || !Operable()) return false;
  const TComponentData& data = ComponentData();
  bool changed = false;
  WrapComp(ControlName(), GetCaption(), [&] {
    if (data.DataType() != stArray) ThrowBadDataType(ControlName(), data.DataType());
    for (int i = 0; i < data.MaxVal(); ++i) {
      const uint8_t old = mem->GetByte(data.Addr() + i);
      uint8_t v = old;
      if (OnStore) OnStore(*this, v, i);
      mem->SetByte(data.Addr() + i, v);
      changed = changed || v != old;
    }
  });
  return changed;
}

QString TVDData::GetValueText() const {
  QString text;
  if (OnAsString) OnAsString(*this, text);
  return text;
}

void TVDData::SetDefault() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (!OnSetDefaultState || mem == nullptr) return;
  const TComponentData& data = ComponentData();
  // Each call starts from the byte the previous one produced.
  uint8_t v = 0;
  for (int i = 0; i < data.MaxVal(); ++i) {
    OnSetDefaultState(*this, v, i);
    mem->SetByte(data.Addr() + i, v);
  }
  if (control_) control_->update();
}
