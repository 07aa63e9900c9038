#include "memory/lan_device.h"

#include "link/adapter.h"
#include "memory/ee_memory_item.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/message_areas.h"

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

bool TLanDevice::IsPresent() {
  const auto now = owner_.Now();
  if (lastCheck_ && now - *lastCheck_ < kPresenceValidity) return present_;
  lastCheck_ = now;
  TAdapter* adapter = owner_.Adapter();
  if (!adapter || adapter->IsUnavailable()) {
    present_ = false;
    return present_;
  }
  const TRaiseOnNoAnswer raise(*adapter);
  try {
    present_ = adapter->GetAnswerNoData(kPcAddr, lanAddr_, kProbeCommand).Answered;
  } catch (const EAdapter&) {
    MarkNotLoaded();
    present_ = false;
  }
  return present_;
}

bool TLanDevice::IsAccessible() {
  if (!present_) return false;
  TAdapter* adapter = owner_.Adapter();
  if (!adapter) {
    accessOK_ = false;
    return false;
  }
  const TRaiseOnNoAnswer raise(*adapter);
  try {
    const auto answer = adapter->GetAnswerNoData(kPcAddr, lanAddr_, kAccessCommand);
    accessOK_ = answer.Answered && (answer.Data[0] & kAccessRefusedBit) == 0;
    if (answer.Answered && !accessOK_) {
      adapter->ReportError(kErrAccessDenied,
                           AdapterErrorText(kErrAccessDenied, ModuleName(lanAddr_)));
    }
  } catch (const std::exception&) {
    accessOK_ = false;
  }
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
