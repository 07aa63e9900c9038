#pragma once

#include <memory>

#include "link/buffered_port.h"
#include "sim/virtual_adapter.h"

// The adapter port that plugs the link into a virtual adapter in this process.
class TSimPort : public TBufferedPort, private ISimEndpoint {
 public:
  explicit TSimPort(std::shared_ptr<TVirtualAdapter> adapter);
  TSimPort(const TSimPort&) = delete;
  TSimPort& operator=(const TSimPort&) = delete;
  ~TSimPort() override;

  int Open(const QString& description) override;
  void Close() override;
  int Configure(const TPortSettings& settings) override;
  int Write(const uint8_t* buffer, uint32_t size, uint32_t& written) override;

 private:
  void DeliverToPc(const uint8_t* bytes, size_t count) override;
  void AdapterUnplugged() override;

  std::shared_ptr<TVirtualAdapter> adapter_;
  bool attached_ = false;
};
