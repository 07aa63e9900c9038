#include "memory/device_memory_item.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "memory/bound_cell.h"
#include "memory/lan_device.h"
#include "memory/lan_devices.h"
#include "memory/rw.h"

namespace {

// Writing moves whole module pages; an area without a page size writes in 32-byte runs.
constexpr int kDefaultWriteBlock = 32;

}  // namespace

void TDeviceMemoryItem::SetSize(int size) {
  const auto n = static_cast<size_t>(std::max(size, 0));
  size_ = static_cast<int>(n);
  image_.assign(n, 0);
  valid_.assign(n, false);
  changed_.assign(n, false);
  updated_.assign(n, false);
  baseline_.assign(n, 0);
  baselineKnown_.assign(n, false);
}

void TDeviceMemoryItem::SetActiveSize(int size) {
  size_ = std::clamp(size, 0, Capacity());
}

QString TDeviceMemoryItem::GetTitle() const {
  const QString deviceName = device_ ? device_->Title() : QString();
  return QStringLiteral("%1 : %2").arg(deviceName, name_);
}

bool TDeviceMemoryItem::IsBusChannel() const {
  return rw_ && rw_->IsLive();
}

bool TDeviceMemoryItem::IsModified() {
  if (modified_) return true;
  const auto end = changed_.begin() + std::min(size_, static_cast<int>(changed_.size()));
  modified_ = std::find(changed_.begin(), end, true) != end;
  return modified_;
}

void TDeviceMemoryItem::SetModified(bool modified) {
  modified_ = modified;
  if (modified && loaded_ && device_) {
    device_->Owner().NotifyModified();
    device_->Owner().NotifyPending(*this);
  }
}

uint8_t TDeviceMemoryItem::BaselineByte(int index) const {
  CheckIndex(index);
  return baseline_[static_cast<size_t>(index)];
}

bool TDeviceMemoryItem::IsPending(int start, int count, uint8_t mask) const {
  const int from = std::max(start, 0);
  const int to = std::min(start + count, Capacity());
  for (int i = from; i < to; ++i) {
    const auto k = static_cast<size_t>(i);
    if (baselineKnown_[k] && ((image_[k] ^ baseline_[k]) & mask) != 0) return true;
  }
  return false;
}

void TDeviceMemoryItem::RestoreBaseline(int start, int count, uint8_t mask) {
  const int from = std::max(start, 0);
  const int to = std::min(start + count, Capacity());
  for (int i = from; i < to; ++i) {
    const auto k = static_cast<size_t>(i);
    if (!baselineKnown_[k]) continue;
    image_[k] = static_cast<uint8_t>((image_[k] & ~mask) | (baseline_[k] & mask));
  }
}

void TDeviceMemoryItem::TakeBaseline(int start, int count) {
  const auto image = ImageRange(start, count);
  std::copy(image.begin(), image.end(), baseline_.begin() + start);
  SetMarks(baselineKnown_, start, count, true);
  if (device_) device_->Owner().NotifyPending(*this);
}

void TDeviceMemoryItem::SetByte(int index, uint8_t value) {
  CheckIndex(index);
  if (!forceWrite_ && ImageAt(index) == value) return;
  ImageAt(index) = value;
  changed_[static_cast<size_t>(index)] = true;
}

void TDeviceMemoryItem::NotifyControls(IBoundControl* sender, int value) {
  for (IBoundControl* control : Controls()) control->Synchronize(sender, value);
}

void TDeviceMemoryItem::Progress(const QString&, int, int) {}

void TDeviceMemoryItem::CheckIndex(int index) const {
  if (index < 0 || index >= Capacity()) throw std::out_of_range("memory area index out of range");
}

std::span<uint8_t> TDeviceMemoryItem::ImageRange(int start, int count) {
  if (start < 0 || count < 0 || start + count > Capacity()) {
    throw std::out_of_range("memory area range out of range");
  }
  return std::span<uint8_t>(image_).subspan(static_cast<size_t>(start), static_cast<size_t>(count));
}

void TDeviceMemoryItem::SetMarks(std::vector<bool>& marks, int start, int count, bool value) {
  const int from = std::max(start, 0);
  const int to = std::min(start + count, static_cast<int>(marks.size()));
  for (int i = from; i < to; ++i) marks[static_cast<size_t>(i)] = value;
}

bool TDeviceMemoryItem::HasKnownBytes() const {
  for (int i = 0; i < size_; ++i) {
    if (IsValid(i) || IsChanged(i)) return true;
  }
  return false;
}

TClusterList TDeviceMemoryItem::BuildWriteClusters() {
  if (!rw_) return {};
  if (blockSize_ == 0) blockSize_ = kDefaultWriteBlock;
  return BuildClusters(changed_, size_, blockSize_);
}

