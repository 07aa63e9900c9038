#include "sim/virtual_adapter.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kBitsPerByte = 11;  // start, 8 data, 2 stop
constexpr int kBaudRate = 115200;

// Flips bits of one byte of an encoded frame so that its checksum fails, keeping escapes and
// the terminator intact.
void Corrupt(TWireFrame& wire) {
  for (size_t i = 0; i + 1 < wire.Size; ++i) {
    const uint8_t b = wire.Bytes[i];
    if (b == kFrameEscape || (i > 0 && wire.Bytes[i - 1] == kFrameEscape)) continue;
    const uint8_t flipped = b ^ 0x01;
    if (flipped == kFrameEscape || flipped == kFrameTerminator) continue;
    wire.Bytes[i] = flipped;
    return;
  }
}

}  // namespace

bool EncodeModuleFrame(const TLanMsg& msg, TBusFrame& frame) {
  if (msg.Dest != kBroadcastAddr) return BuildFrame(msg, frame);
  frame = {};
  if (msg.Source > kMaxBusAddr || msg.Command > kMaxCommand || msg.Length > kMaxMsgData) {
    return false;
  }
  frame.Bytes[0] = static_cast<uint8_t>((msg.Source << 3) | (msg.IsAnswer ? 0x04 : 0) | 0x02);
  frame.Bytes[1] = static_cast<uint8_t>((msg.AnswerRequested ? 0x80 : 0) | msg.Command);
  std::copy_n(msg.Data.begin(), msg.Length, frame.Bytes.begin() + 2);
  frame.Size = static_cast<uint8_t>(2 + msg.Length);
  return true;
}

TVirtualAdapter::TVirtualAdapter(const TSimOptions& options)
    : options_(options), vehicle_(options), thread_([this] { Loop(); }) {}

TVirtualAdapter::~TVirtualAdapter() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

TVirtualAdapter::TClock::duration TVirtualAdapter::WireTime(size_t wireBytes) {
  return std::chrono::duration_cast<TClock::duration>(
      std::chrono::duration<double>(static_cast<double>(wireBytes) * kBitsPerByte / kBaudRate));
}

bool TVirtualAdapter::Attach(ISimEndpoint* endpoint) {
  std::lock_guard lock(mutex_);
  if (!plugged_) return false;
  endpoint_ = endpoint;
  ++connection_;
  decoder_.Reset();
  rawBytes_ = 0;
  return true;
}

void TVirtualAdapter::Detach(ISimEndpoint* endpoint) {
  std::lock_guard lock(mutex_);
  if (endpoint_ == endpoint) endpoint_ = nullptr;
}

bool TVirtualAdapter::FromPc(const uint8_t* bytes, size_t count) {
  std::lock_guard lock(mutex_);
  if (!plugged_) return false;
  TAdapterFrame frame;
  for (size_t i = 0; i < count; ++i) {
    ++rawBytes_;
    if (!decoder_.Feed(bytes[i], frame)) continue;
    const size_t wireBytes = rawBytes_;
    rawBytes_ = 0;
    const auto delivered = Occupy(wireBytes, TClock::now());
    Schedule(delivered, [this, frame] { OnFrameFromPc(frame); });
  }
  return true;
}

void TVirtualAdapter::SendFromModule(const TLanMsg& msg) {
  std::lock_guard lock(mutex_);
  TBusFrame frame;
  if (EncodeModuleFrame(msg, frame)) TransmitToPc(kFrameFromBus, frame.View(), TClock::now(), true);
}

void TVirtualAdapter::SendStatus(uint8_t status) {
  std::lock_guard lock(mutex_);
  const uint8_t payload[] = {status};
  TransmitToPc(kFrameStatus, payload, TClock::now(), false);
}

void TVirtualAdapter::Unplug() {
  std::lock_guard lock(mutex_);
  plugged_ = false;
  if (endpoint_) endpoint_->AdapterUnplugged();
  endpoint_ = nullptr;
}

