#pragma once

#include <cstdint>

class IBoundControl;

// What a bound control may ask of the memory area it is bound to.
class TBaseDeviceMemoryItem {
 public:
  virtual ~TBaseDeviceMemoryItem() = default;

  // The area's channel is the live bus, not a file.
  virtual bool IsBusChannel() const = 0;
  virtual bool IsLoaded() const = 0;
  virtual bool IsModified() = 0;
  virtual void SetLoaded(bool loaded) = 0;
  virtual void SetModified(bool modified) = 0;
  virtual uint8_t GetByte(int index) = 0;
  virtual void SetByte(int index, uint8_t value) = 0;
  virtual bool IsUnlocked() const = 0;
  virtual void ResetReadPlan() = 0;
  // Reads bytes from the module into the image now.
  virtual void ReadRange(int start, int count) = 0;
  // A control's value changed: its twins bound to the same cell take it over.
  virtual void NotifyControls(IBoundControl* sender, int value) = 0;
  // A control that goes away before its area calls this, so the area forgets it.
  virtual void DetachControl(IBoundControl* control) = 0;
};
