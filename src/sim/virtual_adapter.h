#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <queue>
#include <random>
#include <thread>
#include <vector>

#include "link/adapter_frame.h"
#include "link/lan_msg.h"
#include "sim/virtual_vehicle.h"

// The PC side of the virtual adapter: a port in this process or a pseudo-terminal.
class ISimEndpoint {
 public:
  virtual ~ISimEndpoint() = default;
  virtual void DeliverToPc(const uint8_t* bytes, size_t count) = 0;
  virtual void AdapterUnplugged() = 0;
};

// Draws the random faults of the line. Each kind has a generator of its own, so that the faults
// of one direction do not depend on how the traffic of the other one interleaves with it.
class TLineFaults {
 public:
  explicit TLineFaults(const TSimFaults& faults);
  bool DropFromPc() { return Draw(fromPc_, faults_.Drop); }
  bool CorruptFromPc() { return Draw(fromPc_, faults_.Corrupt); }
  bool DropToPc() { return Draw(toPc_, faults_.Drop); }
  bool CorruptToPc() { return Draw(toPc_, faults_.Corrupt); }
  // Whether a garbled frame of a module keeps its checksum, and then which two of its `size`
  // bytes change and by how much.
  bool KeepChecksum() { return Draw(checksumKept_, faults_.ChecksumKept); }
  uint32_t Pick(uint32_t size) {
    return std::uniform_int_distribution<uint32_t>(0, size - 1)(checksumKept_);
  }
  // How much longer the next answer is held.
  std::chrono::milliseconds AnswerDelay();

 private:
  static bool Draw(std::mt19937& generator, double probability);

  TSimFaults faults_;
  std::mt19937 fromPc_;
  std::mt19937 toPc_;
  std::mt19937 answers_;
  std::mt19937 checksumKept_;
};

// The USB adapter of the virtual vehicle: takes the PC's adapter frames, acknowledges them,
// puts their bus messages on the virtual bus and returns the modules' messages as received-
// message frames. With the link model on, every frame occupies the half-duplex line for its
// wire time at 115200 baud (11 bits a byte); the adapter acknowledges a frame as soon as it
// has crossed, puts its message on the bus once the acknowledgement has crossed, and a
// module answers 1 ms after that. Times are kept on the model's own time line, so that a
// late wake-up of the scheduler does not push every later frame back.
class TVirtualAdapter {
 public:
  using TClock = std::chrono::steady_clock;
  static constexpr std::chrono::microseconds kModuleReplyDelay{1000};
  static constexpr uint8_t kAcknowledgementType = 0x17;

  explicit TVirtualAdapter(const TSimOptions& options);
  TVirtualAdapter(const TVirtualAdapter&) = delete;
  TVirtualAdapter& operator=(const TVirtualAdapter&) = delete;
  ~TVirtualAdapter();

  // Time a frame of `wireBytes` bytes occupies the line.
  static TClock::duration WireTime(size_t wireBytes);
  bool LinkModel() const { return options_.LinkModel; }

  // PC side. Attach fails while the adapter is unplugged.
  bool Attach(ISimEndpoint* endpoint);
  void Detach(ISimEndpoint* endpoint);
  // Raw bytes written by the PC; false while unplugged.
  bool FromPc(const uint8_t* bytes, size_t count);

  // Runs `action` on the vehicle with the adapter's state locked.
  template <class F>
  auto WithVehicle(F&& action) {
    std::lock_guard lock(mutex_);
    return action(vehicle_);
  }

  // A module speaks without being asked (only the PC hears it).
  void SendFromModule(const TLanMsg& msg);
  // An adapter status report (frame type 0x13).
  void SendStatus(uint8_t status);

  // Scenario: something happens to the car; the modules report it at once.
  void Perform(TSimAction action);
  // Whether the modules broadcast their state on their own.
  void SetLiveTraffic(bool on);

  // Faults, for tests, besides the random ones of the options. Drop and corrupt counts apply to
  // the next frames of that direction; towards the PC only frames that carry module messages
  // count.
  void Unplug();
  void Replug();
  bool IsPlugged() const;
  void DropFramesToPc(int count);
  void CorruptFramesToPc(int count);
  void DropFramesFromPc(int count);
  void CorruptFramesFromPc(int count);
  // Replaces the random faults of the line the options set, e.g. to read a clean image first.
  void SetLineFaults(const TSimFaults& faults);
  // Every answer comes this much later than the model says.
  void SetExtraAnswerDelay(std::chrono::milliseconds delay);
  // Only the answers to the next `requests` requests come late.
  void DelayAnswers(int requests, std::chrono::milliseconds delay);
  void SilenceModule(int address, bool silent);
  void RefuseAccess(int address, bool refuse);

  // Frames accepted from the PC since the start.
  int FramesFromPc() const;
  // The modules' frames garbled so that their checksum still holds, since the start.
  int ChecksumKeptCorruptions() const;
  // The bus messages the PC sent since the last call, oldest first.
  std::vector<TLanMsg> TakeSentByPc();

 private:
  struct TTask {
    TClock::time_point At;
    uint64_t Sequence;
    std::function<void()> Run;
    bool operator>(const TTask& other) const {
      return At != other.At ? At > other.At : Sequence > other.Sequence;
    }
  };

  void Loop();
  void Schedule(TClock::time_point at, std::function<void()> task);
  // Occupies the line for the frame from `readyAt` on; returns when its last byte crossed.
  TClock::time_point Occupy(size_t wireBytes, TClock::time_point readyAt);
  // Returns when the frame will have reached the PC.
  TClock::time_point TransmitToPc(uint8_t frameType, std::span<const uint8_t> payload,
                                  TClock::time_point readyAt, bool moduleMessage);
  void TransmitMessages(const std::vector<TLanMsg>& messages, TClock::time_point readyAt);
  void OnFrameFromPc(const TAdapterFrame& frame, TClock::time_point at);
  void PutOnBus(const TLanMsg& msg, TClock::time_point at);
  void RunStream(TVirtualModule* module, TLiveStream stream, TClock::time_point at);
  void ScheduleLiveTraffic();

  TSimOptions options_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::priority_queue<TTask, std::vector<TTask>, std::greater<>> tasks_;
  uint64_t sequence_ = 0;
  bool stop_ = false;

  TVirtualVehicle vehicle_;
  TFrameDecoder decoder_;
  size_t rawBytes_ = 0;
  ISimEndpoint* endpoint_ = nullptr;
  uint64_t connection_ = 0;  // frames of an earlier connection are not delivered to a new one
  bool plugged_ = true;
  bool live_ = false;
  TClock::time_point lineFree_{};
  int dropToPc_ = 0;
  int corruptToPc_ = 0;
  int dropFromPc_ = 0;
  int corruptFromPc_ = 0;
  int checksumKeptCorruptions_ = 0;
  bool corruptingFrame_ = false;  // the frame now arriving has been corrupted
  TLineFaults lineFaults_;
  std::chrono::milliseconds extraAnswerDelay_{0};
  int delayedRequests_ = 0;
  std::chrono::milliseconds requestDelay_{0};
  int framesFromPc_ = 0;
  std::vector<TLanMsg> sentByPc_;

  std::thread thread_;  // last: starts after everything above exists
};

// Encodes a module's message as a bus frame. Modules may broadcast more than two data bytes,
// which the PC's encoder refuses.
bool EncodeModuleFrame(const TLanMsg& msg, TBusFrame& frame);
