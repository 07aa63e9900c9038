#pragma once

#include <bitset>
#include <initializer_list>
#include <span>

#include "link/lan_msg.h"
#include "memory/auto_update_memory.h"

class TAdapter;

// Live values that a module pushes in ordinary bus messages. Each module kind maps its
// commands onto bytes of the image and knows which status requests refresh them.
class TMsgMemoryItem : public TAutoUpdateMemory {
 public:
  // The status requests that make the module send its values again.
  struct TRequests {
    int Address = 0;
    std::span<const uint8_t> Commands;
  };

  void SetCommands(std::span<const uint8_t> commands);
  // The registry hands the area only messages whose command is in this set.
  bool HandlesCommand(uint8_t command) const { return commands_.test(command); }

  // Stores what the message carries and shows the bytes it changed.
  void HandleMessage(const TLanMsg& msg);
  // Shows the current values, asks the module for fresh ones and counts the area loaded.
  void RequestUpdate();
  // Blanks every value (a module that went offline).
  void ClearAll();
  // The adapter behind the registry's bus channel; nullptr without one.
  TAdapter* GetAdapter() const;

 protected:
  TMsgMemoryItem() = default;

  // Stores the message's bytes; true when the bound controls must show them.
  virtual bool Handle(const TLanMsg& msg) = 0;
  virtual TRequests Requests() const = 0;

  // Stores `count` data bytes of `msg` from data index `first` at image index `index`.
  void Put(int index, const TLanMsg& msg, int first, int count);
  // Stores all the message's data bytes from image index `index` on.
  void PutAll(int index, const TLanMsg& msg) { Put(index, msg, 0, msg.Length); }

 private:
  std::bitset<256> commands_;
};
