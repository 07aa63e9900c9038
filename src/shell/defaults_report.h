#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "memory/memory_location.h"

class TDeviceMemoryItem;
class TLanDevice;

// "Очистить" puts a module's factory settings into the program only; the module keeps its
// own until "Записать". The report names what is about to be reset, remembers the images
// before, and afterwards says what changed, so that nobody takes the reset for a write.
class TDefaultsReport {
 public:
  TDefaultsReport(const TLanDevice& device, TMemoryLocations locations);

  // The question before the reset: the module and its areas.
  QString Question() const;
  // After the reset: takes into the images what the pages now show, where the factory
  // values of bound settings are.
  void Finish();
  // After the reset: per area how many bytes the factory settings changed, and that the
  // module has not been written.
  QString Summary() const;
  // One line for the status bar.
  QString StatusText() const;

 private:
  struct TArea {
    TDeviceMemoryItem* Area;
    std::vector<uint8_t> Before;
  };
  int ChangedBytes(const TArea& area) const;
  QString AreaNames() const;

  QString module_;
  std::vector<TArea> areas_;
};
