#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "memory/cluster_info.h"
#include "memory/memory_location.h"

class TLanDevice;
class TDeviceMemoryItem;

// A transfer channel: where memory areas read their bytes from and write them to (the bus,
// or a configuration file).
class TRW {
 public:
  TRW(const TRW&) = delete;
  TRW& operator=(const TRW&) = delete;
  virtual ~TRW() = default;

  virtual void SetDevice(TLanDevice* device) { device_ = device; }
  virtual void SetItem(TDeviceMemoryItem* item) { item_ = item; }
  TLanDevice* Device() const { return device_; }
  TDeviceMemoryItem* Item() const { return item_; }

  virtual int GetPacketSize() const { return defaultPacketSize_; }
  virtual bool HasDevice(const TLanDevice& device) const = 0;
  // Fills `buffer` from index `start` of the current area; false when the bytes could not be
  // read.
  virtual bool Read(int start, std::span<uint8_t> buffer) = 0;
  // Writes `bytes` from index `start` of the current area. Returns the runs the other side
  // did not confirm, so that their bytes stay marked changed.
  virtual TClusterList Write(int start, std::span<const uint8_t> bytes) = 0;
  // Ends a write session (the module's end-of-write notice).
  virtual void Finish() = 0;

  // Locations this channel may write.
  TMemoryLocations Locations() const { return locations_; }
  void SetLocations(TMemoryLocations locations) { locations_ = locations; }
  bool ClearDirtyAfterWrite() const { return clearDirtyAfterWrite_; }
  void SetClearDirtyAfterWrite(bool clear) { clearDirtyAfterWrite_ = clear; }
  // Reads back what a write sent: a module may confirm a packet it did not store as sent.
  bool VerifyWrites() const { return verifyWrites_; }
  void SetVerifyWrites(bool verify) { verifyWrites_ = verify; }
  void SetDefaultPacketSize(int size) { defaultPacketSize_ = size; }
  // The channel talks to real modules.
  bool IsLive() const { return live_; }

  // Asked between packets: true stops the transfer where it is, and what was not sent stays
  // to be sent.
  void SetCancelCheck(std::function<bool()> check) { cancelCheck_ = std::move(check); }
  bool CancelRequested() const { return cancelCheck_ && cancelCheck_(); }

  // Failed reads since the last reset; an area stops reading as soon as one fails.
  int ReadErrors() const { return readErrors_; }
  void ResetReadErrors() { readErrors_ = 0; }

 protected:
  explicit TRW(bool live) : live_(live) {}
  void CountReadError() { ++readErrors_; }

 private:
  TLanDevice* device_ = nullptr;
  TDeviceMemoryItem* item_ = nullptr;
  TMemoryLocations locations_;
  bool clearDirtyAfterWrite_ = false;
  bool verifyWrites_ = false;
  int defaultPacketSize_ = 0;
  bool live_ = false;
  int readErrors_ = 0;
  std::function<bool()> cancelCheck_;
};
