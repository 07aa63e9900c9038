#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

#include "memory/base_device_memory_item.h"
#include "memory/bound_cell.h"

// A bound control for tests: shows and stores `Value` as `Size` bytes from `Addr`, low byte
// first, and counts what the area asked of it.
class TTestControl : public IBoundControl {
 public:
  TTestControl(uint8_t lanAddr, TMemoryLocation memID, int addr, int size = 1)
      : lanAddr_(lanAddr), memID_(memID), addr_(addr), size_(size) {}
  TTestControl(const TTestControl&) = delete;
  TTestControl& operator=(const TTestControl&) = delete;
  // Controls go away before their areas, as pages do before the registry.
  ~TTestControl() override {
    if (mem_) mem_->DetachControl(this);
  }

  std::vector<uint8_t> Value;    // what Store puts into the area
  std::vector<uint8_t> Shown;    // what the last Load read
  std::vector<uint8_t> Default;  // what SetDefault takes
  int ReadOnlyAddr = 0;
  int Loads = 0;
  int Stores = 0;
  int Defaults = 0;
  int Synchronized = 0;
  bool FailOnStore = false;

  bool IsDefault() const override { return Value == Default; }
  int GetAddr() const override { return addr_; }
  bool GetAutoUpdate() const override { return false; }
  TDataType GetDataType() const override { return size_ == 2 ? st2Bytes : stByte; }
  uint8_t GetLanAddr() const override { return lanAddr_; }
  int GetMaxVal() const override { return 0; }
  TMemoryLocation GetMemID() const override { return memID_; }
  int GetReadOnlyAddr() const override { return ReadOnlyAddr; }
  TStartBit GetStartBit() const override { return sb0; }
  int GetUpdateInterval() const override { return 0; }
  int GetSize() const override { return size_; }
  TBaseDeviceMemoryItem* GetMem() const override { return mem_; }
  void Load() override {
    ++Loads;
    Shown.clear();
    for (int i = 0; i < size_; ++i) Shown.push_back(mem_->GetByte(addr_ + i));
  }
  void Store() override {
    ++Stores;
    if (FailOnStore) throw std::runtime_error("store failed");
    for (int i = 0; i < static_cast<int>(Value.size()); ++i) {
      mem_->SetByte(addr_ + i, Value[static_cast<size_t>(i)]);
    }
  }
  void Refresh() override {
    if (!mem_) return;
    mem_->ReadRange(addr_, size_);
    Load();
  }
  QString GetCaption() const override { return {}; }
  QString GetValueText() const override { return {}; }
  bool IsReadOnly() const override { return false; }
  void SetAddr(int addr) override { addr_ = addr; }
  void SetAutoUpdate(bool) override {}
  void SetDataType(TDataType) override {}
  void SetDefault() override {
    ++Defaults;
    Value = Default;
  }
  void SetLanAddr(uint8_t lanAddr) override { lanAddr_ = lanAddr; }
  void SetMaxVal(int) override {}
  void SetMemID(TMemoryLocation memID) override { memID_ = memID; }
  void SetStartBit(TStartBit) override {}
  void SetUpdateInterval(int) override {}
  void Synchronize(IBoundControl* sender, int) override {
    if (sender != this) ++Synchronized;
  }
  void SetMem(TBaseDeviceMemoryItem* mem) override { mem_ = mem; }

 private:
  uint8_t lanAddr_;
  TMemoryLocation memID_;
  int addr_;
  int size_;
  TBaseDeviceMemoryItem* mem_ = nullptr;
};
