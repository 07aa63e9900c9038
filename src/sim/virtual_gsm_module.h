#pragma once

#include <array>

#include "sim/virtual_module.h"

// The GSM module: reports its power mode and server connection, and keeps the four timers
// that the PC sets and queries with commands 64..67.
class TVirtualGsmModule : public TVirtualModule {
 public:
  explicit TVirtualGsmModule(const TVirtualModuleSpec& desc);

  std::span<const TLiveStream> LiveStreams() const override;
  const std::array<uint8_t, 4>& Timer(int index) const {
    return timers_.at(static_cast<size_t>(index));
  }

 protected:
  void Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) override;
  void Talk(int stream, std::vector<TLanMsg>& out) override;
  void FillState(TLanMsg& answer) const override;

 private:
  std::array<std::array<uint8_t, 4>, 4> timers_{};
};
