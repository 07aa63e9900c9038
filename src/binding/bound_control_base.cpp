#include "binding/bound_control_base.h"

#include "memory/base_device_memory_item.h"

TBoundControlBase::~TBoundControlBase() {
  if (data_.Mem() != nullptr) data_.Mem()->DetachControl(this);
}

void TBoundControlBase::Refresh() {
  TBaseDeviceMemoryItem* mem = data_.Mem();
  if (mem == nullptr) return;
  mem->ReadRange(data_.Addr(), data_.GetSize());
  Load();
}

void TBoundControlBase::ReportUserChange(int value) {
  TBaseDeviceMemoryItem* mem = data_.Mem();
  if (mem == nullptr) return;
  mem->NotifyControls(this, value);
  mem->SetModified(true);
}
