#include "binding/config_diff.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>

#include "binding/component_data.h"
#include "binding/row_binding.h"
#include "binding/setting_text.h"
#include "memory/device_memory_item.h"
#include "memory/file_rw.h"
#include "memory/lan_device.h"

namespace {

// An area image as the value codings read it; a byte beyond the image reads as 0, as it does
// from a file that does not hold it.
class TImageArea final : public TBaseDeviceMemoryItem {
 public:
  explicit TImageArea(const TAreaImage& image) : image_(image) {}

  bool IsBusChannel() const override { return false; }
  bool IsLoaded() const override { return true; }
  bool IsModified() override { return false; }
  void SetLoaded(bool) override {}
  void SetModified(bool) override {}
  uint8_t GetByte(int index) override {
    return index >= 0 && index < static_cast<int>(image_.Bytes.size())
               ? image_.Bytes[static_cast<size_t>(index)]
               : 0;
  }
  void SetByte(int, uint8_t) override { throw std::logic_error("a compared image is read-only"); }
  bool IsUnlocked() const override { return true; }
  void ResetReadPlan() override {}
  void ReadRange(int, int) override {}
  void NotifyControls(IBoundControl*, int) override {}

 private:
  const TAreaImage& image_;
};

bool Knows(const TAreaImage& image, int index) {
  return index >= 0 && index < static_cast<int>(image.Known.size()) &&
         image.Known[static_cast<size_t>(index)];
}

uint8_t ByteOf(const TAreaImage& image, int index) {
  return index < static_cast<int>(image.Bytes.size()) ? image.Bytes[static_cast<size_t>(index)] : 0;
}

const TAreaImage* Find(std::span<const TAreaImage> side, uint8_t lanAddr, TMemoryLocation memID) {
  const auto found = std::find_if(side.begin(), side.end(), [&](const TAreaImage& image) {
    return image.LanAddr == lanAddr && image.MemID == memID;
  });
  return found == side.end() ? nullptr : &*found;
}

// One area both sides hold, and the bits of it whose difference a setting line shows.
struct TPair {
  const TAreaImage* A;
  const TAreaImage* B;
  std::vector<uint8_t> Shown;
};

TPair* FindPair(std::vector<TPair>& pairs, uint8_t lanAddr, TMemoryLocation memID) {
  const auto found = std::find_if(pairs.begin(), pairs.end(), [&](const TPair& pair) {
    return pair.A->LanAddr == lanAddr && pair.A->MemID == memID;
  });
  return found == pairs.end() ? nullptr : &*found;
}

// The runs of bytes that differ in bits no setting line showed.
void AddByteChanges(const TPair& pair, std::vector<TByteChange>& changes) {
  const int size = static_cast<int>(std::max(pair.A->Known.size(), pair.B->Known.size()));
  std::optional<TByteChange> run;
  const auto close = [&] {
    if (run) changes.push_back(std::move(*run));
    run.reset();
  };
  for (int i = 0; i < size; ++i) {
    const uint8_t a = ByteOf(*pair.A, i);
    const uint8_t b = ByteOf(*pair.B, i);
    const auto shown =
        i < static_cast<int>(pair.Shown.size()) ? pair.Shown[static_cast<size_t>(i)] : uint8_t{0};
    const bool differs = Knows(*pair.A, i) && Knows(*pair.B, i) && ((a ^ b) & ~shown) != 0;
    if (!differs) {
      close();
      continue;
    }
    if (!run) run = TByteChange{pair.A->LanAddr, pair.A->MemID, i, {}, {}};
    run->Old.push_back(a);
    run->New.push_back(b);
  }
  close();
}

// The areas of one side, for the value labels that read other cells of their page.
TAreaLookup SideAreas(std::span<const TAreaImage> side) {
  return [side, areas = std::make_shared<std::deque<TImageArea>>()](
             uint8_t lanAddr, TMemoryLocation memID) -> TBaseDeviceMemoryItem* {
    const TAreaImage* image = Find(side, lanAddr, memID);
    return image ? &areas->emplace_back(*image) : nullptr;
  };
}

}  // namespace

uint8_t ShownBits(const TComponentData& data) {
  const int bit = data.StartBit();
  switch (data.DataType()) {
    case stBit:
      return static_cast<uint8_t>(1u << bit);
    case stBits:
      return static_cast<uint8_t>(3u << bit);
    case stByteLo:
      return 0x0F;
    case stByteHi:
      return 0xF0;
    case stBitArray:
      return static_cast<uint8_t>(((1u << data.MaxVal()) - 1u) << bit);
    default:
      return 0xFF;
  }
}

TConfigComparison::TConfigComparison(std::vector<const TPageTable*> tables)
    : tables_(std::move(tables)) {}