void TVirtualAdapter::Replug() {
  std::lock_guard lock(mutex_);
  plugged_ = true;
}

bool TVirtualAdapter::IsPlugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void TVirtualAdapter::DropFramesToPc(int count) {
  std::lock_guard lock(mutex_);
  dropToPc_ = count;
}

void TVirtualAdapter::CorruptFramesToPc(int count) {
  std::lock_guard lock(mutex_);
  corruptToPc_ = count;
}

void TVirtualAdapter::SetExtraAnswerDelay(std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  extraAnswerDelay_ = delay;
}

int TVirtualAdapter::FramesFromPc() const {
  std::lock_guard lock(mutex_);
  return framesFromPc_;
}

std::vector<TLanMsg> TVirtualAdapter::TakeSentByPc() {
  std::lock_guard lock(mutex_);
  return std::exchange(sentByPc_, {});
}

void TVirtualAdapter::Schedule(TClock::time_point at, std::function<void()> task) {
  tasks_.push({at, sequence_++, std::move(task)});
  wake_.notify_all();
}

TVirtualAdapter::TClock::time_point TVirtualAdapter::Occupy(size_t wireBytes,
                                                            TClock::time_point readyAt) {
  if (!options_.LinkModel) return readyAt;
  const auto start = std::max(readyAt, lineFree_);
  lineFree_ = start + WireTime(wireBytes);
  return lineFree_;
}

void TVirtualAdapter::TransmitToPc(uint8_t frameType, std::span<const uint8_t> payload,
                                   TClock::time_point readyAt, bool moduleMessage) {
  auto wire = EncodeAdapterFrame(frameType, payload);
  if (!wire) return;
  if (moduleMessage && dropToPc_ > 0) {
    --dropToPc_;
    return;
  }
  if (moduleMessage && corruptToPc_ > 0) {
    --corruptToPc_;
    Corrupt(*wire);
  }
  const auto delivered = Occupy(wire->Size, readyAt);
  const uint64_t connection = connection_;
  Schedule(delivered, [this, bytes = *wire, connection] {
    if (endpoint_ && connection == connection_) endpoint_->DeliverToPc(bytes.Bytes.data(), bytes.Size);
  });
}

void TVirtualAdapter::OnFrameFromPc(const TAdapterFrame& frame) {
  if (frame.Fault != TFrameFault::None || frame.Type != kFrameToBus) return;
  ++framesFromPc_;
  const uint8_t ackPayload[] = {0x00, 0x00};
  TransmitToPc(kAcknowledgementType, ackPayload, TClock::now(), false);
  TLanMsg msg;
  if (!ParseFrame(frame.View(), msg)) return;
  // Bounded, so that a long session without a reader does not grow without end.
  if (sentByPc_.size() < 4096) sentByPc_.push_back(msg);
  PutOnBus(msg);
}

void TVirtualAdapter::PutOnBus(const TLanMsg& msg) {
  const auto replies = vehicle_.Deliver(msg);
  if (replies.empty()) return;
  const auto delay = options_.LinkModel ? kModuleReplyDelay : TClock::duration::zero();
  const auto readyAt = TClock::now() + delay + extraAnswerDelay_;
  for (const auto& reply : replies) {
    Schedule(readyAt, [this, reply, readyAt] {
      TBusFrame frame;
      if (EncodeModuleFrame(reply, frame)) TransmitToPc(kFrameFromBus, frame.View(), readyAt, true);
    });
  }
}

void TVirtualAdapter::Loop() {
  std::unique_lock lock(mutex_);
  while (!stop_) {
    if (tasks_.empty()) {
      wake_.wait(lock);
      continue;
    }
    const auto at = tasks_.top().At;
    if (TClock::now() < at) {
      wake_.wait_until(lock, at);
      continue;
    }
    auto task = tasks_.top().Run;
    tasks_.pop();
    task();
  }
}
