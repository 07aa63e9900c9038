#include "sim/virtual_adapter.h"

#include <sys/prctl.h>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr int kBitsPerByte = 11;  // start, 8 data, 2 stop
constexpr int kBaudRate = 115200;

// A byte that can be flipped without touching the frame's escapes or its terminator.
bool Flippable(uint8_t byte, uint8_t previous) {
  const uint8_t flipped = byte ^ 0x01;
  return byte != kFrameEscape && byte != kFrameTerminator && previous != kFrameEscape &&
         flipped != kFrameEscape && flipped != kFrameTerminator;
}

// Flips one byte of an encoded frame so that its checksum fails.
void Corrupt(TWireFrame& wire) {
  for (size_t i = 0; i + 1 < wire.Size; ++i) {
    if (Flippable(wire.Bytes[i], i > 0 ? wire.Bytes[i - 1] : 0)) {
      wire.Bytes[i] ^= 0x01;
      return;
    }
  }
}

// Counts down a fault the tests asked for; true while there is one left.
bool TakeOne(int& count) {
  if (count <= 0) return false;
  --count;
  return true;
}

}  // namespace

TLineFaults::TLineFaults(const TSimFaults& faults) : faults_(faults) {
  // One seed, independent streams.
  const std::pair<std::mt19937*, uint32_t> streams[] = {
      {&fromPc_, 1}, {&toPc_, 2}, {&answers_, 3}, {&checksumKept_, 4}};
  for (const auto& [generator, stream] : streams) {
    std::seed_seq sequence{faults.Seed, stream};
    generator->seed(sequence);
  }
}

std::chrono::milliseconds TLineFaults::AnswerDelay() {
  for (const TSimFaults::TLateness& late : faults_.Late) {
    if (Draw(answers_, late.Share)) return late.By;
  }
  return std::chrono::milliseconds(0);
}

bool TLineFaults::Draw(std::mt19937& generator, double probability) {
  return probability > 0 && std::bernoulli_distribution(probability)(generator);
}

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
    : options_(options),
      vehicle_(options),
      live_(options.LiveTraffic()),
      lineFaults_(options.Faults),
      thread_([this] { Loop(); }) {
  std::lock_guard lock(mutex_);
  ScheduleLiveTraffic();
}

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
  corruptingFrame_ = false;
  return true;
}

void TVirtualAdapter::Detach(ISimEndpoint* endpoint) {
  std::lock_guard lock(mutex_);
  if (endpoint_ == endpoint) endpoint_ = nullptr;
}

