#pragma once

#include <cstdint>

#include "memory/bound_cell.h"
#include "memory/memory_location.h"

class TBaseDeviceMemoryItem;

// Bytes a value of `dataType` occupies from its address on. A bit field of a radio group
// counts its one byte, so that read plans fetch the byte the group shows and stores into.
int DataTypeSize(TDataType dataType, int maxVal);

// The binding of one bound control: which cell of which module memory it shows and how its
// value is coded there. Each bound control owns exactly one.
class TComponentData {
 public:
  bool AutoUpdate() const { return autoUpdate_; }
  void SetAutoUpdate(bool autoUpdate) { autoUpdate_ = autoUpdate; }
  uint8_t LanAddr() const { return lanAddr_; }
  void SetLanAddr(uint8_t lanAddr) { lanAddr_ = lanAddr; }
  int Addr() const { return addr_; }
  void SetAddr(int addr) { addr_ = addr; }
  TDataType DataType() const { return dataType_; }
  void SetDataType(TDataType dataType) { dataType_ = dataType; }
  int MaxVal() const { return maxVal_; }
  void SetMaxVal(int maxVal) { maxVal_ = maxVal; }
  TBaseDeviceMemoryItem* Mem() const { return mem_; }
  void SetMem(TBaseDeviceMemoryItem* mem) { mem_ = mem; }
  TMemoryLocation MemID() const { return memID_; }
  void SetMemID(TMemoryLocation memID) { memID_ = memID; }
  TStartBit StartBit() const { return startBit_; }
  void SetStartBit(TStartBit startBit) { startBit_ = startBit; }
  int ReadOnlyAddr() const { return readOnlyAddr_; }
  void SetReadOnlyAddr(int readOnlyAddr) { readOnlyAddr_ = readOnlyAddr; }
  TStartBit ReadOnlyBit() const { return readOnlyBit_; }
  void SetReadOnlyBit(TStartBit readOnlyBit) { readOnlyBit_ = readOnlyBit; }
  int UpdateInterval() const { return updateInterval_; }
  void SetUpdateInterval(int interval) { updateInterval_ = interval; }

  // Takes over the cell (address, coding, module, location, start bit) but keeps this
  // binding's size, guard and live settings.
  void Assign(const TComponentData& source);
  int GetSize() const { return DataTypeSize(dataType_, maxVal_); }
  // The area is on the live bus rather than a file; an unbound control is not connected.
  bool IsConnected() const;
  // The availability guard: only a module on the bus can lock a setting, and it does so
  // with a clear availability bit.
  bool IsReadOnly() const;
  // Twins share all of these; the guard and live settings do not matter.
  bool SameCell(const TComponentData& other) const;

 private:
  bool autoUpdate_ = false;
  uint8_t lanAddr_ = 0;
  int addr_ = 0;
  TDataType dataType_ = stBit;
  int maxVal_ = 0;
  TBaseDeviceMemoryItem* mem_ = nullptr;
  TMemoryLocation memID_ = mlInt;
  TStartBit startBit_ = sb0;
  int readOnlyAddr_ = 0;
  TStartBit readOnlyBit_ = sb0;
  int updateInterval_ = 0;
};
