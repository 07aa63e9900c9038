#pragma once

#include "sim/virtual_module.h"

// The CAN module: follows the main module's mode on the bus and reports the car commands it
// gave (command 33) and took back (command 32): lock on arming, unlock on disarming.
class TVirtualCanModule : public TVirtualModule {
 public:
  explicit TVirtualCanModule(const TVirtualModuleSpec& desc);

  std::span<const TLiveStream> LiveStreams() const override;

 protected:
  void Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) override;
  void Talk(int stream, std::vector<TLanMsg>& out) override;
  // Its versions reach the PC through the main module's status answer.
  void AnswerStatus(const TLanMsg&, std::vector<TLanMsg>&) override {}

 private:
  void Report(std::vector<TLanMsg>& out) const;

  bool locked_ = false;
};
