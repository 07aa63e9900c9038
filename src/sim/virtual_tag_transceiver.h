#pragma once

#include "sim/virtual_module.h"

// The tag transceiver: reports its temperature now and then.
class TVirtualTagTransceiver : public TVirtualModule {
 public:
  explicit TVirtualTagTransceiver(const TVirtualModuleSpec& desc);

  std::span<const TLiveStream> LiveStreams() const override;

 protected:
  void Talk(int stream, std::vector<TLanMsg>& out) override;
};
