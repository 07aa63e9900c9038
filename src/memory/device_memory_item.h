#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "memory/base_device_memory_item.h"
#include "memory/cluster_info.h"
#include "memory/memory_location.h"
#include "memory/transfer_context.h"

class TLanDevice;
class TRW;

// A byte image of one module memory with per-byte marks: valid (the value is known),
// changed (must be transferred) and updated (controls must show it again). The common base
// of every memory area; only its subclasses are created.
class TDeviceMemoryItem : public TBaseDeviceMemoryItem {
 public:
  TDeviceMemoryItem(const TDeviceMemoryItem&) = delete;
  TDeviceMemoryItem& operator=(const TDeviceMemoryItem&) = delete;

  TMemoryLocation MemID() const { return memID_; }
  void SetMemID(TMemoryLocation memID) { memID_ = memID; }
  const QString& Name() const { return name_; }
  void SetName(const QString& name) { name_ = name; }
  int BlockSize() const { return blockSize_; }
  void SetBlockSize(int blockSize) { blockSize_ = blockSize; }
  TLanDevice* Device() const { return device_; }
  void SetDevice(TLanDevice* device) { device_ = device; }
  TRW* RW() const { return rw_; }
  void SetRW(TRW* rw) { rw_ = rw; }
  bool ForceWrite() const { return forceWrite_; }
  void SetForceWrite(bool force) { forceWrite_ = force; }

  // Allocates `size` zero bytes and clears every mark.
  void SetSize(int size);
  // Lowers or restores the number of bytes that take part in transfers, within what
  // SetSize allocated; nothing is reallocated.
  void SetActiveSize(int size);
  int Size() const { return size_; }
  int Capacity() const { return static_cast<int>(image_.size()); }
  // "Module : area", as progress and questions name the area.
  QString GetTitle() const;

  // Inspection without the side effects of GetByte.
  std::span<const uint8_t> Image() const { return image_; }
  bool IsValid(int index) const { return Mark(valid_, index); }
  bool IsChanged(int index) const { return Mark(changed_, index); }
  bool IsUpdated(int index) const { return Mark(updated_, index); }
  // Whether any byte is known (read, opened or set); an area no page binds never is.
  bool HasKnownBytes() const;

  bool IsBusChannel() const override;
  bool IsLoaded() const override { return loaded_; }
  bool IsModified() override;
  void SetLoaded(bool loaded) override { loaded_ = loaded; }
  void SetModified(bool modified) override;
  // Stores the byte and marks it changed when the value differs or ForceWrite is set.
  void SetByte(int index, uint8_t value) override;
  bool IsUnlocked() const override { return true; }
  void ResetReadPlan() override {}
  void ReadRange(int, int) override {}
  void NotifyControls(IBoundControl* sender, int value) override;

  // Transfer progress; only settings areas report it.
  virtual void Progress(const QString& text, int done, int total);

  // Puts what the bound controls show into the image, as a write does before it sends, so
  // that the image holds the user's unwritten edits; only bytes that change are marked. A
  // control that refuses its value (an incomplete PIN) leaves its bytes as they were.
  void TakeControlValues();

  // Sets or clears the changed marks of `count` bytes from `start`, values untouched.
  void MarkChanged(int start, int count, bool changed) {
    SetMarks(changed_, start, count, changed);
  }

  // What the module (or the opened file) is known to hold: the image as last read, opened or
  // written and confirmed. A byte that differs from it is pending; a byte changed and changed
  // back is not, whatever its changed mark says.
  bool HasBaseline(int index) const { return Mark(baselineKnown_, index); }
  uint8_t BaselineByte(int index) const;
  // The bits of `mask` in `count` bytes from `start` that differ from the baseline, where it
  // is known.
  bool IsPending(int start, int count, uint8_t mask) const;
  // Any byte of the area differs from the baseline.
  bool AnyPending() const { return IsPending(0, size_, 0xFF); }
  // Puts the baseline's bits of `mask` back into `count` bytes from `start`, where it is
  // known; the bound controls are not told.
  void RestoreBaseline(int start, int count, uint8_t mask);

