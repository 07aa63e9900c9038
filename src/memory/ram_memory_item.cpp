#include "memory/ram_memory_item.h"

#include <algorithm>

#include "memory/bound_cell.h"
#include "memory/rw.h"

void TRAMMemoryItem::ResetReadPlan() {
  readClusters_.clear();
  readPlanBuilt_ = false;
}

void TRAMMemoryItem::BuildReadPlan(bool live) {
  std::vector<bool> wanted(static_cast<size_t>(Capacity()), false);
  for (IBoundControl* control : Controls()) {
    SetMarks(wanted, control->GetAddr(), control->GetSize(), true);
    if (live && control->GetReadOnlyAddr() != 0)
      SetMarks(wanted, control->GetReadOnlyAddr(), 1, true);
    readPlanBuilt_ = true;
  }
  readClusters_ = BuildClusters(wanted, Size(), BlockSize());
}

bool TRAMMemoryItem::Load(TRW& channel, const ITransferContext& context) {
  struct TRun {
    int Start;
    std::vector<uint8_t> Bytes;
  };
  std::vector<TRun> runs;
  bool bound = false;
  QString title;
  context.OnOwner([&] {
    bound = !Controls().empty();
    if (!bound) return;
    channel.SetDevice(Device());
    channel.SetItem(this);
    ResetReadPlan();
    BuildReadPlan(channel.IsLive());
    for (const auto& run : readClusters_) {
      runs.push_back({run.Start, std::vector<uint8_t>(static_cast<size_t>(run.Count))});
    }
    title = GetTitle();
  });
  if (!bound) return true;

  int total = 0;
  for (const auto& run : runs) total += static_cast<int>(run.Bytes.size());
  const auto progress = [this, &context, &title, total](int done) {
    context.Report([this, title, done, total] { Progress(title, done, total); });
  };
  if (!runs.empty()) progress(0);

  channel.ResetReadErrors();
  size_t read = 0;
  int done = 0;
  for (auto& run : runs) {
    if (context.Cancelled()) break;
    if (!channel.Read(run.Start, run.Bytes) || channel.ReadErrors() > 0) break;
    ++read;
    done += static_cast<int>(run.Bytes.size());
    progress(done);
  }

  context.OnOwner([&] {
    const TChannelScope scope(*this, &channel);
    for (size_t i = 0; i < read; ++i) {
      const auto& run = runs[i];
      const int count = static_cast<int>(run.Bytes.size());
      std::copy(run.Bytes.begin(), run.Bytes.end(), ImageRange(run.Start, count).begin());
      SetMarks(UpdatedMarks(), run.Start, count, true);
      TakeBaseline(run.Start, count);
      // Values from a file are not in the module yet: the next write must send them.
      if (!channel.IsLive()) SetMarks(ChangedMarks(), run.Start, count, true);
    }
    NotifyUpdated();
  });
  return read == runs.size();
}
