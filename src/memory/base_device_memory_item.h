#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "memory/bound_cell.h"

// What a bound control may ask of the memory area it is bound to.
//
// An area and its bound controls know each other both ways for as long as both live, and
// whichever goes first ends the link: pages and the registry go in whatever order their
// owners pick. The list of controls lives here, below every kind of area, so that no area (a
// test's included) can go without unbinding its controls; detaching is not virtual, so it is
// safe at any stage of an area's teardown.
class TBaseDeviceMemoryItem {
 public:
  TBaseDeviceMemoryItem() = default;
  TBaseDeviceMemoryItem(const TBaseDeviceMemoryItem&) = delete;
  TBaseDeviceMemoryItem& operator=(const TBaseDeviceMemoryItem&) = delete;
  // Unbinds every control still bound, so that none calls into the area afterwards. The list
  // is taken first: a control that leaves its area while being unbound finds it empty.
  virtual ~TBaseDeviceMemoryItem() {
    for (IBoundControl* control : std::exchange(controls_, {})) control->SetMem(nullptr);
  }

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

  // Lists a control bound to the area (its GetMem() is this area), once however often it is
  // bound; the area loads, stores and synchronises the controls it lists.
  void AddControl(IBoundControl* control) {
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) {
      controls_.push_back(control);
    }
  }
  // A control that goes away, or moves to another area, calls this so the area forgets it.
  void DetachControl(IBoundControl* control) { std::erase(controls_, control); }
  const std::vector<IBoundControl*>& Controls() const { return controls_; }

 private:
  std::vector<IBoundControl*> controls_;
};