TAreaImage TConfigComparison::FromArea(const TDeviceMemoryItem& area) {
  const auto image = area.Image();
  TAreaImage result{area.Device() ? area.Device()->LanAddr() : uint8_t{0}, area.MemID(),
                    std::vector<uint8_t>(image.begin(), image.end()),
                    std::vector<bool>(image.size(), false)};
  for (int i = 0; i < area.Size(); ++i) result.Known[static_cast<size_t>(i)] = area.IsValid(i);
  return result;
}

TAreaImage TConfigComparison::FromFile(TFileRW& file, TDeviceMemoryItem& area) const {
  const auto capacity = static_cast<size_t>(area.Capacity());
  TAreaImage result{area.Device() ? area.Device()->LanAddr() : uint8_t{0}, area.MemID(),
                    std::vector<uint8_t>(capacity), std::vector<bool>(capacity, false)};
  file.SetDevice(area.Device());
  file.SetItem(&area);
  file.Read(0, result.Bytes);
  const TClusterList held = file.HeldRuns(area);
  const std::vector<bool> cells = CellBytes(result.LanAddr, result.MemID, area.Capacity());
  // A pages' file whose cells reach the area's last byte holds the whole area too, but only
  // zeros between the cells: a whole image shows itself by some byte outside them.
  const auto outsideCells = [&] {
    for (std::size_t i = 0; i < capacity; ++i) {
      if (!cells[i] && result.Bytes[i] != 0) return true;
    }
    return false;
  };
  const bool whole = held.size() == 1 && held.front().Start == 0 &&
                     held.front().Count >= std::min(area.Size(), area.Capacity()) && outsideCells();
  for (const auto& run : held) {
    for (int i = run.Start; i < run.Start + run.Count; ++i) {
      result.Known[static_cast<size_t>(i)] = whole || cells[static_cast<size_t>(i)];
    }
  }
  return result;
}

std::vector<bool> TConfigComparison::CellBytes(uint8_t lanAddr, TMemoryLocation memID,
                                               int size) const {
  std::vector<bool> cells(static_cast<size_t>(std::max(size, 0)), false);
  for (const TPageTable* table : tables_) {
    for (const TControlRow& row : table->Rows) {
      if (!IsBound(row.Kind)) continue;
      TComponentData data;
      BindRow(row, table->LanAddr, data);
      if (data.LanAddr() != lanAddr || data.MemID() != memID) continue;
      for (int i = data.Addr(); i < std::min(data.Addr() + data.GetSize(), size); ++i) {
        cells[static_cast<size_t>(i)] = true;
      }
    }
  }
  return cells;
}

TConfigDiff TConfigComparison::Compare(std::span<const TAreaImage> a,
                                       std::span<const TAreaImage> b) const {
  TConfigDiff diff;
  std::vector<TPair> pairs;
  for (const TAreaImage& image : a) {
    if (const TAreaImage* other = Find(b, image.LanAddr, image.MemID)) {
      pairs.push_back({&image, other, std::vector<uint8_t>(image.Bytes.size(), 0)});
    } else {
      diff.OnlyIn.push_back({image.LanAddr, image.MemID, TDiffSide::A});
    }
  }
  for (const TAreaImage& image : b) {
    if (!Find(a, image.LanAddr, image.MemID)) {
      diff.OnlyIn.push_back({image.LanAddr, image.MemID, TDiffSide::B});
    }
  }

  for (const TPageTable* table : tables_) {
    const TTableLabelContext pageA(*table, SideAreas(a));
    const TTableLabelContext pageB(*table, SideAreas(b));
    for (const TSettingRow& setting : SettingRows(*table)) {
      TComponentData data;
      BindRow(*setting.Row, table->LanAddr, data);
      TPair* pair = FindPair(pairs, data.LanAddr(), data.MemID());
      if (!pair) continue;
      // A value one side does not know is no difference.
      bool known = true;
      for (int i = data.Addr(); i < data.Addr() + data.GetSize(); ++i) {
        known = known && Knows(*pair->A, i) && Knows(*pair->B, i);
      }
      if (!known) continue;
      TImageArea areaA(*pair->A);
      TImageArea areaB(*pair->B);
      const QString old = SettingValueText(*setting.Row, setting.Name, *table, areaA, data, pageA);
      const QString now = SettingValueText(*setting.Row, setting.Name, *table, areaB, data, pageB);
      if (old == now) continue;
      for (int i = data.Addr(); i < data.Addr() + data.GetSize(); ++i) {
        if (i < static_cast<int>(pair->Shown.size())) {
          pair->Shown[static_cast<size_t>(i)] |= ShownBits(data);
        }
      }
      diff.Settings.push_back(
          {table, setting.Name, data.LanAddr(), setting.Section, setting.Caption, old, now,
           setting.Row});
    }
  }
  for (const TPair& pair : pairs) AddByteChanges(pair, diff.Bytes);
  return diff;
}
