#pragma once

#include <QString>

#include "binding/component_data.h"
#include "binding/control_table.h"

// Why a control is greyed. Each reason has one owner that sets and clears it, so that one
// owner lifting its reason never undoes another's: the control is enabled, and stores its
// value, while no reason holds.
enum TDisabledReason : uint8_t {
  drTable = 1u << 0,     // the page's table greys the row for good
  drGuard = 1u << 1,     // the module's availability bit marks the setting read-only
  drAbsent = 1u << 2,    // its module does not answer
  drFirmware = 1u << 3,  // the main module's firmware does not know the setting
  drRule = 1u << 4,      // the page's own logic
};
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
  // An excluded control (its setting does not exist on the connected board) is hidden, and
  // neither loads nor stores: its area is withheld from it and from read plans.
  TBaseDeviceMemoryItem* GetMem() const override { return excluded_ ? nullptr : data_.Mem(); }

  void SetDisabled(TDisabledReason reason, bool disabled);
  bool IsDisabledFor(TDisabledReason reason) const { return (disabled_ & reason) != 0; }
  // No reason holds: the control takes input and stores.
  bool Operable() const { return disabled_ == 0 && !excluded_; }

  // The firmware and board columns of the control's row.
  void SetCarLimits(TFirmwareRange firmware, uint8_t boards);
  // Greys the control outside its firmware range; 0 (not known yet) and demo mode grey none.
  void ApplyMainFirmware(uint8_t major, bool demoMode);
  // Excludes the control on boards its row does not list; 0 (not known yet) excludes none.
  void ApplyBoardGeneration(int generation);
  bool Excluded() const { return excluded_; }
  // A row the table hides stays hidden on every board.
  void SetHiddenByTable(bool hidden);

 protected:
  // A value the user (or page logic acting for the user) changed: twins take it over and
  // the area learns that it holds unsaved changes.
  void ReportUserChange(int value);
  // A twin is of the same kind as `sender` and bound to the same cell.
  // Shows the combined enabled state; widgets grey themselves.
  virtual void ShowEnabled(bool) {}
  // Shows or hides the control: hidden by its table or excluded on this board.
  virtual void ShowVisible(bool) {}
  template <class TKind>
  bool IsTwin(const IBoundControl* sender) const {
    if (sender == this || GetMem() == nullptr) return false;
    const auto* twin = dynamic_cast<const TKind*>(sender);
    return twin != nullptr && twin->ComponentData().SameCell(data_);
  }

 private:
  TComponentData data_;
  uint8_t disabled_ = 0;
  bool excluded_ = false;
  bool hiddenByTable_ = false;
  TFirmwareRange firmware_;
  uint8_t boards_ = 0;
};

// Shows what the control's area holds, when the area has been read or opened; a control made
// or given a new meaning later then shows the same as one that was there at the read.
void LoadIfLoaded(IBoundControl& control);
