#pragma once

#include "memory/auto_update_memory.h"
#include "memory/transfer_context.h"

// Live values that are read on demand, in runs, and never written.
class TRAMMemoryItem : public TAutoUpdateMemory {
 public:
  TRAMMemoryItem() = default;

  void ResetReadPlan() override;
  // Reads the bytes of the bound controls through `channel` and shows them. The bytes reach
  // the image on the owner's thread of `context`, run by run as they were read whole; true
  // when every run was read.
  virtual bool Load(TRW& channel, const ITransferContext& context);
  void Load(TRW& channel) { Load(channel, InlineTransfer()); }

  const TClusterList& ReadClusters() const { return readClusters_; }
  bool ReadPlanBuilt() const { return readPlanBuilt_; }

 private:
  // The runs covering every bound control's bytes, and on the bus its availability byte.
  void BuildReadPlan(bool live);

  TClusterList readClusters_;
  bool readPlanBuilt_ = false;
};
