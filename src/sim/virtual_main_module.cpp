#include "sim/virtual_main_module.h"

#include <algorithm>
#include <array>
#include <optional>

#include "sim/factory_images.h"

namespace {

using namespace std::chrono_literals;

// Bus commands of the main module.
constexpr uint8_t kEventReport = 2;
constexpr uint8_t kInputOutput = 3;
constexpr uint8_t kModeReport = 7;
constexpr uint8_t kVoltageSteps = 26;
constexpr uint8_t kVoltage = 53;
constexpr uint8_t kArm = 96;
constexpr uint8_t kDisarm = 98;
constexpr uint8_t kDisarmCompletely = 99;
constexpr uint8_t kStartEngine = 106;
constexpr uint8_t kStopEngine = 112;
constexpr uint8_t kBoardData = 127;
// The status request with one data byte 29 asks for the board's sub-revision (answer byte 5);
// the virtual board is of a sub-revision with the newer codes of the pins 16.о and 12.о.
constexpr uint8_t kStatusCommand = 48;
constexpr uint8_t kSubRevisionQuery = 29;
constexpr uint8_t kSubRevision = 13;
// With data 1 the PC asks for live tacho reports, with 0 it stops them.
constexpr uint8_t kTachoReport = 4;
// Relay programming: learning with data 2 starts it, command 28 with data 63 ends it, and
// command 12 goes to the relays while it runs. RAM byte 61 bit 6 tells the PC.
constexpr uint8_t kLearn = 114;
constexpr uint8_t kLearnRelays = 2;
constexpr uint8_t kRelayCommand = 12;
constexpr uint8_t kRelayRequest = 28;
constexpr uint8_t kLeaveRelayProgramming = 63;
constexpr size_t kRelayProgrammingByte = 61;
constexpr uint8_t kRelayProgrammingBit = 1 << 6;

// Learning the steering-wheel buttons: command 54 with the button or combination and the
// mode, echoed; the end is broadcast with command 55.
constexpr uint8_t kLearnInput = 54;
constexpr uint8_t kLearnEnded = 55;
constexpr uint8_t kLearnButton = 1;
constexpr uint8_t kLearnCombination = 2;
constexpr size_t kLearnedButtonsByte = 62912;  // flash: one bit a button
constexpr size_t kLearnedCombinations = 523;   // settings: one byte a combination
constexpr uint8_t kLearnables = 8;

// Inputs and outputs as command 3 numbers them; bit 6 marks an output, bit 7 the state.
constexpr uint8_t kInputIgnition = 3;
constexpr uint8_t kInputChargeLamp = 40;
constexpr uint8_t kOutputLeftTurn = 1;
constexpr uint8_t kOutputRightTurn = 2;
constexpr uint8_t kOutputLockDoors = 3;
constexpr uint8_t kOutputUnlockDoors = 4;
constexpr uint8_t kOutputIgnitionSupport = 11;
constexpr uint8_t kOutputStarter = 12;

// Event codes of command 2. Arming and disarming have reports of their own (codes 1 and 2 of
// the journal's event names); the others are codes of the event list.
constexpr uint8_t kEventDisarmed = 2;
constexpr uint8_t kEventArmed = 1;
constexpr uint8_t kEventStartBegins = 37;
constexpr uint8_t kEventStartedArmed = 45;
constexpr uint8_t kEventEngineStopped = 50;
constexpr uint8_t kEventIgnitionOn = 58;
constexpr uint8_t kEventIgnitionOff = 59;
constexpr uint8_t kEventVoltageHigh = 65;
constexpr uint8_t kEventVoltageLow = 66;
constexpr uint8_t kEventStartedDisarmed = 146;
constexpr uint8_t kEventModeDisarmed = 193;
constexpr uint8_t kEventModeArmed = 194;

// Second byte of the mode report: "disarmed" submode.
constexpr uint8_t kSubmodeDisarmed = 0x40;
constexpr uint8_t kImmobilizerOn = 0x40;

constexpr int kBatteryMillivolts = 12600;
constexpr int kChargingMillivolts = 14100;
constexpr int kRippleMillivolts = 50;

enum TStream : int {
  kStreamMode,
  kStreamSteps,
  kStreamReport,
  kStreamBoard,
  kStreamInputs,
  kStreamEvent,
  kStreamTacho
};

// Rates of a module that reports its state about once a second and its inputs on change,
// with a slower repeat so that a program that connects later sees them too.
constexpr std::array<TLiveStream, 7> kStreams = {{
    {kStreamMode, 1000ms, 100ms},
    {kStreamSteps, 2000ms, 300ms},
    {kStreamReport, 1000ms, 500ms},
    {kStreamBoard, 1000ms, 700ms},
    {kStreamInputs, 3000ms, 900ms},
    {kStreamEvent, 20000ms, 10000ms},
    {kStreamTacho, 250ms, 50ms},
}};

}  // namespace

