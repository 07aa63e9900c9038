#pragma once

#include <QString>

#include "binding/component_data.h"
#include "memory/bound_cell.h"

// The binding half of every bound control: the operations its TComponentData answers, the
// reread of the control's own bytes and the farewell to the area. Control kinds add how they
// show, store and compare their value.
class TBoundControlBase : public IBoundControl {
 public:
  TBoundControlBase() = default;
  TBoundControlBase(const TBoundControlBase&) = delete;
  TBoundControlBase& operator=(const TBoundControlBase&) = delete;
  ~TBoundControlBase() override;

  TComponentData& ComponentData() { return data_; }
  const TComponentData& ComponentData() const { return data_; }
  // The name that errors and help report.
  virtual QString ControlName() const = 0;

  int GetAddr() const override { return data_.Addr(); }
  bool GetAutoUpdate() const override { return data_.AutoUpdate(); }
  TDataType GetDataType() const override { return data_.DataType(); }
  uint8_t GetLanAddr() const override { return data_.LanAddr(); }
  int GetMaxVal() const override { return data_.MaxVal(); }
  TMemoryLocation GetMemID() const override { return data_.MemID(); }
  int GetReadOnlyAddr() const override { return data_.ReadOnlyAddr(); }
  TStartBit GetStartBit() const override { return data_.StartBit(); }
  int GetUpdateInterval() const override { return data_.UpdateInterval(); }
  int GetSize() const override { return data_.GetSize(); }
  TBaseDeviceMemoryItem* GetMem() const override { return data_.Mem(); }
  bool IsReadOnly() const override { return data_.IsReadOnly(); }
  void Refresh() override;
  void SetAddr(int addr) override { data_.SetAddr(addr); }
  void SetAutoUpdate(bool autoUpdate) override { data_.SetAutoUpdate(autoUpdate); }
  void SetDataType(TDataType dataType) override { data_.SetDataType(dataType); }
  void SetLanAddr(uint8_t lanAddr) override { data_.SetLanAddr(lanAddr); }
  void SetMaxVal(int maxVal) override { data_.SetMaxVal(maxVal); }
  void SetMemID(TMemoryLocation memID) override { data_.SetMemID(memID); }
  void SetStartBit(TStartBit startBit) override { data_.SetStartBit(startBit); }
  void SetUpdateInterval(int interval) override { data_.SetUpdateInterval(interval); }
  // Leaves the area the control was bound to and joins `mem`'s list, so that the control and
  // its area always agree and either can go first.
  void SetMem(TBaseDeviceMemoryItem* mem) override;

 protected:
  // A value the user (or page logic acting for the user) changed: twins take it over and
  // the area learns that it holds unsaved changes.
  void ReportUserChange(int value);
  // A twin is of the same kind as `sender` and bound to the same cell.
  template <class TKind>
  bool IsTwin(const IBoundControl* sender) const {
    if (sender == this || data_.Mem() == nullptr) return false;
    const auto* twin = dynamic_cast<const TKind*>(sender);
    return twin != nullptr && twin->ComponentData().SameCell(data_);
  }

 private:
  TComponentData data_;
};
