#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "memory/lan_device.h"
#include "memory/rw.h"

// One memory of a module behind a channel that acts as the bus does: bytes read are no
// change, only changed bytes are written.
class TByteChannel : public TRW {
 public:
  explicit TByteChannel(int size) : TRW(true), Bytes(static_cast<std::size_t>(size)) {
    SetLocations(kPersistentLocations);
    SetClearDirtyAfterWrite(true);
  }
  void Put(int addr, std::vector<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), Bytes.begin() + addr);
  }
  std::vector<uint8_t> At(int addr, int count) const {
    return {Bytes.begin() + addr, Bytes.begin() + addr + count};
  }
  bool HasDevice(const TLanDevice&) const override { return true; }
  bool Read(int start, std::span<uint8_t> buffer) override {
    std::copy_n(Bytes.begin() + start, buffer.size(), buffer.begin());
    return true;
  }
  TClusterList Write(int start, std::span<const uint8_t> bytes) override {
    std::copy(bytes.begin(), bytes.end(), Bytes.begin() + start);
    return {};
  }
  void Finish() override {}

  std::vector<uint8_t> Bytes;
};
