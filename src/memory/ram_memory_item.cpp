#include "memory/ram_memory_item.h"

#include "binding/bound_control.h"
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

void TRAMMemoryItem::Load(TRW& channel) {
  if (Controls().empty()) return;
  channel.SetDevice(Device());
  channel.SetItem(this);
  {
    const TChannelScope scope(*this, &channel);
    ResetReadPlan();
    BuildReadPlan(channel.IsLive());
    int total = 0;
    for (const auto& run : readClusters_) total += run.Count;
    if (!readClusters_.empty()) Progress(GetTitle(), 0, total);

    channel.ResetReadErrors();
    int done = 0;
    for (const auto& run : readClusters_) {
      const bool read = channel.Read(run.Start, ImageRange(run.Start, run.Count));
      if (!read || channel.ReadErrors() > 0) break;
      SetMarks(UpdatedMarks(), run.Start, run.Count, true);
      // Values from a file are not in the module yet: the next write must send them.
      if (!channel.IsLive()) SetMarks(ChangedMarks(), run.Start, run.Count, true);
      done += run.Count;
      Progress(GetTitle(), done, total);
    }
    NotifyUpdated();
  }
}
