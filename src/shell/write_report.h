#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "memory/memory_location.h"
#include "memory/transfer_fault.h"

class TDeviceMemoryItem;
class TLanDevice;

// What a write did, told to the user: taken before the write (the bytes each area has to
// send) and finished after it (the bytes whose changed marks remain, which the module did not
// confirm or whose read-back differed). A write that failed in part leaves those bytes
// marked; the report names them so that nobody takes the write for complete.
class TWriteReport {
 public:
  // `reachable` says whether a module takes part in transfers at all; `verifies` whether
  // the write reads back what it sent.
  TWriteReport(const std::vector<TLanDevice*>& devices, TMemoryLocations locations, bool verifies,
               const std::function<bool(const TLanDevice&)>& reachable);

  // Counts what remains to be written; call after the write on the window's thread.
  // `causeOf` says why an area kept bytes (None when nothing on the line explains it).
  void Finish(const std::function<TFaultCause(const TDeviceMemoryItem&)>& causeOf = {});
  // Some area still has bytes to write that the module did not take or never got.
  bool Failed() const;
  // One line for the status bar.
  QString StatusText() const;
  // Per module and area: written, verified, failed (first address and cause), left; then
  // what to do about the causes.
  QString Details() const;

 private:
  struct TArea {
    const TDeviceMemoryItem* Area = nullptr;
    bool Attempted = false;
    int ToSend = 0;
    int Left = 0;
    int FirstLeft = -1;
    std::optional<int> Mismatch;
    TFaultCause Cause = TFaultCause::None;
  };
  static int CountChanged(const TDeviceMemoryItem& area, int* first = nullptr);
  QString Line(const TArea& area) const;

  std::vector<TArea> areas_;
  bool verifies_;
};
