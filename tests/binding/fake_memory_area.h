#pragma once

#include <QString>
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "memory/base_device_memory_item.h"
#include "memory/bound_cell.h"

// A settings area as bound controls see it: an image with valid and changed marks that
// refuses stores into bytes never read, a switch between the bus and a file, and the list of
// bound controls it synchronises.
class TFakeMemoryArea : public TBaseDeviceMemoryItem {
 public:
  explicit TFakeMemoryArea(int size = 1024)
      : image_(static_cast<std::size_t>(size)),
        valid_(static_cast<std::size_t>(size)),
        changed_(static_cast<std::size_t>(size)) {}

  // Bytes as if read from the module, all marked known.
  void Fill(int start, std::vector<uint8_t> bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      image_[static_cast<std::size_t>(start) + i] = bytes[i];
      valid_[static_cast<std::size_t>(start) + i] = true;
    }
  }
  // Bytes that arrived from the module but that no control has shown yet.
  void Receive(int start, std::vector<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), image_.begin() + start);
  }
  void MarkAllValid() { std::fill(valid_.begin(), valid_.end(), true); }
  uint8_t Byte(int index) const { return image_[static_cast<std::size_t>(index)]; }
  bool Valid(int index) const { return valid_[static_cast<std::size_t>(index)]; }
  bool Changed(int index) const { return changed_[static_cast<std::size_t>(index)]; }
  void SetBusChannel(bool bus) { bus_ = bus; }
  void SetForceWrite(bool force) { forceWrite_ = force; }
  int ModifiedCalls() const { return modifiedCalls_; }
  int ReadRangeCalls() const { return readRangeCalls_; }

  // Binds the control as the registry does.
  void Attach(IBoundControl& control) {
    control.SetMem(this);
    AddControl(&control);
  }
  // What an area does after a read: every bound control shows its bytes.
  void LoadAll() {
    for (IBoundControl* control : Controls()) control->Load();
  }
  // What an area does before a write: every bound control stores its value.
  void StoreAll() {
    for (IBoundControl* control : Controls()) control->Store();
  }
  void SetDefaultsAll() {
    for (IBoundControl* control : Controls()) {
      for (int i = 0; i < control->GetSize(); ++i) valid_[Index(control->GetAddr() + i)] = true;
      control->SetDefault();
      for (int i = 0; i < control->GetSize(); ++i) changed_[Index(control->GetAddr() + i)] = true;
    }
  }

  bool IsBusChannel() const override { return bus_; }
  bool IsLoaded() const override { return loaded_; }
  bool IsModified() override { return modified_; }
  void SetLoaded(bool loaded) override { loaded_ = loaded; }
  void SetModified(bool modified) override {
    modified_ = modified;
    if (modified) ++modifiedCalls_;
  }
  uint8_t GetByte(int index) override {
    valid_[Index(index)] = true;
    return image_[Index(index)];
  }
  void SetByte(int index, uint8_t value) override {
    if (!valid_[Index(index)]) {
      throw std::runtime_error(QStringLiteral("Запись в непрочитанную память по адресу %1")
                                   .arg(index, 0, 16)
                                   .toStdString());
    }
    if (forceWrite_ || image_[Index(index)] != value) {
      image_[Index(index)] = value;
      changed_[Index(index)] = true;
    }
  }
  bool IsUnlocked() const override { return true; }
  void ResetReadPlan() override {}
  void ReadRange(int start, int count) override {
    ++readRangeCalls_;
    for (int i = 0; i < count; ++i) valid_[Index(start + i)] = true;
  }
  void NotifyControls(IBoundControl* sender, int value) override {
    for (IBoundControl* control : Controls()) control->Synchronize(sender, value);
  }

 private:
  std::size_t Index(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= image_.size()) {
      throw std::out_of_range("byte index outside the area");
    }
    return static_cast<std::size_t>(index);
  }

  std::vector<uint8_t> image_;
  std::vector<bool> valid_;
  std::vector<bool> changed_;
  bool bus_ = true;
  bool loaded_ = true;
  bool modified_ = false;
  bool forceWrite_ = false;
  int modifiedCalls_ = 0;
  int readRangeCalls_ = 0;
};
