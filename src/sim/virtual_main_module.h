#pragma once

#include "sim/virtual_can_interface.h"
#include "sim/virtual_module.h"

// What a test or the demo does to the car.
enum class TSimAction { Arm, Disarm, IgnitionOn, IgnitionOff, StartEngine, StopEngine };

// The main module: the car's state (mode, ignition, engine, supply voltage, board
// temperature), which it broadcasts on its own and changes on scenario actions and on the
// PC's arm, disarm and engine commands.
class TVirtualMainModule : public TVirtualModule {
 public:
  // Modes as command 7 reports them.
  static constexpr uint8_t kModeDisarmed = 0;
  static constexpr uint8_t kModeArmed = 2;
  static constexpr uint8_t kModeRemoteStart = 7;

  TVirtualMainModule(const TVirtualModuleSpec& desc, bool gen2);

  uint8_t Mode() const { return mode_; }
  bool Ignition() const { return ignition_; }
  bool EngineRunning() const { return engine_; }
  // Supply voltage in the units of command 53 (volts x 1024 / (20 x 7.67)).
  uint8_t VoltageCode() const;

  // Changes the car's state and appends the messages the module sends about it.
  void Perform(TSimAction action, std::vector<TLanMsg>& out);
  // Whether the CAN module is fitted: the status answer relays its record.
  void SetCanModuleFitted(bool fitted) { canFitted_ = fitted; }
  const TVirtualCanInterface& CanInterface() const { return canInterface_; }

  std::span<const TLiveStream> LiveStreams() const override;

 protected:
  void Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) override;
  void Talk(int stream, std::vector<TLanMsg>& out) override;
  void AnswerStatus(const TLanMsg& request, std::vector<TLanMsg>& replies) override;

 private:
  // Relay programming; false for any other command.
  bool HandleRelayProgramming(const TLanMsg& msg, std::vector<TLanMsg>& replies);
  // Learning a steering-wheel button or combination; false for any other command.
  bool HandleLearning(const TLanMsg& msg, std::vector<TLanMsg>& replies);
  TLanMsg TachoReport() const;
  void Arm(std::vector<TLanMsg>& out);
  void Disarm(std::vector<TLanMsg>& out);
  void SetIgnition(bool on, std::vector<TLanMsg>& out);
  void StartEngine(std::vector<TLanMsg>& out);
  void StopEngine(std::vector<TLanMsg>& out);

  TLanMsg ModeMessage() const;
  TLanMsg VoltageReport(uint8_t dest) const;
  void Input(uint8_t index, bool on, std::vector<TLanMsg>& out) const;
  void Output(uint8_t index, bool on, std::vector<TLanMsg>& out) const;
  void Event(uint8_t code, std::vector<TLanMsg>& out) const;

  bool gen2_;
  bool canFitted_ = false;
  uint8_t mode_ = kModeDisarmed;
  bool ignition_ = false;
  bool engine_ = false;
  bool tachoReports_ = false;
  bool ignitionByStart_ = false;  // remote start switched the ignition on
  uint8_t boardTemperature_ = 25;
  TVirtualCanInterface canInterface_;
  unsigned ticks_ = 0;  // voltage ripple
};
