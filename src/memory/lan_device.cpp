#include "memory/lan_device.h"

#include "link/adapter.h"
#include "link/lan_msg.h"
#include "memory/ee_memory_item.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/message_areas.h"
#include "memory/transfer_context.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kPresenceValidity = 1000ms;
constexpr uint8_t kAccessCommand = 0;
constexpr uint8_t kProbeCommand = 3;
constexpr uint8_t kAccessRefusedBit = 0x10;

std::unique_ptr<TDeviceMemoryItem> MakeArea(const TAreaSpec& desc) {
  switch (desc.Class) {
    case TAreaClass::Ee:
      return std::make_unique<TEEMemoryItem>();
    case TAreaClass::Ram:
      return std::make_unique<TRAMMemoryItem>();
    default: {
      auto area = MakeMessageArea(desc.Class);
      area->SetCommands(desc.Commands);
      return area;
    }
  }
}

// Switches the adapter to raising on a missing answer for one probe.
class TRaiseOnNoAnswer {
 public:
  explicit TRaiseOnNoAnswer(TAdapter& adapter)
      : adapter_(adapter), saved_(adapter.RaiseOnNoAnswer()) {
    adapter.SetRaiseOnNoAnswer(true);
  }
  TRaiseOnNoAnswer(const TRaiseOnNoAnswer&) = delete;
  TRaiseOnNoAnswer& operator=(const TRaiseOnNoAnswer&) = delete;
  ~TRaiseOnNoAnswer() { adapter_.SetRaiseOnNoAnswer(saved_); }

 private:
  TAdapter& adapter_;
  bool saved_;
};

}  // namespace

TLanDevice::TLanDevice(TLanDevices& owner, const TModuleSpec& desc)
    : owner_(owner),
      lanAddr_(desc.LanAddr),
      name_(QString::fromUtf8(desc.Name)),
      packetSize_(desc.PacketSize),
      endCommand_(desc.EndCommand),
      endParam_(desc.EndParam) {
  for (const TAreaSpec& areaSpec : desc.Areas) {
    auto area = MakeArea(areaSpec);
    area->SetDevice(this);
    area->SetName(QString::fromUtf8(areaSpec.Name));
    area->SetMemID(areaSpec.MemID);
    area->SetSize(areaSpec.Size);
    area->SetBlockSize(areaSpec.BlockSize);
    items_.push_back(std::move(area));
  }
}

TLanDevice::~TLanDevice() = default;

QString TLanDevice::Title() const {
  const QString title = ModuleName(lanAddr_);
  return title.isEmpty() ? name_ : title;
}

void TLanDevice::SetRW(TLanRW* rw) {
  rw_ = rw;
  for (const auto& item : items_) item->SetRW(rw);
}

TDeviceMemoryItem* TLanDevice::FindItem(TMemoryLocation memID) const {
  for (const auto& item : items_) {
    if (item->MemID() == memID) return item.get();
  }
  return nullptr;
}

std::optional<bool> TLanDevice::FreshPresence() const {
  if (lastCheck_ && owner_.Now() - *lastCheck_ < kPresenceValidity) return present_;
  return std::nullopt;
}

std::optional<bool> TLanDevice::FreshAccess() const {
  if (!present_) return false;
  if (lastAccessCheck_ && owner_.Now() - *lastAccessCheck_ < kPresenceValidity) return accessOK_;
  return std::nullopt;
}

void TLanDevice::BeginPresenceCheck() {
  lastCheck_ = owner_.Now();
}

void TLanDevice::SetPresence(TPresence presence) {
  // A module that stopped answering may come back with other settings than its images.
  if (presence == TPresence::Absent) MarkNotLoaded();
  present_ = presence == TPresence::Present;
}

void TLanDevice::SetAccess(bool accessOK) {
  lastAccessCheck_ = owner_.Now();
  accessOK_ = accessOK;
}

TLanDevice::TPresence TLanDevice::ProbePresence(TAdapter* adapter, uint8_t lanAddr) {
  if (!adapter || adapter->IsUnavailable()) return TPresence::NoLink;
  const TRaiseOnNoAnswer raise(*adapter);
  try {
    return adapter->GetAnswerNoData(kPcAddr, lanAddr, kProbeCommand).Answered ? TPresence::Present
                                                                              : TPresence::Absent;
  } catch (const EAdapter&) {
    return TPresence::Absent;
  }
}

bool TLanDevice::ProbeAccess(TAdapter& adapter, uint8_t lanAddr) {
  const TRaiseOnNoAnswer raise(adapter);
  try {
    const auto answer = adapter.GetAnswerNoData(kPcAddr, lanAddr, kAccessCommand);
    const bool accessOK = answer.Answered && (answer.Data[0] & kAccessRefusedBit) == 0;
    if (answer.Answered && !accessOK) {
      adapter.ReportError(kErrAccessDenied,
                          AdapterErrorText(kErrAccessDenied, ModuleName(lanAddr)));
    }
    return accessOK;
  } catch (const std::exception&) {
    return false;
  }
}

bool TLanDevice::IsPresent() {
  return IsPresent(InlineTransfer());
}

bool TLanDevice::IsPresent(const ITransferContext& context) {
  std::optional<bool> fresh;
  context.OnOwner([&] {
    fresh = FreshPresence();
    if (!fresh) BeginPresenceCheck();
  });
  if (fresh) return *fresh;
  const TPresence presence = ProbePresence(owner_.Adapter(), lanAddr_);
  context.OnOwner([&] { SetPresence(presence); });
  return presence == TPresence::Present;
}

bool TLanDevice::IsAccessible() {
  if (!present_) return false;
  TAdapter* adapter = owner_.Adapter();
  SetAccess(adapter && ProbeAccess(*adapter, lanAddr_));
  return accessOK_;
}

void TLanDevice::TouchLastCheck() {
  lastCheck_ = owner_.Now();
}

void TLanDevice::MarkNotLoaded() {
  for (const auto& item : items_) item->SetLoaded(false);
}

bool TLanDevice::AllLoaded(TMemoryLocations locations) const {
  for (const auto& item : items_) {
    if (locations.Contains(item->MemID()) && !item->IsLoaded()) return false;
  }
  return true;
}

bool TLanDevice::AnyModified(TMemoryLocations locations) const {
  for (const auto& item : items_) {
    if (locations.Contains(item->MemID()) && item->IsModified()) return true;
  }
  return false;
}
