#include "binding/bound_control_base.h"

#include "memory/base_device_memory_item.h"

TBoundControlBase::~TBoundControlBase() {
  if (data_.Mem() != nullptr) data_.Mem()->DetachControl(this);
}

void TBoundControlBase::SetMem(TBaseDeviceMemoryItem* mem) {
  TBaseDeviceMemoryItem* previous = data_.Mem();
  if (previous == mem) return;
  data_.SetMem(mem);
  // A control the registry binds again (another module, or none) must not stay in the list
  // of its previous area, which would otherwise unbind it, or reach it after it is gone.
  if (previous != nullptr) previous->DetachControl(this);
  if (mem != nullptr) mem->AddControl(this);
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