bool TDeviceMemoryItem::Store(TRW& channel, const ITransferContext& context) {
  std::vector<TRun> runs;
  bool clearDirty = false;
  bool verify = false;
  QString title;
  context.OnOwner([&] {
    writeMismatch_.reset();
    if (!channel.Locations().Contains(memID_) || !loaded_) return;
    channel.SetItem(this);
    const TChannelScope scope(*this, &channel);
    clearDirty = channel.ClearDirtyAfterWrite();
    verify = clearDirty && channel.VerifyWrites();
    // A file keeps every stored byte; the bus gets only real changes.
    SetForceWrite(!clearDirty);
    for (IBoundControl* control : Controls()) control->Store();
    for (const auto& run : BuildWriteClusters()) {
      const auto bytes = ImageRange(run.Start, run.Count);
      runs.push_back({run.Start, std::vector<uint8_t>(bytes.begin(), bytes.end())});
    }
    title = GetTitle();
  });
  if (runs.empty()) return false;

  int total = 0;
  for (const auto& run : runs) total += static_cast<int>(run.Bytes.size());
  std::vector<TClusterList> unconfirmed;
  int done = 0;
  for (const auto& run : runs) {
    if (context.Cancelled()) break;
    unconfirmed.push_back(channel.Write(run.Start, run.Bytes));
    done += static_cast<int>(run.Bytes.size());
    context.Report([this, title, done, total] { Progress(title, done, total); });
  }

  const std::optional<int> mismatch =
      verify ? VerifyRuns(channel, context, title, runs, unconfirmed) : std::nullopt;

  if (clearDirty) {
    context.OnOwner([&] {
      if (mismatch) {
        // What the module holds is not what was sent: all of it goes again next time.
        if (*mismatch >= 0) writeMismatch_ = mismatch;
        modified_ = true;
        return;
      }
      // Bytes the module did not confirm stay changed, so the next write sends them again;
      // runs a cancel kept from the bus were never touched.
      bool keptChanges = unconfirmed.size() < runs.size();
      for (size_t i = 0; i < unconfirmed.size(); ++i) {
        const int count = static_cast<int>(runs[i].Bytes.size());
        SetMarks(changed_, runs[i].Start, count, false);
        for (const auto& lost : unconfirmed[i]) SetMarks(changed_, lost.Start, lost.Count, true);
        keptChanges = keptChanges || !unconfirmed[i].empty();
        // What the module confirmed is what it holds now: as sent, not as the image may
        // hold it by the time this runs.
        for (int k = 0; k < count; ++k) {
          const auto at = static_cast<size_t>(runs[i].Start + k);
          if (changed_[at]) continue;
          baseline_[at] = runs[i].Bytes[static_cast<size_t>(k)];
          baselineKnown_[at] = true;
        }
      }
      modified_ = keptChanges;
      if (device_) device_->Owner().NotifyPending(*this);
    });
  }
  return true;
}

std::optional<int> TDeviceMemoryItem::VerifyRuns(TRW& channel, const ITransferContext& context,
                                                 const QString& title, std::span<const TRun> runs,
                                                 const std::vector<TClusterList>& unconfirmed) {
  const QString text = QStringLiteral("Проверка записи: ") + title;
  int total = 0;
  for (const auto& run : runs) total += static_cast<int>(run.Bytes.size());
  int done = 0;
  for (size_t i = 0; i < unconfirmed.size(); ++i) {
    if (context.Cancelled()) break;
    // A run the module did not confirm keeps its marks anyway and was reported then.
    if (!unconfirmed[i].empty()) continue;
    const TRun& run = runs[i];
    std::vector<uint8_t> back(run.Bytes.size());
    if (!channel.Read(run.Start, back)) return -1;
    const auto differs = std::mismatch(run.Bytes.begin(), run.Bytes.end(), back.begin());
    if (differs.first != run.Bytes.end()) {
      return run.Start + static_cast<int>(differs.first - run.Bytes.begin());
    }
    done += static_cast<int>(run.Bytes.size());
    context.Report([this, text, done, total] { Progress(text, done, total); });
  }
  return std::nullopt;
}

void TDeviceMemoryItem::TakeControlValues() {
  // A save leaves the area forcing every stored byte to count as changed.
  const bool force = std::exchange(forceWrite_, false);
  for (IBoundControl* control : Controls()) {
    try {
      control->Store();
    } catch (const std::exception&) {
      // The user hears why when writing; until then the image keeps the module's value.
    }
  }
  forceWrite_ = force;
}

void TDeviceMemoryItem::TakeModuleBytes(int start, std::span<const uint8_t> bytes) {
  CheckIndex(start);
  CheckIndex(start + static_cast<int>(bytes.size()) - 1);
  std::copy(bytes.begin(), bytes.end(), ImageRange(start, static_cast<int>(bytes.size())).begin());
  SetMarks(valid_, start, static_cast<int>(bytes.size()), true);
  SetMarks(changed_, start, static_cast<int>(bytes.size()), false);
  TakeBaseline(start, static_cast<int>(bytes.size()));
}

void TDeviceMemoryItem::ClearChangedMarks() {
  std::fill(changed_.begin(), changed_.end(), false);
  modified_ = false;
}
