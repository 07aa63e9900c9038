#pragma once

#include <QString>
#include <array>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "link/lan_msg.h"

// Memory locations as the bus commands number them: writes 80 + loc, reads 87 + loc.
enum TSimLocation : int { kSimInt = 0, kSimExt = 1, kSimRam = 2, kSimFlash = 3, kSimLocations = 4 };

// One row of the vehicle's module table.
struct TVirtualModuleSpec {
  uint8_t Address = 0;
  const char* Name = "";
  uint8_t PacketSize = 8;
  std::array<uint32_t, kSimLocations> Sizes{};  // 0: the module has no such memory
};

// A message a module repeats on its own. The offset spreads the streams of a vehicle so that
// they do not all start in the same millisecond.
struct TLiveStream {
  int Id = 0;
  std::chrono::milliseconds Period{1000};
  std::chrono::milliseconds Offset{0};
};

// A module on the virtual bus: answers presence, access, memory reads and writes and the
// status request, and keeps its memories across connections. Module kinds whose behaviour
// differs derive from it.
class TVirtualModule {
 public:
  explicit TVirtualModule(const TVirtualModuleSpec& desc);
  TVirtualModule(const TVirtualModule&) = delete;
  TVirtualModule& operator=(const TVirtualModule&) = delete;
  virtual ~TVirtualModule() = default;

  uint8_t Address() const { return spec_.Address; }
  QString Name() const { return QString::fromUtf8(spec_.Name); }
  uint8_t PacketSize() const { return spec_.PacketSize; }
  std::vector<uint8_t>& Memory(int location) { return memory_[static_cast<size_t>(location)]; }
  const std::vector<uint8_t>& Memory(int location) const {
    return memory_[static_cast<size_t>(location)];
  }
  // Fills the memories with the images the module leaves the factory with.
  void LoadFactoryImage(bool gen2);

  // Fitted but mute: it neither answers nor talks.
  bool Silent = false;
  // Answers the access query with bit 4 set and ignores memory commands.
  bool RefuseAccess = false;
  // Stores the first byte of every memory write with its lowest bit flipped, yet confirms
  // the packet as written: a worn cell that only reading back reveals.
  bool Miswrite = false;
  // End-of-write notices received since the start, and the data byte of the last one.
  int EndNotices = 0;
  int LastEndParam = -1;

  // Takes a message seen on the bus (addressed to it or broadcast) and appends its answers.
  void Receive(const TLanMsg& msg, std::vector<TLanMsg>& replies);
  // The messages the module sends without being asked, and how often.
  virtual std::span<const TLiveStream> LiveStreams() const { return {}; }
  // Appends the messages of one of its streams; nothing while the module is silent.
  void Speak(int stream, std::vector<TLanMsg>& out);

 protected:
  // Module-specific answers; the base answers the protocol commands every module shares.
  virtual void Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies);
  virtual void Talk(int stream, std::vector<TLanMsg>& out);
  // The answers to the status request (command 48): by default the module's version record.
  virtual void AnswerStatus(const TLanMsg& request, std::vector<TLanMsg>& replies);
  // Data of the answer to the presence-and-state query (command 3).
  virtual void FillState(TLanMsg& answer) const;
  // Command 0 with one data byte addressed to the module.
  virtual void TakeCommandZero(uint8_t param);

  TLanMsg Answer(const TLanMsg& request) const;
  TLanMsg Answer(const TLanMsg& request, std::span<const uint8_t> data) const;
  // A message of this module to `dest` (0: broadcast) with the given data.
  TLanMsg Message(uint8_t dest, uint8_t command, std::initializer_list<uint8_t> data) const;
  TLanMsg Message(uint8_t dest, uint8_t command, std::span<const uint8_t> data) const;

 private:
  void HandleWrite(const TLanMsg& msg, int location, std::vector<TLanMsg>& replies);
  void HandleRead(const TLanMsg& msg, int location, std::vector<TLanMsg>& replies);
  void HandleReadByte(const TLanMsg& msg, std::vector<TLanMsg>& replies);

  TVirtualModuleSpec spec_;
  std::array<std::vector<uint8_t>, kSimLocations> memory_;
};
