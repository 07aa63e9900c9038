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

void TBoundControlBase::SetDisabled(TDisabledReason reason, bool disabled) {
  const uint8_t before = disabled_;
  disabled_ = disabled ? (disabled_ | reason) : (disabled_ & ~reason);
  if ((before == 0) != (disabled_ == 0)) ShowEnabled(disabled_ == 0);
}

void TBoundControlBase::SetCarLimits(TFirmwareRange firmware, uint8_t boards) {
  firmware_ = firmware;
  boards_ = boards;
}

void TBoundControlBase::ApplyMainFirmware(uint8_t major, bool demoMode) {
  SetDisabled(drFirmware, !demoMode && major != 0 && !firmware_.Contains(major));
}

void TBoundControlBase::ApplyBoardGeneration(int generation) {
  const bool excluded = !FitsBoard(boards_, generation);
  if (excluded == excluded_) return;
  excluded_ = excluded;
  ShowVisible(!excluded_ && !hiddenByTable_);
}

void TBoundControlBase::SetHiddenByTable(bool hidden) {
  hiddenByTable_ = hidden;
  ShowVisible(!excluded_ && !hiddenByTable_);
}

void TBoundControlBase::Refresh() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  mem->ReadRange(data_.Addr(), data_.GetSize());
  Load();
}

void TBoundControlBase::ReportUserChange(int value) {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  mem->NotifyControls(this, value);
  mem->SetModified(true);
}

void LoadIfLoaded(IBoundControl& control) {
  if (const auto* mem = control.GetMem(); mem != nullptr && mem->IsLoaded()) control.Load();
}
