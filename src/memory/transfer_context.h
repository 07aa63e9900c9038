#pragma once

#include <functional>

class TBusWorker;

// Where the steps of a transfer run. The bus exchanges run on the calling thread; whatever
// touches memory images, bound controls or the user runs on the thread that owns them, so that
// thread sees an area change only as a whole, never half-way through a packet.
class ITransferContext {
 public:
  virtual ~ITransferContext() = default;
  // Runs `step` on the owner's thread and waits for it; rethrows what it threw.
  virtual void OnOwner(const std::function<void()>& step) const = 0;
  // Runs `step` on the owner's thread without waiting (progress).
  virtual void Report(std::function<void()> step) const = 0;
  // The user asked to stop: the transfer ends after the packet in flight.
  virtual bool Cancelled() const = 0;
};

// The whole transfer on the thread that owns the images: the command line and the tests.
class TInlineTransfer final : public ITransferContext {
 public:
  void OnOwner(const std::function<void()>& step) const override { step(); }
  void Report(std::function<void()> step) const override { step(); }
  bool Cancelled() const override { return false; }
};

// The inline context, for callers that give none.
const ITransferContext& InlineTransfer();
