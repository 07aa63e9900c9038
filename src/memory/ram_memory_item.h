#pragma once

#include "memory/auto_update_memory.h"

// Live values that are read on demand, in runs, and never written.
class TRAMMemoryItem : public TAutoUpdateMemory {
 public:
  TRAMMemoryItem() = default;

  void ResetReadPlan() override;
  // Reads the bytes of the bound controls through `channel` and shows them.
  virtual void Load(TRW& channel);

  const TClusterList& ReadClusters() const { return readClusters_; }
  bool ReadPlanBuilt() const { return readPlanBuilt_; }

 private:
  // The runs covering every bound control's bytes, and on the bus its availability byte.
  void BuildReadPlan(bool live);

  TClusterList readClusters_;
  bool readPlanBuilt_ = false;
};
