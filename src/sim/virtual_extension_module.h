#pragma once

#include <optional>

#include "sim/virtual_module.h"

// How a virtual extension module takes a learning request.
enum class TLearnOutcome {
  Learns,      // echoes the request and, a moment later, reports the learned button
  Refuses,     // answers with another byte than the one asked for
  NotLearned,  // echoes the request, then reports that nothing was learned
};

// The slave module, validator, engine start module and input extender: they learn the car's
// own buttons. A learning request (112 for an event or code, 113 for an analog button, 54
// with a step for the newer modules) is echoed at once; the result follows on the module's
// learning stream, as if the installer had pressed the button meanwhile, and the module keeps
// the learned flag in its settings.
class TVirtualExtensionModule : public TVirtualModule {
 public:
  static constexpr int kLearnStream = 1;

  explicit TVirtualExtensionModule(const TVirtualModuleSpec& desc);

  std::span<const TLiveStream> LiveStreams() const override;

  TLearnOutcome Outcome = TLearnOutcome::Learns;
  bool Learning() const { return learning_.has_value(); }

 protected:
  void Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) override;
  void Talk(int stream, std::vector<TLanMsg>& out) override;

 private:
  enum class TKind { Event, Analog, Button, Combination };
  struct TLearning {
    TKind Kind;
    uint8_t Index;
  };

  bool StartLearning(const TLanMsg& msg);
  void MarkLearned(const TLearning& learning);
  TLanMsg Result(const TLearning& learning, bool learned) const;
  void SetBit(int address, int bit);

  std::optional<TLearning> learning_;
};