TVirtualMainModule::TVirtualMainModule(const TVirtualModuleSpec& desc, bool gen2)
    : TVirtualModule(desc), gen2_(gen2) {}

std::span<const TLiveStream> TVirtualMainModule::LiveStreams() const {
  return kStreams;
}

uint8_t TVirtualMainModule::VoltageCode() const {
  const int ripple = static_cast<int>(ticks_ % 3) - 1;
  const int millivolts =
      (engine_ ? kChargingMillivolts : kBatteryMillivolts) + ripple * kRippleMillivolts;
  return static_cast<uint8_t>(millivolts * 1024 / (20 * 7670));
}

TLanMsg TVirtualMainModule::ModeMessage() const {
  const uint8_t d0 = static_cast<uint8_t>(mode_ | (mode_ == kModeDisarmed ? 0 : kImmobilizerOn));
  const uint8_t d1 = mode_ == kModeDisarmed ? kSubmodeDisarmed : 0;
  return Message(kBroadcastAddr, kModeReport, {d0, d1});
}

// Besides the board's readings the report carries the CAN interface's car and the engine
// and road speed it reads from the car.
TLanMsg TVirtualMainModule::VoltageReport(uint8_t dest) const {
  const auto speeds = canInterface_.Speeds(engine_, ticks_);
  return Message(dest, kVoltage,
                 {VoltageCode(), 0, boardTemperature_, 0, 0, canInterface_.Group(),
                  canInterface_.Subgroup(), speeds[0], speeds[1], speeds[2], speeds[3]});
}

// The period of the tacho pulses in 0.08 ms units: about 900 rpm at idle with a little
// ripple while the engine runs; standing still it is too slow to measure.
TLanMsg TVirtualMainModule::TachoReport() const {
  constexpr uint16_t kTooSlow = 0x6000;
  constexpr int kIdlePeriod = 833;
  const uint16_t value =
      engine_ ? static_cast<uint16_t>(kIdlePeriod + static_cast<int>(ticks_ % 7) * 6 - 18)
              : kTooSlow;
  return Message(kPcAddr, kTachoReport,
                 {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)});
}

void TVirtualMainModule::Input(uint8_t index, bool on, std::vector<TLanMsg>& out) const {
  out.push_back(
      Message(kBroadcastAddr, kInputOutput, {static_cast<uint8_t>(index | (on ? 0x80 : 0))}));
}

void TVirtualMainModule::Output(uint8_t index, bool on, std::vector<TLanMsg>& out) const {
  out.push_back(Message(kBroadcastAddr, kInputOutput,
                        {static_cast<uint8_t>(index | 0x40 | (on ? 0x80 : 0))}));
}

void TVirtualMainModule::Event(uint8_t code, std::vector<TLanMsg>& out) const {
  out.push_back(Message(kBroadcastAddr, kEventReport, {code}));
}

void TVirtualMainModule::Talk(int stream, std::vector<TLanMsg>& out) {
  switch (stream) {
    case kStreamMode:
      out.push_back(ModeMessage());
      break;
    case kStreamSteps: {
      ++ticks_;
      const int millivolts = (engine_ ? kChargingMillivolts : kBatteryMillivolts);
      out.push_back(
          Message(kBroadcastAddr, kVoltageSteps, {static_cast<uint8_t>(millivolts / 150)}));
      break;
    }
    case kStreamReport:
      out.push_back(VoltageReport(kPcAddr));
      break;
    case kStreamBoard:
      out.push_back(Message(kBroadcastAddr, kBoardData, {boardTemperature_}));
      break;
    case kStreamInputs:
      Input(kInputIgnition, ignition_, out);
      Input(kInputChargeLamp, engine_, out);
      break;
    case kStreamTacho:
      if (tachoReports_) out.push_back(TachoReport());
      break;
    case kStreamEvent:
      Event(engine_ ? kEventVoltageHigh : kEventVoltageLow, out);
      break;
    default:
      break;
  }
}

