// The main window's link to the modules: the registry and the bus channel, the per-module
// commands, the idle-time scan of module availability and the enabling of a shown page.
#include <QAction>
#include <algorithm>
#include <exception>

#include "binding/ui/page_registry.h"
#include "link/adapter.h"
#include "link/bus_worker.h"
#include "memory/bound_cell.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/msg_memory_item.h"
#include "memory/presence_replies.h"
#include "shell/live_status.h"
#include "shell/main_form.h"
#include "shell/module_availability.h"
#include "shell/progress_form.h"

namespace {

// Modules asked for their presence at start-up, so that they show up early.
constexpr uint8_t kProbedAtStart[] = {2, 3, 4, 11, 13, 14, 15};
constexpr uint8_t kPresence = 1;

}  // namespace

void TMainForm::CreateLink() {
  registry_ = std::make_unique<TLanDevices>();
  rw_ = std::make_unique<TLanRW>();
  worker_ = std::make_unique<TBusWorker>(adapter_);
  adapter_.SetAnswerWait(
      [registry = registry_.get()](uint8_t dest) { return registry->AnswerWait(dest); });
  try {
    rw_->SetAdapter(&adapter_);
    rw_->SetLocations(kPersistentLocations);
    rw_->SetClearDirtyAfterWrite(true);
    registry_->SetRW(rw_.get());
    registry_->SetOnModified([this] {
      data_->MarkUnwritten();
      RestartScan();
    });
    adapter_.SetOnDeviceMessage([this](TAdapter&, const TLanMsg& msg) {
      liveStatus_->Handle(msg);
      // A copy: a watcher may add another while it handles the message.
      const auto watchers = watchers_;
      for (const auto& [watcher, onMessage] : watchers) {
        if (watcher) onMessage(msg);
      }
      data_->SendOnBus(PresenceReplies(msg));
      registry_->DispatchMessage(msg);
    });
    adapter_.SetOnDispatchError([this](const QString& text) { ShowStatusText(text, false); });
  } catch (const std::exception&) {
    dialogs_->ShowError(QStringLiteral("Ошибка при UpdateRW"));
  }
  // Queued, the probes go out paced by the link timer, after nothing more urgent.
  for (const uint8_t addr : kProbedAtStart) {
    if (registry_->FindDevice(addr)) adapter_.QueueMsg(kPcAddr, addr, false, true, {}, kPresence);
  }
}

void TMainForm::WireModuleCommands() {
  for (const auto& command : moduleCommands_->Commands()) {
    const TModuleCommandSpec desc = command.Desc;
    connect(command.Action, &QAction::triggered, this, [this, desc] {
      switch (desc.Kind) {
        case TModuleCommandKind::Read:
          data_->ReadModule(desc);
          break;
        case TModuleCommandKind::Write:
          data_->WriteModule(desc);
          break;
        case TModuleCommandKind::Defaults:
          data_->SetDefaultsModule(desc.LanAddr, TMemoryLocations::FromBits(desc.Locations));
          break;
      }
    });
  }
  connect(Action(QStringLiteral("aDef3Sms")), &QAction::triggered, this,
          [this] { data_->SetDefaultsModule(3, {mlExt}); });
  connect(Action(QStringLiteral("aRead")), &QAction::triggered, data_, &TDataCommands::ReadAll);
  connect(Action(QStringLiteral("aWrite")), &QAction::triggered, data_, &TDataCommands::WriteAll);
  connect(Action(QStringLiteral("aRefresh")), &QAction::triggered, data_, &TDataCommands::Refresh);
  connect(Action(QStringLiteral("aSave")), &QAction::triggered, data_, &TDataCommands::SaveFile);
  connect(Action(QStringLiteral("aLoad")), &QAction::triggered, data_, &TDataCommands::OpenFile);
  connect(Action(QStringLiteral("aCompare")), &QAction::triggered, this,
          [this] { data_->CompareWithFile(PageTables()); });
  connect(Action(QStringLiteral("aChanges")), &QAction::triggered, this, &TMainForm::ShowChanges);
  connect(progress_, &TProgress::CancelRequested, data_, &TDataCommands::CancelTransfers);
  data_->WireLiveCommands([this](const QString& name) { return Action(name); });
}

bool TMainForm::IsAvailable(uint8_t lanAddr) const {
  return availability_->IsAvailable(lanAddr);
}

bool TMainForm::ScanPending() const {
  return availability_->ScanPending();
}

void TMainForm::RestartScan() {
  availability_->RestartScan();
}

const std::set<uint8_t>& TMainForm::PresentModules() const {
  return availability_->PresentModules();
}

bool TMainForm::RelayModulePresent() const {
  return availability_->RelayModulePresent();
}

bool TMainForm::BusIdle() const {
  return worker_->Idle();
}
