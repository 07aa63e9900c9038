#include "memory/lan_devices.h"

#include "binding/bound_control.h"
#include "memory/ee_memory_item.h"
#include "memory/file_rw.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_rw.h"
#include "memory/msg_memory_item.h"
#include "memory/user_questions.h"

namespace {

// The byte of the main module's status that starts its firmware version record.
constexpr int kMainVersionIndex = 130;
constexpr int kMainFlashSize = 65536;
constexpr int kMainExtSize = 1024;
// Second-generation main modules have half the settings memory and no settings flash.
constexpr int kGen2MainExtSize = 512;

bool IsCurrentGeneration(int generation) {
  return generation >= 3 && generation <= 5;
}

std::chrono::milliseconds SteadyNow() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace

// Keeps the caller's progress handler installed for one transfer, also when it fails.
class TLanDevices::TProgressScope {
 public:
  TProgressScope(TLanDevices& owner, const TProgress& progress) : owner_(owner) {
    owner.onProgress_ = progress;
  }
  TProgressScope(const TProgressScope&) = delete;
  TProgressScope& operator=(const TProgressScope&) = delete;
  ~TProgressScope() { owner_.onProgress_ = nullptr; }

 private:
  TLanDevices& owner_;
};

TLanDevices::TLanDevices() : clock_(SteadyNow) {
  for (const TModuleSpec& desc : kModuleTable) {
    devices_.push_back(std::make_unique<TLanDevice>(*this, desc));
  }
}

TLanDevices::~TLanDevices() = default;

TLanDevice* TLanDevices::FindDevice(int lanAddr) const {
  for (const auto& device : devices_) {
    if (device->LanAddr() == lanAddr) return device.get();
  }
  return nullptr;
}

TDeviceMemoryItem* TLanDevices::FindMem(int lanAddr, TMemoryLocation memID) const {
  const TLanDevice* device = FindDevice(lanAddr);
  return device ? device->FindItem(memID) : nullptr;
}

TDeviceMemoryItem* TLanDevices::FindMemFor(const IBoundControl& control) const {
  return FindMem(control.GetLanAddr(), control.GetMemID());
}

void TLanDevices::BindControls(std::span<IBoundControl* const> controls, const TStatus& status) {
  const QString prefix = QStringLiteral("Загрузка элементов: ");
  if (status) status(prefix);
  for (IBoundControl* control : controls) {
    try {
      TDeviceMemoryItem* area = FindMemFor(*control);
      control->SetMem(area);
      if (!area) continue;
      area->AddControl(control);
      if (status) status(prefix + area->Device()->Name());
    } catch (const std::exception&) {
      // One control that cannot be bound must not keep the others unbound.
    }
  }
  if (status) status(QString());
}

void TLanDevices::DispatchMessage(const TLanMsg& msg) {
  for (const auto& device : devices_) {
    if (device->LanAddr() != msg.Source) continue;
    auto* area = dynamic_cast<TMsgMemoryItem*>(device->FindItem(mlMsg));
    if (area && area->HandlesCommand(msg.Command)) area->HandleMessage(msg);
  }
}

void TLanDevices::SetRW(TLanRW* rw) {
  rw_ = rw;
  for (const auto& device : devices_) device->SetRW(rw);
}

TAdapter* TLanDevices::Adapter() const {
  return rw_ ? rw_->Adapter() : nullptr;
}

void TLanDevices::MarkAllNotLoaded() {
  for (const auto& device : devices_) device->MarkNotLoaded();
}

int TLanDevices::MainGeneration() const {
  if (mainGeneration_) return *mainGeneration_;
  const TDeviceMemoryItem* status = FindMem(kMainModuleAddr, mlMsg);
  return status ? status->Image()[kMainVersionIndex] : 0;
}

void TLanDevices::NotifyModified() {
  if (onModified_) onModified_();
}

void TLanDevices::ReportProgress(const QString& text, int done, int total) {
  if (onProgress_) onProgress_(text, done, total);
}

bool TLanDevices::CanTransfer(TLanDevice* device) const {
  return rw_ && rw_->Adapter() && device && device->IsPresent();
}

TLanDevices::TStep TLanDevices::AskAfterFailure(const TDeviceMemoryItem& area,
                                                const QString& prefix, const QString& question,
                                                TStep onYes) {
  const QString text = prefix + u'"' + area.GetTitle() + u'"' + QStringLiteral("\r\n") + question;
  if (questions_ && questions_->AskStep(text) == TUserAnswer::Yes) return onYes;
  throw;
}

void TLanDevices::ApplyMainReadSizes(TLanDevice& device, TMemoryLocation loc) {
  if (device.LanAddr() != kMainModuleAddr) return;
  const int generation = MainGeneration();
  if (loc == mlFlash) {
    if (TDeviceMemoryItem* flash = device.FindItem(mlFlash)) {
      if (generation == 2) flash->SetActiveSize(0);
      if (IsCurrentGeneration(generation)) flash->SetActiveSize(kMainFlashSize);
    }
  }
  if (TDeviceMemoryItem* ext = device.FindItem(mlExt)) ext->SetActiveSize(kMainExtSize);
}

void TLanDevices::ApplyMainWriteSizes(TLanDevice& device, TMemoryLocation loc) {
  if (device.LanAddr() != kMainModuleAddr || loc != mlExt) return;
  TDeviceMemoryItem* ext = device.FindItem(mlExt);
  if (!ext) return;
  const int generation = MainGeneration();
  if (generation == 2) ext->SetActiveSize(kGen2MainExtSize);
  if (IsCurrentGeneration(generation)) ext->SetActiveSize(kMainExtSize);
}

void TLanDevices::ReadAll(const TProgress& progress) {
  for (const auto& device : devices_) ReadDevice(device.get(), kPersistentLocations, progress);
}

void TLanDevices::WriteAll(const TProgress& progress) {
  for (const auto& device : devices_) WriteDevice(device.get(), kPersistentLocations, progress);
}

void TLanDevices::ReadDevice(TLanDevice* device, TMemoryLocations locations,
                             const TProgress& progress) {
  if (!CanTransfer(device)) return;
  const TProgressScope scope(*this, progress);
  for (const TMemoryLocation loc : {mlInt, mlExt, mlRam, mlFlash}) {
    if (!locations.Contains(loc)) continue;
    ApplyMainReadSizes(*device, loc);
    auto* area = dynamic_cast<TRAMMemoryItem*>(device->FindItem(loc));
    if (!area) continue;
    for (TStep step = TStep::Retry; step == TStep::Retry;) {
      try {
        area->Load(*rw_);
        step = TStep::Next;
      } catch (...) {
        step = AskAfterFailure(*area, QStringLiteral("Ошибка при чтении: "),
                               QStringLiteral(" Повторить чтение?"), TStep::Retry);
      }
    }
  }
}

void TLanDevices::WriteDevice(TLanDevice* device, TMemoryLocations locations,
                              const TProgress& progress) {
  if (!CanTransfer(device)) return;
  rw_->SetDevice(device);
  const TProgressScope scope(*this, progress);
  bool written = false;
  for (const TMemoryLocation loc : {mlInt, mlExt, mlRam, mlFlash, mlMsg}) {
    if (!locations.Contains(loc)) continue;
    ApplyMainWriteSizes(*device, loc);
    auto* area = dynamic_cast<TEEMemoryItem*>(device->FindItem(loc));
    if (!area) continue;
    try {
      written = area->Store(*rw_) || written;
    } catch (...) {
      AskAfterFailure(*area, QStringLiteral("Элемент недоступен: "),
                      QStringLiteral(" Продолжить запись?"), TStep::Next);
    }
  }
  if (written) rw_->Finish();
}

void TLanDevices::SetDefaultsDevice(TLanDevice* device, TMemoryLocations locations,
                                    const TProgress& progress) {
  if (!CanTransfer(device)) return;
  const TProgressScope scope(*this, progress);
  for (const TMemoryLocation loc : {mlInt, mlExt, mlRam, mlFlash, mlMsg}) {
    if (!locations.Contains(loc)) continue;
    // The same memory sizes as a read: a second-generation module gets no flash defaults
    // that a later write would send.
    ApplyMainReadSizes(*device, loc);
    auto* area = dynamic_cast<TEEMemoryItem*>(device->FindItem(loc));
    if (!area) continue;
    try {
      area->SetDefaults(*rw_);
    } catch (...) {
      AskAfterFailure(*area, QStringLiteral("Элемент недоступен: "),
                      QStringLiteral(" Продолжить чтение?"), TStep::Next);
    }
  }
}

void TLanDevices::SaveToFile(std::span<TDeviceMemoryItem* const> areas, TFileRW& file,
                             const TProgress& progress) {
  {
    const TProgressScope scope(*this, progress);
    file.SetAllDevices(true);
    // Saving must not make the modules look up to date.
    file.SetClearDirtyAfterWrite(false);
    for (TDeviceMemoryItem* area : areas) {
      if (!area || !kPersistentLocations.Contains(area->MemID())) continue;
      try {
        file.SetDevice(area->Device());
        area->Store(file);
      } catch (...) {
        AskAfterFailure(*area, QStringLiteral("Элемент недоступен: "),
                        QStringLiteral(" Продолжить сохранение?"), TStep::Next);
      }
    }
  }
  file.Commit();
}

void TLanDevices::LoadFromFile(std::span<TDeviceMemoryItem* const> areas, TFileRW& file,
                               const TProgress& progress) {
  if (!file.IsCompatible()) throw ELanDev(TFileRW::IncompatibleText());
  if (!rw_ || !rw_->Adapter()) return;
  file.SetAllDevices(false);
  const TProgressScope scope(*this, progress);
  for (TDeviceMemoryItem* area : areas) {
    // Only settings are ever saved; live areas take nothing from a file.
    auto* settings = dynamic_cast<TEEMemoryItem*>(area);
    if (!settings || !kPersistentLocations.Contains(settings->MemID())) continue;
    try {
      file.SetDevice(settings->Device());
      settings->Load(file);
      settings->SetModified(true);
    } catch (...) {
      AskAfterFailure(*settings, QStringLiteral("Элемент недоступен: "),
                      QStringLiteral(" Продолжить чтение?"), TStep::Next);
    }
  }
}