void TVirtualMainModule::Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  const bool request = msg.Dest == Address() && !msg.IsAnswer;
  if (request && msg.AnswerRequested && msg.Command == kVoltage) {
    TLanMsg answer = VoltageReport(msg.Source);
    answer.IsAnswer = 1;
    replies.push_back(answer);
    return;
  }
  if (request && msg.AnswerRequested && msg.Command == kModeReport) {
    const TLanMsg mode = ModeMessage();
    replies.push_back(Answer(msg, mode.Payload()));
    return;
  }
  if (request && msg.Command == kStatusCommand && msg.Length == 1 &&
      msg.Data[0] == kSubRevisionQuery) {
    const uint8_t record[] = {kSubRevisionQuery, 0, 0, 0, 0, kSubRevision};
    replies.push_back(Answer(msg, record));
    return;
  }
  if (request && msg.Command == TVirtualCanInterface::kPassOn) {
    for (const auto& answer :
         canInterface_.Take(std::span<const uint8_t>(msg.Data.data(), msg.Length))) {
      replies.push_back(Message(msg.Source, TVirtualCanInterface::kAnswer, answer));
    }
    if (msg.AnswerRequested) replies.push_back(Answer(msg));
    return;
  }
  if (request && HandleRelayProgramming(msg, replies)) return;
  if (request && HandleLearning(msg, replies)) return;
  if (request && msg.Command == kTachoReport && msg.Length == 1) {
    tachoReports_ = msg.Data[0] == 1;
    return;
  }
  std::optional<TSimAction> action;
  if (request && msg.Command == kArm) action = TSimAction::Arm;
  if (request && (msg.Command == kDisarm || msg.Command == kDisarmCompletely)) {
    action = TSimAction::Disarm;
  }
  if (request && msg.Command == kStartEngine) action = TSimAction::StartEngine;
  // With data, 112 starts or cancels learning.
  if (request && msg.Command == kStopEngine && msg.Length == 0) action = TSimAction::StopEngine;
  if (!action) {
    TVirtualModule::Handle(msg, replies);
    return;
  }
  if (msg.AnswerRequested) replies.push_back(Answer(msg));
  Perform(*action, replies);
}

bool TVirtualMainModule::HandleRelayProgramming(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  uint8_t& state = Memory(kSimRam).at(kRelayProgrammingByte);
  if (msg.Command == kLearn && msg.Length == 1 && msg.Data[0] == kLearnRelays) {
    state |= kRelayProgrammingBit;
  } else if (msg.Command == kRelayRequest && msg.Length >= 1 &&
             msg.Data[0] == kLeaveRelayProgramming) {
    state &= static_cast<uint8_t>(~kRelayProgrammingBit);
  } else if (msg.Command == kRelayCommand && msg.Length == 1) {
    if (msg.AnswerRequested) {
      const uint8_t accepted[] = {0};
      replies.push_back(Answer(msg, accepted));
    }
  } else {
    return false;
  }
  if (msg.AnswerRequested && msg.Command != kRelayCommand) replies.push_back(Answer(msg));
  return true;
}

// The driver presses at once what is to be learned: learning ends as soon as it began.
bool TVirtualMainModule::HandleLearning(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  if (msg.Command != kLearnInput || msg.Length != 2 || msg.Data[0] >= kLearnables) return false;
  const uint8_t k = msg.Data[0];
  const uint8_t mode = msg.Data[1];
  if (msg.AnswerRequested) {
    const uint8_t echo[] = {k};
    replies.push_back(Answer(msg, echo));
  }
  if (mode == kLearnButton) {
    Memory(kSimFlash).at(kLearnedButtonsByte) |= static_cast<uint8_t>(1u << k);
  } else if (mode == kLearnCombination) {
    Memory(kSimExt).at(kLearnedCombinations + k) = 1;
  } else {
    return true;
  }
  replies.push_back(Message(kBroadcastAddr, kLearnEnded, {1}));
  return true;
}

