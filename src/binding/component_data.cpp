#include "binding/component_data.h"

#include "memory/base_device_memory_item.h"

int DataTypeSize(TDataType dataType, int maxVal) {
  switch (dataType) {
    case stFloat:
    case st2Bytes:
    case stHL:
      return 2;
    case stString:
    case stArray:
      return maxVal;
    default:
      return 1;
  }
}

void TComponentData::Assign(const TComponentData& source) {
  addr_ = source.addr_;
  dataType_ = source.dataType_;
  lanAddr_ = source.lanAddr_;
  memID_ = source.memID_;
  startBit_ = source.startBit_;
}

bool TComponentData::IsConnected() const {
  return mem_ != nullptr && mem_->IsBusChannel();
}

bool TComponentData::IsReadOnly() const {
  if (readOnlyAddr_ == 0 || !IsConnected()) return false;
  return ((mem_->GetByte(readOnlyAddr_) >> readOnlyBit_) & 1) == 0;
}

bool TComponentData::SameCell(const TComponentData& other) const {
  return addr_ == other.addr_ && dataType_ == other.dataType_ && lanAddr_ == other.lanAddr_ &&
         startBit_ == other.startBit_ && maxVal_ == other.maxVal_ && memID_ == other.memID_;
}
