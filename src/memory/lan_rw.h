#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <set>

#include "memory/rw.h"
#include "memory/transfer_fault.h"

class TAdapter;
class IUserQuestions;

// The bus channel: moves area bytes with the modules' memory read and write commands, one
// request per packet of the module's packet size.
class TLanRW : public TRW {
 public:
  TLanRW() : TRW(true) {}

  TAdapter* Adapter() const { return adapter_; }
  void SetAdapter(TAdapter* adapter) { adapter_ = adapter; }
  // Where transfer errors are shown; none keeps them to the journal.
  void SetUserQuestions(IUserQuestions* questions) { questions_ = questions; }
  IUserQuestions* UserQuestions() const { return questions_; }

  // The module's packet size, 1 without a module.
  int GetPacketSize() const override;
  bool HasDevice(const TLanDevice&) const override { return true; }
  bool Read(int start, std::span<uint8_t> buffer) override;
  // Throws ELanDev when the slave module's flash confirms another packet than was sent.
  TClusterList Write(int start, std::span<const uint8_t> bytes) override;
  void Finish() override;
  // Tells how often the last error recurred, if it did (see ShowError); the transfer ends.
  void FlushRepeatedErrors();

  // Starts an operation (a read, write or check of one or more modules): what failed, and
  // why, is told per area afterwards.
  void BeginOperation();
  // Why a packet of `area` failed during the operation; None when none failed.
  TFaultCause FaultOf(const TDeviceMemoryItem& area) const;
  // The cause of the operation's last failure.
  TFaultCause LastFault() const { return lastFault_; }

 private:
  bool ReadPackets(int start, std::span<uint8_t> buffer);
  bool ReadByteByByte(int start, std::span<uint8_t> buffer);
  // Reports a read that failed; returns false.
  bool Fail();
  void ShowError(const QString& text);
  void NoteAnswered();
  void NoteFault();

  TAdapter* adapter_ = nullptr;
  IUserQuestions* questions_ = nullptr;
  // The error shown last and how often it came again since.
  QString lastError_;
  int repeats_ = 0;
  uint64_t lineErrorsAtStart_ = 0;
  std::set<int> answered_;
  std::map<const TDeviceMemoryItem*, TFaultCause> faults_;
  TFaultCause lastFault_ = TFaultCause::None;
};