  // Forgets every change: the image no longer holds anything to write (a refresh discards
  // the user's edits before the area is read again).
  void ClearChangedMarks();

  // A command outside a transfer wrote these bytes into the module: the image holds them too,
  // known and with nothing left to write.
  void TakeModuleBytes(int start, std::span<const uint8_t> bytes);

  // Writes the changed bytes through `channel` in runs; true when at least one run was
  // written. Refuses areas that are not loaded and locations the channel does not write.
  // Controls store and marks change on the owner's thread of `context`; a cancelled write
  // keeps the marks of every byte the module did not confirm. A channel that verifies writes
  // reads the confirmed runs back: when they cannot be read, or differ, every byte sent keeps
  // its changed mark.
  bool Store(TRW& channel, const ITransferContext& context);
  bool Store(TRW& channel) { return Store(channel, InlineTransfer()); }
  // The first address whose read-back differed from what the last Store sent; nullopt when
  // it matched or was not verified.
  std::optional<int> WriteMismatch() const { return writeMismatch_; }

 protected:
  TDeviceMemoryItem() = default;

  // Throws for an index outside the image, so a bad binding cannot reach past it.
  void CheckIndex(int index) const;
  uint8_t& ImageAt(int index) { return image_[static_cast<size_t>(index)]; }
  // The module or a file just gave these bytes, now in the image from `start` on.
  void TakeBaseline(int start, int count);
  std::span<uint8_t> ImageRange(int start, int count);

  std::vector<bool>& ValidMarks() { return valid_; }
  std::vector<bool>& ChangedMarks() { return changed_; }
  std::vector<bool>& UpdatedMarks() { return updated_; }
  // Sets or clears `count` marks from `start`, clipped to the image.
  static void SetMarks(std::vector<bool>& marks, int start, int count, bool value);

  // Makes `channel` the area's channel for the life of the guard.
  class TChannelScope {
   public:
    TChannelScope(TDeviceMemoryItem& item, TRW* channel) : item_(item), saved_(item.rw_) {
      item.rw_ = channel;
    }
    TChannelScope(const TChannelScope&) = delete;
    TChannelScope& operator=(const TChannelScope&) = delete;
    ~TChannelScope() { item_.rw_ = saved_; }

   private:
    TDeviceMemoryItem& item_;
    TRW* saved_;
  };

 private:
  static bool Mark(const std::vector<bool>& marks, int index) {
    return index >= 0 && index < static_cast<int>(marks.size()) &&
           marks[static_cast<size_t>(index)];
  }
  // Bytes a write sends in one go, from Start on.
  struct TRun {
    int Start;
    std::vector<uint8_t> Bytes;
  };
  TClusterList BuildWriteClusters();
  // Reads back the runs whose writes were confirmed whole. Stops at the first run that does
  // not come back as sent and says where it differs: its first such address, or -1 when the
  // run could not be read.
  std::optional<int> VerifyRuns(TRW& channel, const ITransferContext& context, const QString& title,
                                std::span<const TRun> runs,
                                const std::vector<TClusterList>& unconfirmed);

  std::vector<uint8_t> image_;
  std::vector<bool> valid_;
  std::vector<bool> changed_;
  std::vector<bool> updated_;
  std::vector<uint8_t> baseline_;
  std::vector<bool> baselineKnown_;
  TMemoryLocation memID_ = mlInt;
  int size_ = 0;
  bool forceWrite_ = false;
  TRW* rw_ = nullptr;
  TLanDevice* device_ = nullptr;
  QString name_;
  bool loaded_ = false;
  bool modified_ = false;
  int blockSize_ = 0;
  std::optional<int> writeMismatch_;
};
