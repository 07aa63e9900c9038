#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

#include "binding/page_table.h"
#include "memory/memory_location.h"

class TComponentData;
class TDeviceMemoryItem;
class TFileRW;

// What one side of a comparison holds for one settings area: its bytes, and which of them it
// knows. A byte a side does not know is never reported as a difference.
struct TAreaImage {
  uint8_t LanAddr = 0;
  TMemoryLocation MemID = mlInt;
  std::vector<uint8_t> Bytes;
  std::vector<bool> Known;
};

enum class TDiffSide { A, B };

// A setting the two sides show otherwise; the values are written as the settings list
// writes them.
struct TSettingChange {
  const TPageTable* Page = nullptr;
  // The control's name on its page, by which the page finds it.
  QString Control;
  uint8_t LanAddr = 0;
  QString Section;
  QString Caption;
  QString Old;  // side A
  QString New;  // side B
  // The row the setting comes from, for presenting its values as the page shows them.
  const TControlRow* Row = nullptr;
};

// Neighbouring bytes that differ where no setting shows the difference: bytes no control
// binds, bits of a byte no control shows, a text's padding after its end.
struct TByteChange {
  uint8_t LanAddr = 0;
  TMemoryLocation MemID = mlInt;
  int Offset = 0;
  std::vector<uint8_t> Old;
  std::vector<uint8_t> New;
};

struct TAreaOnlyIn {
  uint8_t LanAddr = 0;
  TMemoryLocation MemID = mlInt;
  TDiffSide Side = TDiffSide::A;
};

// Settings in page order; bytes and one-sided areas in the order of the areas, side A's
// first.
struct TConfigDiff {
  std::vector<TSettingChange> Settings;
  std::vector<TByteChange> Bytes;
  std::vector<TAreaOnlyIn> OnlyIn;

  bool Empty() const { return Settings.empty() && Bytes.empty() && OnlyIn.empty(); }
};

// The bits of each byte of a cell that its control shows.
uint8_t ShownBits(const TComponentData& data);

// Compares two configurations through the settings pages: every setting whose shown value
// differs, then every difference no setting shows, so that two configurations compare equal
// only when every byte both of them know is the same. The command line and the program
// present the same comparison.
class TConfigComparison {
 public:
  explicit TConfigComparison(std::vector<const TPageTable*> tables);

  // The image of an area as the program holds it, unwritten changes included: the bytes its
  // controls have read, or that were loaded for them.
  static TAreaImage FromArea(const TDeviceMemoryItem& area);
  // What a configuration file holds for an area. A file saved from the pages alone holds the
  // bytes of their cells with zeros between them: only a file that holds the whole area says
  // anything about the bytes no page shows.
  TAreaImage FromFile(TFileRW& file, TDeviceMemoryItem& area) const;

  TConfigDiff Compare(std::span<const TAreaImage> a, std::span<const TAreaImage> b) const;

 private:
  // The bytes the pages' cells take in one area.
  std::vector<bool> CellBytes(uint8_t lanAddr, TMemoryLocation memID, int size) const;

  std::vector<const TPageTable*> tables_;
};
