// The main window's link to the modules: the registry and the bus channel, the per-module
// commands, the idle-time scan of module availability and the enabling of a shown page.
#include <QAction>
#include <exception>
#include <map>

#include "binding/bound_control.h"
#include "binding/ui/vd_data.h"
#include "link/adapter.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/msg_memory_item.h"
#include "shell/main_form.h"

namespace {

constexpr uint8_t kRelayModuleAddr = 13;
// Modules asked for their presence at start-up, so that they show up early.
constexpr uint8_t kProbedAtStart[] = {2, 3, 4, 11, 13, 14, 15};
constexpr uint8_t kPresence = 1;

}  // namespace

void TMainForm::CreateLink() {
  registry_ = std::make_unique<TLanDevices>();
  rw_ = std::make_unique<TLanRW>();
  try {
    rw_->SetAdapter(&adapter_);
    rw_->SetLocations(kPersistentLocations);
    rw_->SetClearDirtyAfterWrite(true);
    rw_->SetUserQuestions(dialogs_.get());
    registry_->SetRW(rw_.get());
    registry_->SetUserQuestions(dialogs_.get());
    registry_->SetOnModified([this] {
      unwritten_ = true;
      RestartScan();
    });
    adapter_.SetOnDeviceMessage(
        [this](TAdapter&, const TLanMsg& msg) { registry_->DispatchMessage(msg); });
    adapter_.SetOnDispatchError([this](const QString& text) { ShowStatusText(text, false); });
  } catch (const std::exception&) {
    dialogs_->ShowError(QStringLiteral("Ошибка при UpdateRW"));
  }
  // Each send waits for the adapter's acknowledgement: queued, the probes go out paced by
  // the link timer instead of holding up the window's first appearance.
  for (const uint8_t addr : kProbedAtStart) {
    if (registry_->FindDevice(addr)) adapter_.QueueMsg(kPcAddr, addr, false, true, {}, kPresence);
  }
}

void TMainForm::WireModuleCommands() {
  moduleCommands_ = std::make_unique<TModuleCommands>(
      *registry_, [this](const QString& name) { return Action(name); });
  for (const auto& command : moduleCommands_->Commands()) {
    const TModuleCommandSpec desc = command.Desc;
    connect(command.Action, &QAction::triggered, this, [this, desc] {
      switch (desc.Kind) {
        case TModuleCommandKind::Read:
          ReadModule(desc);
          break;
        case TModuleCommandKind::Write:
          WriteModule(desc);
          break;
        case TModuleCommandKind::Defaults:
          SetDefaultsModule(desc.LanAddr, TMemoryLocations::FromBits(desc.Locations));
          break;
      }
    });
  }
  connect(Action(QStringLiteral("aDef3Sms")), &QAction::triggered, this,
          [this] { SetDefaultsModule(3, {mlExt}); });
  connect(Action(QStringLiteral("aRead")), &QAction::triggered, this, &TMainForm::ReadAll);
  connect(Action(QStringLiteral("aWrite")), &QAction::triggered, this, &TMainForm::WriteAll);
  connect(Action(QStringLiteral("aRefresh")), &QAction::triggered, this, &TMainForm::Refresh);
  connect(Action(QStringLiteral("aSave")), &QAction::triggered, this, &TMainForm::SaveFile);
  connect(Action(QStringLiteral("aLoad")), &QAction::triggered, this, &TMainForm::OpenFile);
}

void TMainForm::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const EAdapter&) {
    // The adapter has journalled the module that did not answer.
  } catch (const std::exception& error) {
    dialogs_->ShowError(QString::fromUtf8(error.what()));
  }
}

bool TMainForm::IsAvailable(uint8_t lanAddr) {
  TLanDevice* device = registry_->FindDevice(lanAddr);
  return device && device->IsPresent() && device->IsAccessible();
}

void TMainForm::RestartScan() {
  scanPending_ = true;
  scanRunning_ = false;
  scanTimer_.start(0);
}

bool TMainForm::ScanStep() {
  if (!scanRunning_) {
    scanIndex_ = 0;
    scanRunning_ = true;
    canWrite_ = false;
  }
  if (scanIndex_ >= registry_->Count()) {
    scanRunning_ = false;
    return true;
  }
  UpdateAvailability(scanIndex_++);
  return false;
}

void TMainForm::UpdateAvailability(int deviceIndex) {
  TLanDevice& device = registry_->Items(deviceIndex);
  const uint8_t addr = device.LanAddr();
  const bool available = !adapter_.IsUnavailable() && IsAvailable(addr);
  canWrite_ = moduleCommands_->Apply(addr, available) || canWrite_;
  if (available) {
    if (presentModules_.insert(addr).second) newlyPresent_.insert(addr);
  } else {
    presentModules_.erase(addr);
  }
  if (addr == kRelayModuleAddr) relayPresent_ = available;
}

void TMainForm::RescanModules() {
  ShowStatusText(QStringLiteral("Обновление списка устройств"), true);
  newlyPresent_.clear();
  presentModules_.clear();
  canWrite_ = false;
  for (int i = 0; i < registry_->Count(); ++i) UpdateAvailability(i);
  ShowStatusText({}, true);
}

void TMainForm::ApplyPageEnabling(TVDFrame& page) {
  std::map<uint8_t, bool> availability;
  std::set<TDeviceMemoryItem*> requested;
  for (IBoundControl* control : page.BoundControls()) {
    auto* mem = dynamic_cast<TDeviceMemoryItem*>(control->GetMem());
    if (!mem || !mem->Device()) continue;
    const uint8_t addr = mem->Device()->LanAddr();
    const auto known = availability.find(addr);
    const bool available =
        known != availability.end() ? known->second : (availability[addr] = IsAvailable(addr));
    const TMemoryLocation location = mem->MemID();

    if (!mem->IsLoaded() && !demoMode_ && kPersistentLocations.Contains(location)) {
      for (QAction* read : moduleCommands_->ReadCommandsFor(addr, location)) read->trigger();
    }
    // Live values are asked for once per area, however many controls show them.
    if (auto* live = dynamic_cast<TMsgMemoryItem*>(mem); live && requested.insert(mem).second) {
      if (available) {
        live->RequestUpdate();
      } else {
        live->ClearAll();
      }
    }

    const bool enabled = (available || demoMode_) && (!control->IsReadOnly() || demoMode_);
    auto* object = dynamic_cast<QObject*>(control);
    if (auto* data = qobject_cast<TVDData*>(object)) {
      if (QWidget* shown = data->Control()) shown->setEnabled(enabled);
      if (data->OnSetEnableEvent) data->OnSetEnableEvent(*data, enabled);
    } else if (auto* widget = qobject_cast<QWidget*>(object)) {
      widget->setEnabled(enabled);
      if (QWidget* panel = widget->parentWidget()) panel->setEnabled(available || demoMode_);
    }
  }
}

void TMainForm::WatchMainModule() {
  TLanDevice* main = registry_->FindDevice(kMainModuleAddr);
  const bool present = main && !adapter_.IsUnavailable() && main->IsPresent();
  if (mainSeen_ && !present) emit MainModuleLost();
  mainSeen_ = present;
}
