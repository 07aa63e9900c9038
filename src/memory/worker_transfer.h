#pragma once

#include "link/bus_worker.h"
#include "memory/transfer_context.h"

// A transfer that runs as a job of the bus worker: the window's thread keeps the images and
// answers the questions, the worker waits for the modules.
class TWorkerTransfer final : public ITransferContext {
 public:
  TWorkerTransfer(TBusWorker& worker, TCancelTokenPtr token)
      : worker_(worker), token_(std::move(token)) {}

  void OnOwner(const std::function<void()>& step) const override { worker_.CallOwner(step); }
  void Report(std::function<void()> step) const override { worker_.PostOwner(std::move(step)); }
  bool Cancelled() const override { return token_ && token_->Cancelled(); }

 private:
  TBusWorker& worker_;
  TCancelTokenPtr token_;
};