void TVirtualMainModule::AnswerStatus(const TLanMsg& request, std::vector<TLanMsg>& replies) {
  replies.push_back(Answer(request, StatusRecord(Address(), gen2_)));
  // The CAN module's record follows in two parts; zeros while no CAN module is fitted.
  std::array<uint8_t, kCanRecordSize> can{};
  if (canFitted_) {
    const auto record = StatusRecord(kCanRecordModule, gen2_);
    std::copy_n(record.begin(), std::min(record.size(), can.size()), can.begin());
    // Protocol and car as the interface itself reports them: one car on every page.
    can[kCanRecordProtocol] = TVirtualCanInterface::kProtocol[0];
    can[kCanRecordProtocol + 1] = TVirtualCanInterface::kProtocol[1];
    can[kCanRecordGroup] = canInterface_.Group();
    can[kCanRecordGroup + 1] = canInterface_.Subgroup();
  }
  replies.push_back(Answer(request, std::span(can).first(12)));
  replies.push_back(Answer(request, std::span(can).subspan(12)));
}

void TVirtualMainModule::Perform(TSimAction action, std::vector<TLanMsg>& out) {
  if (Silent) return;
  switch (action) {
    case TSimAction::Arm:
      Arm(out);
      break;
    case TSimAction::Disarm:
      Disarm(out);
      break;
    case TSimAction::IgnitionOn:
      SetIgnition(true, out);
      break;
    case TSimAction::IgnitionOff:
      SetIgnition(false, out);
      break;
    case TSimAction::StartEngine:
      StartEngine(out);
      break;
    case TSimAction::StopEngine:
      StopEngine(out);
      break;
  }
}

void TVirtualMainModule::Arm(std::vector<TLanMsg>& out) {
  if (mode_ != kModeDisarmed) return;
  mode_ = kModeArmed;
  Output(kOutputLockDoors, true, out);
  Output(kOutputLockDoors, false, out);
  Output(kOutputLeftTurn, true, out);
  Output(kOutputRightTurn, true, out);
  Output(kOutputLeftTurn, false, out);
  Output(kOutputRightTurn, false, out);
  out.push_back(ModeMessage());
  Event(kEventArmed, out);
  Event(kEventModeArmed, out);
}

void TVirtualMainModule::Disarm(std::vector<TLanMsg>& out) {
  if (mode_ == kModeDisarmed) return;
  if (mode_ == kModeRemoteStart) StopEngine(out);
  mode_ = kModeDisarmed;
  Output(kOutputUnlockDoors, true, out);
  Output(kOutputUnlockDoors, false, out);
  out.push_back(ModeMessage());
  Event(kEventDisarmed, out);
  Event(kEventModeDisarmed, out);
}

void TVirtualMainModule::SetIgnition(bool on, std::vector<TLanMsg>& out) {
  if (ignition_ == on) return;
  if (!on && engine_) StopEngine(out);
  ignition_ = on;
  ignitionByStart_ = false;
  Input(kInputIgnition, on, out);
  Event(on ? kEventIgnitionOn : kEventIgnitionOff, out);
}

void TVirtualMainModule::StartEngine(std::vector<TLanMsg>& out) {
  if (engine_) return;
  const bool armed = mode_ != kModeDisarmed;
  if (armed) {
    mode_ = kModeRemoteStart;
    out.push_back(ModeMessage());
  }
  Event(kEventStartBegins, out);
  if (!ignition_) {
    Output(kOutputIgnitionSupport, true, out);
    ignition_ = true;
    ignitionByStart_ = true;
    Input(kInputIgnition, true, out);
  }
  Output(kOutputStarter, true, out);
  Output(kOutputStarter, false, out);
  engine_ = true;
  Input(kInputChargeLamp, true, out);
  Event(armed ? kEventStartedArmed : kEventStartedDisarmed, out);
}

void TVirtualMainModule::StopEngine(std::vector<TLanMsg>& out) {
  if (!engine_) return;
  engine_ = false;
  Input(kInputChargeLamp, false, out);
  Event(kEventEngineStopped, out);
  if (ignitionByStart_) {
    ignition_ = false;
    ignitionByStart_ = false;
    Output(kOutputIgnitionSupport, false, out);
    Input(kInputIgnition, false, out);
  }
  if (mode_ == kModeRemoteStart) {
    mode_ = kModeArmed;
    out.push_back(ModeMessage());
  }
}
