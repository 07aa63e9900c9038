#pragma once

#include <QString>
#include <cstdint>

#include "memory/memory_location.h"

class TBaseDeviceMemoryItem;

// How a bound value is coded in its cell.
enum TDataType : uint8_t {
  stBit = 0,
  stBits = 1,
  stByteLo = 2,
  stByteHi = 3,
  stByte = 4,
  stFloat = 5,
  st2Bytes = 6,
  stHL = 7,
  stString = 8,
  stDate = 9,
  stArray = 10,
  stBitArray = 11,
};

// Bit 0 is the least significant bit of a byte.
enum TStartBit : uint8_t { sb0 = 0, sb1, sb2, sb3, sb4, sb5, sb6, sb7 };

// What every bound control offers to the memory areas and the module registry, whatever its
// kind. A control is bound to one cell of module memory: its module's LAN address
// (GetLanAddr), the memory location (GetMemID) and the byte index inside the area (GetAddr).
// The areas own this interface and the binding layer implements it, so that memory, the
// command line and the transfers need nothing above them.
class IBoundControl {
 public:
  virtual ~IBoundControl() = default;

  virtual bool IsDefault() const = 0;
  virtual int GetAddr() const = 0;
  virtual bool GetAutoUpdate() const = 0;
  virtual TDataType GetDataType() const = 0;
  virtual uint8_t GetLanAddr() const = 0;
  virtual int GetMaxVal() const = 0;
  virtual TMemoryLocation GetMemID() const = 0;
  // Byte index of the availability bit in the same area; 0 when the control has no guard.
  virtual int GetReadOnlyAddr() const = 0;
  virtual TStartBit GetStartBit() const = 0;
  virtual int GetUpdateInterval() const = 0;
  // Bytes the value occupies from GetAddr on; what read plans and refreshes cover.
  virtual int GetSize() const = 0;
  virtual TBaseDeviceMemoryItem* GetMem() const = 0;
  // Shows the value held in the area.
  virtual void Load() = 0;
  // Puts the shown value into the area.
  virtual void Store() = 0;
  // Rereads the control's own bytes from the module, then shows them.
  virtual void Refresh() = 0;
  virtual QString GetCaption() const = 0;
  virtual QString GetValueText() const = 0;
  virtual bool IsReadOnly() const = 0;
  virtual void SetAddr(int addr) = 0;
  virtual void SetAutoUpdate(bool autoUpdate) = 0;
  virtual void SetDataType(TDataType dataType) = 0;
  // Takes the control's factory value.
  virtual void SetDefault() = 0;
  virtual void SetLanAddr(uint8_t lanAddr) = 0;
  virtual void SetMaxVal(int maxVal) = 0;
  virtual void SetMemID(TMemoryLocation memID) = 0;
  virtual void SetStartBit(TStartBit startBit) = 0;
  virtual void SetUpdateInterval(int interval) = 0;
  // Another control changed the value of a cell; twins of the same kind take it over.
  virtual void Synchronize(IBoundControl* sender, int value) = 0;
  // The area the registry bound the control to; nullptr unbinds it.
  virtual void SetMem(TBaseDeviceMemoryItem* mem) = 0;
};
