#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "link/lan_msg.h"
#include "memory/lan_device.h"
#include "memory/memory_location.h"
#include "memory/transfer_context.h"

class IBoundControl;
class IUserQuestions;
class TAdapter;
class TFileRW;
class TLanRW;
class TRAMMemoryItem;

// The module registry: the fixed table of module kinds and their memory areas, the binding
// of controls to areas, the delivery of bus messages to message areas, and the transfers of
// whole modules over the bus.
class TLanDevices {
 public:
  // Transfer progress: what is being done, bytes done, bytes in all.
  using TProgress = std::function<void(const QString& text, int done, int total)>;
  // A status line for the binding of controls.
  using TStatus = std::function<void(const QString& text)>;
  using TClock = std::function<std::chrono::milliseconds()>;

  TLanDevices();
  TLanDevices(const TLanDevices&) = delete;
  TLanDevices& operator=(const TLanDevices&) = delete;
  ~TLanDevices();

  int Count() const { return static_cast<int>(devices_.size()); }
  TLanDevice& Items(int index) const { return *devices_[static_cast<size_t>(index)]; }
  TLanDevice* FindDevice(int lanAddr) const;
  TDeviceMemoryItem* FindMem(int lanAddr, TMemoryLocation memID) const;
  TDeviceMemoryItem* FindMemFor(const IBoundControl& control) const;

  // Binds every control to the area of its cell; a control that matches no area, or whose
  // binding fails, stays unbound.
  void BindControls(std::span<IBoundControl* const> controls, const TStatus& status);
  // Hands a message from a module to that module's message area.
  void DispatchMessage(const TLanMsg& msg);

  void SetRW(TLanRW* rw);
  TLanRW* RW() const { return rw_; }
  // The adapter behind the bus channel; nullptr without one.
  TAdapter* Adapter() const;
  // Where failing steps are asked about; without one every failing step abandons.
  void SetUserQuestions(IUserQuestions* questions) { questions_ = questions; }

  void MarkAllNotLoaded();

  // The main module's firmware generation, which decides the size of its flash and settings
  // memories. Set by the module information; until then it is the first byte of the version
  // record the main module reports in its status.
  void SetMainGeneration(std::optional<int> generation) { mainGeneration_ = generation; }
  int MainGeneration() const;

  // The GSM module's power mode as the GSM pages follow it; 0xFF until it reports.
  uint8_t GsmState() const { return gsmState_; }
  void SetGsmState(uint8_t state) { gsmState_ = state; }

  // Whole-module transfers; absent modules are skipped. They wait for the bus on the calling
  // thread and touch areas, controls, progress and questions only on the owner's thread of
  // `context`; a cancelled context stops them after the packet in flight.
  void ReadAll(const TProgress& progress, const ITransferContext& context = InlineTransfer());
  void WriteAll(const TProgress& progress, const ITransferContext& context = InlineTransfer());
  void ReadDevice(TLanDevice* device, TMemoryLocations locations, const TProgress& progress,
                  const ITransferContext& context = InlineTransfer());
  void WriteDevice(TLanDevice* device, TMemoryLocations locations, const TProgress& progress,
                   const ITransferContext& context = InlineTransfer());
  // Reads the live bytes of a RAM area again for a page that shows them. No questions: a value
  // that does not come simply stays as it was until the next time.
  void RefreshArea(TRAMMemoryItem& area, const ITransferContext& context);
  // Puts the areas to their factory values; they reach the module with the next write.
  void SetDefaultsDevice(TLanDevice* device, TMemoryLocations locations, const TProgress& progress,
                         const ITransferContext& context = InlineTransfer());

  // Saves the listed areas of the persistent memories into `file`, then replaces the file on
  // disk; an abandoned save leaves the previous file as it was. Change marks stay, so the
  // next write still sends what the modules do not have yet. Throws ELanDev when the file
  // cannot be written.
  void SaveToFile(std::span<TDeviceMemoryItem* const> areas, TFileRW& file,
                  const TProgress& progress);
  // Loads the listed settings areas from `file`; the loaded bytes count as changed, so the
  // next write sends them. A file the channel refused for its version loads nothing and
  // throws ELanDev saying so.
  void LoadFromFile(std::span<TDeviceMemoryItem* const> areas, TFileRW& file,
                    const TProgress& progress);

  void SetOnModified(std::function<void()> handler) { onModified_ = std::move(handler); }
  // Called by an area that the user changed.
  void NotifyModified();
  // An area's bytes or its baseline changed: what is pending may have changed with them.
  void SetOnPending(std::function<void(TDeviceMemoryItem&)> handler) {
    onPending_ = std::move(handler);
  }
  void NotifyPending(TDeviceMemoryItem& area) {
    if (onPending_) onPending_(area);
  }
  // Called by the areas during a transfer.
  void ReportProgress(const QString& text, int done, int total);

  // The GSM module's firmware major version as the module information shows it: from version
  // 30 on it answers slowly. Safe to read from the bus thread.
  void SetGsmFirmwareMajor(int major) { gsmFirmwareMajor_ = major; }
  // How long a request to `dest` waits for its answer.
  std::chrono::milliseconds AnswerWait(uint8_t dest) const;

  // The tick counter that presence results age by.
  void SetClock(TClock clock) { clock_ = std::move(clock); }
  std::chrono::milliseconds Now() const { return clock_(); }

 private:
  class TProgressScope;
  class TChannelSetup;
  enum class TStep { Retry, Next };

  bool CanTransfer(TLanDevice* device, const ITransferContext& context) const;
  // A step failed: Yes answers `onYes`; anything else raises the failure again.
  TStep AskAfterFailure(const TDeviceMemoryItem& area, const QString& prefix,
                        const QString& question, TStep onYes, const ITransferContext& context);
  // Tells the user which area read back otherwise than it was written, and from where.
  void ReportWriteMismatch(const TDeviceMemoryItem& area, const ITransferContext& context);
  void ApplyMainReadSizes(TLanDevice& device, TMemoryLocation loc);
  void ApplyMainWriteSizes(TLanDevice& device, TMemoryLocation loc);

  std::vector<std::unique_ptr<TLanDevice>> devices_;
  TLanRW* rw_ = nullptr;
  IUserQuestions* questions_ = nullptr;
  TProgress onProgress_;
  std::function<void()> onModified_;
  std::function<void(TDeviceMemoryItem&)> onPending_;
  std::optional<int> mainGeneration_;
  uint8_t gsmState_ = 0xFF;
  std::atomic<int> gsmFirmwareMajor_{0};
  TClock clock_;
};