bool TVirtualAdapter::FromPc(const uint8_t* bytes, size_t count) {
  std::lock_guard lock(mutex_);
  if (!plugged_) return false;
  const auto now = TClock::now();
  TAdapterFrame frame;
  uint8_t previous = 0;
  for (size_t i = 0; i < count; ++i) {
    uint8_t byte = bytes[i];
    if (rawBytes_ == 0) corruptingFrame_ = TakeOne(corruptFromPc_) || lineFaults_.CorruptFromPc();
    if (corruptingFrame_ && Flippable(byte, previous)) {
      byte ^= 0x01;
      corruptingFrame_ = false;
    }
    previous = bytes[i];
    ++rawBytes_;
    if (!decoder_.Feed(byte, frame)) continue;
    corruptingFrame_ = false;
    const size_t wireBytes = std::exchange(rawBytes_, 0);
    const auto delivered = Occupy(wireBytes, now);
    if (TakeOne(dropFromPc_) || lineFaults_.DropFromPc()) continue;
    Schedule(delivered, [this, frame, delivered] { OnFrameFromPc(frame, delivered); });
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

void TVirtualAdapter::Perform(TSimAction action) {
  std::lock_guard lock(mutex_);
  TransmitMessages(vehicle_.Perform(action), TClock::now());
}

void TVirtualAdapter::SetLiveTraffic(bool on) {
  std::lock_guard lock(mutex_);
  live_ = on;
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

void TVirtualAdapter::DropFramesFromPc(int count) {
  std::lock_guard lock(mutex_);
  dropFromPc_ = count;
}

void TVirtualAdapter::CorruptFramesFromPc(int count) {
  std::lock_guard lock(mutex_);
  corruptFromPc_ = count;
}

void TVirtualAdapter::SetLineFaults(const TSimFaults& faults) {
  std::lock_guard lock(mutex_);
  lineFaults_ = TLineFaults(faults);
}

void TVirtualAdapter::SetExtraAnswerDelay(std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  extraAnswerDelay_ = delay;
}

void TVirtualAdapter::DelayAnswers(int requests, std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  delayedRequests_ = requests;
  requestDelay_ = delay;
}

void TVirtualAdapter::SilenceModule(int address, bool silent) {
  std::lock_guard lock(mutex_);
  if (auto* module = vehicle_.Module(address)) module->Silent = silent;
}

void TVirtualAdapter::RefuseAccess(int address, bool refuse) {
  std::lock_guard lock(mutex_);
  if (auto* module = vehicle_.Module(address)) module->RefuseAccess = refuse;
}

int TVirtualAdapter::FramesFromPc() const {
  std::lock_guard lock(mutex_);
  return framesFromPc_;
}

int TVirtualAdapter::ChecksumKeptCorruptions() const {
  std::lock_guard lock(mutex_);
  return checksumKeptCorruptions_;
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

TVirtualAdapter::TClock::time_point TVirtualAdapter::TransmitToPc(uint8_t frameType,
                                                                  std::span<const uint8_t> payload,
                                                                  TClock::time_point readyAt,
                                                                  bool moduleMessage) {
  // Without a PC the adapter is not powered: nothing crosses the line.
  if (!endpoint_) return readyAt;
  if (moduleMessage && (TakeOne(dropToPc_) || lineFaults_.DropToPc())) return readyAt;
  const bool garble = moduleMessage && (TakeOne(corruptToPc_) || lineFaults_.CorruptToPc());
  std::array<uint8_t, kMaxFramePayload> changed{};
  const bool keepChecksum = garble && payload.size() >= 2 && lineFaults_.KeepChecksum();
  if (keepChecksum) {
    // Two bytes change by amounts that cancel out in the sum the checksum is made of.
    std::copy(payload.begin(), payload.end(), changed.begin());
    const auto size = static_cast<uint32_t>(payload.size());
    const uint32_t first = lineFaults_.Pick(size);
    const uint32_t second = (first + 1 + lineFaults_.Pick(size - 1)) % size;
    const auto by = static_cast<uint8_t>(1 + lineFaults_.Pick(255));
    changed[first] = static_cast<uint8_t>(changed[first] + by);
    changed[second] = static_cast<uint8_t>(changed[second] - by);
    payload = std::span<const uint8_t>(changed.data(), payload.size());
    ++checksumKeptCorruptions_;
  }
  auto wire = EncodeAdapterFrame(frameType, payload);
  if (!wire) return readyAt;
  if (garble && !keepChecksum) Corrupt(*wire);
  const auto delivered = Occupy(wire->Size, readyAt);
  const uint64_t connection = connection_;
  Schedule(delivered, [this, bytes = *wire, connection] {
    if (endpoint_ && connection == connection_)
      endpoint_->DeliverToPc(bytes.Bytes.data(), bytes.Size);
  });
  return delivered;
}

void TVirtualAdapter::TransmitMessages(const std::vector<TLanMsg>& messages,
                                       TClock::time_point readyAt) {
  for (const auto& msg : messages) {
    TBusFrame frame;
    if (EncodeModuleFrame(msg, frame)) TransmitToPc(kFrameFromBus, frame.View(), readyAt, true);
  }
}

void TVirtualAdapter::OnFrameFromPc(const TAdapterFrame& frame, TClock::time_point at) {
  if (frame.Fault != TFrameFault::None || frame.Type != kFrameToBus) return;
  ++framesFromPc_;
  const uint8_t ackPayload[] = {0x00, 0x00};
  const auto acknowledged = TransmitToPc(kAcknowledgementType, ackPayload, at, false);
  TLanMsg msg;
  if (!ParseFrame(frame.View(), msg)) return;
  // Bounded, so that a long session without a reader does not grow without end.
  if (sentByPc_.size() < 4096) sentByPc_.push_back(msg);
  Schedule(acknowledged, [this, msg, acknowledged] { PutOnBus(msg, acknowledged); });
}

void TVirtualAdapter::PutOnBus(const TLanMsg& msg, TClock::time_point at) {
  const auto replies = vehicle_.Deliver(msg);
  if (replies.empty()) return;
  auto delay =
      (options_.LinkModel ? TClock::duration(kModuleReplyDelay) : TClock::duration::zero()) +
      extraAnswerDelay_ + lineFaults_.AnswerDelay();
  if (TakeOne(delayedRequests_)) delay += requestDelay_;
  const auto readyAt = at + delay;
  // Occupying the line is decided when the answer is ready, so that a frame the PC sends in
  // the meantime is not queued behind an answer that does not exist yet.
  Schedule(readyAt, [this, replies, readyAt] { TransmitMessages(replies, readyAt); });
}

void TVirtualAdapter::ScheduleLiveTraffic() {
  const auto start = TClock::now();
  for (const auto& module : vehicle_.Modules()) {
    for (const auto& stream : module->LiveStreams()) {
      const auto at = start + stream.Offset;
      Schedule(at, [this, m = module.get(), stream, at] { RunStream(m, stream, at); });
    }
  }
}

void TVirtualAdapter::RunStream(TVirtualModule* module, TLiveStream stream, TClock::time_point at) {
  const auto messages = vehicle_.Speak(*module, stream.Id);
  if (live_) TransmitMessages(messages, at);
  const auto next = at + stream.Period;
  Schedule(next, [this, module, stream, next] { RunStream(module, stream, next); });
}

void TVirtualAdapter::Loop() {
  // The default timer slack of 50 us would be added to every frame's delivery; the model
  // asks for the wire time, not the scheduler's convenience.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
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
    auto task = std::move(const_cast<TTask&>(tasks_.top()).Run);
    tasks_.pop();
    task();
  }
}
