#include "shell/data_commands.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <algorithm>

#include "binding/config_diff.h"
#include "binding/ui/vd_frame.h"
#include "link/adapter.h"
#include "link/bus_worker.h"
#include "memory/bound_cell.h"
#include "memory/file_rw.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/worker_transfer.h"
#include "shell/defaults_report.h"
#include "shell/module_availability.h"
#include "shell/module_commands.h"
#include "shell/options_data.h"
#include "shell/page_area.h"
#include "shell/shell_dialogs.h"
#include "shell/write_report.h"

namespace {

// An area a file can hold and compare: saved settings the program knows something of. An
// area no page binds is never read and is neither offered nor counted as missing from a file.
bool HoldsSettings(const TDeviceMemoryItem& area) {
  return kPersistentLocations.Contains(area.MemID()) && area.IsLoaded() && area.Size() > 0 &&
         area.HasKnownBytes();
}

// Cells of the security settings that the live status follows.
constexpr int kAntiHijackAddr = 195;
constexpr int kAntiHijackBit = 1;
constexpr int kRepeatAuthorisationAddr = 192;
constexpr int kRepeatAuthorisationBit = 6;
// The self-arming choice: two bits from bit 6; 3 arms by the tag.
constexpr int kSelfArmAddr = 193;
constexpr int kSelfArmBit = 6;
constexpr int kSelfArmByTag = 3;
constexpr uint8_t kModeCommand = 7;

// Shows the busy state for the length of a command, whatever leaves it.
class TBusyScope {
 public:
  explicit TBusyScope(IDataCommandsWindow& host) : host_(host) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    host_.BeginBusy();
  }
  ~TBusyScope() {
    host_.EndBusy();
    QApplication::restoreOverrideCursor();
  }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  IDataCommandsWindow& host_;
};

}  // namespace

TDataCommands::TDataCommands(TParts parts, IDataCommandsWindow& window, QObject* parent)
    : QObject(parent),
      adapter_(parts.Adapter),
      registry_(parts.Registry),
      worker_(parts.Worker),
      availability_(parts.Availability),
      commands_(parts.Commands),
      pages_(parts.Pages),
      dialogs_(parts.Dialogs),
      options_(parts.Options),
      window_(window),
      transferQuestions_(parts.Dialogs) {}

void TDataCommands::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const EAdapter&) {
    // The adapter has journalled the module that did not answer.
  } catch (const std::exception& error) {
    dialogs_.ShowError(QString::fromUtf8(error.what()));
  }
}

void TDataCommands::RunTransfer(std::function<void(const ITransferContext&)> transfer,
                                std::function<void()> then) {
  window_.BeginBusy();
  transferQuestions_.Begin();
  auto token = std::make_shared<TCancelToken>();
  transfers_.push_back(token);
  auto context = std::make_shared<TWorkerTransfer>(worker_, token);
  auto error = std::make_shared<std::exception_ptr>();
  worker_.Submit(
      [this, context, error, transfer = std::move(transfer)](TAdapter&) {
        if (TLanRW* rw = registry_.RW()) rw->BeginOperation();
        try {
          transfer(*context);
        } catch (const EBusAbandoned&) {
          throw;
        } catch (...) {
          *error = std::current_exception();
        }
      },
      [this, token, error, then = std::move(then)] {
        std::erase(transfers_, token);
        window_.EndBusy();
        // The user abandoned the command when asked about its failed area; that question
        // named the area and the cause already.
        if (*error && transferQuestions_.Asked()) return;
        RunCommand([&] {
          if (*error) std::rethrow_exception(*error);
          if (then) then();
        });
      });
}

void TDataCommands::CancelTransfers() {
  for (const auto& token : transfers_) token->Cancel();
}

void TDataCommands::ReadAll() {
  RunTransfer([this](const ITransferContext& context) { registry_.ReadAll(Progress(), context); },
              [this] {
                availability_.RestartScan();
                TellReadFaults();
              });
}

void TDataCommands::ReadModule(const TModuleCommandSpec& desc) {
  RunTransfer(
      [this, desc](const ITransferContext& context) {
        registry_.ReadDevice(registry_.FindDevice(desc.LanAddr),
                             TMemoryLocations::FromBits(desc.Locations), Progress(), context);
      },
      [this, desc] {
        availability_.RestartScan();
        TellReadFaults(&desc);
        PostReadChecks(true);
      });
}

void TDataCommands::WriteAll() {
  if (!window_.ConfirmWriteAll()) return;
  VerifyWritesAsOptionsSay();
  std::vector<TLanDevice*> devices;
  for (int i = 0; i < registry_.Count(); ++i) devices.push_back(&registry_.Items(i));
  auto report = StartWriteReport(devices, kPersistentLocations);
  RunTransfer([this](const ITransferContext& context) { registry_.WriteAll(Progress(), context); },
              [this, report] {
                RecountUnwritten();
                PostReadChecks(true);
                TellWriteReport(*report);
              });
}

void TDataCommands::WriteModule(const TModuleCommandSpec& desc) {
  VerifyWritesAsOptionsSay();
  TLanDevice* device = registry_.FindDevice(desc.LanAddr);
  if (!device) return;
  auto report = StartWriteReport({device}, TMemoryLocations::FromBits(desc.Locations));
  RunTransfer(
      [this, desc](const ITransferContext& context) {
        registry_.WriteDevice(registry_.FindDevice(desc.LanAddr),
                              TMemoryLocations::FromBits(desc.Locations), Progress(), context);
      },
      [this, report] {
        RecountUnwritten();
        TellWriteReport(*report);
      });
}

std::shared_ptr<TWriteReport> TDataCommands::StartWriteReport(
    const std::vector<TLanDevice*>& devices, TMemoryLocations locations) {
  return std::make_shared<TWriteReport>(
      devices, locations, options_.VerifyWrites, [this](const TLanDevice& device) {
        return window_.DemoMode() || availability_.IsAvailable(device.LanAddr());
      });
}

TFaultCause TDataCommands::CauseOf(const TDeviceMemoryItem& area) const {
  if (const TLanRW* rw = registry_.RW()) {
    if (const TFaultCause cause = rw->FaultOf(area); cause != TFaultCause::None) return cause;
  }
  if (adapter_.IsUnavailable()) return TFaultCause::AdapterMissing;
  const TLanDevice* device = area.Device();
  if (!device || window_.DemoMode()) return TFaultCause::None;
  if (!device->Present()) return TFaultCause::NoAnswer;
  if (!device->AccessOK()) return TFaultCause::AccessRefused;
  return TFaultCause::None;
}

void TDataCommands::TellReadFaults(const TModuleCommandSpec* asked) {
  const TLanRW* rw = registry_.RW();
  if (!rw || transferQuestions_.Asked()) return;
  std::vector<TAreaFault> faults;
  for (int i = 0; i < registry_.Count(); ++i) {
    for (const auto& area : registry_.Items(i).Items()) {
      if (const TFaultCause cause = rw->FaultOf(*area); cause != TFaultCause::None) {
        faults.push_back({area.get(), cause});
      }
    }
  }
  // The module the command named was skipped without a packet: gone, silent or refusing.
  const TLanDevice* device = asked ? registry_.FindDevice(asked->LanAddr) : nullptr;
  if (faults.empty() && device) {
    const auto locations = TMemoryLocations::FromBits(asked->Locations);
    for (const auto& area : device->Items()) {
      if (!locations.Contains(area->MemID()) || area->Size() <= 0 || area->IsLoaded()) continue;
      if (const TFaultCause cause = CauseOf(*area); cause != TFaultCause::None) {
        faults.push_back({area.get(), cause});
      }
    }
  }
  if (faults.empty()) return;
  window_.ShowStatusText(QStringLiteral("Чтение не завершено"), true);
  dialogs_.ShowError(OperationFaultText(QStringLiteral("Чтение не завершено."), faults));
}

void TDataCommands::TellWriteReport(TWriteReport& report) {
  report.Finish([this](const TDeviceMemoryItem& area) { return CauseOf(area); });
  window_.ShowStatusText(report.StatusText(), true);
  if (report.Failed()) dialogs_.ShowError(report.Details());
}

void TDataCommands::SetDefaultsModule(uint8_t lanAddr, TMemoryLocations locations) {
  const TLanDevice* device = registry_.FindDevice(lanAddr);
  if (!device) return;
  auto report = std::make_shared<TDefaultsReport>(*device, locations);
  if (!dialogs_.Confirm(QStringLiteral("Очистить"), report->Question())) return;
  pages_.BuildPagesOf(lanAddr);
  RunTransfer(
      [this, lanAddr, locations](const ITransferContext& context) {
        registry_.SetDefaultsDevice(registry_.FindDevice(lanAddr), locations, Progress(), context);
      },
      [this, report] {
        report->Finish();
        window_.ShowStatusText(report->StatusText(), true);
        dialogs_.Inform(report->Summary());
      });
}

void TDataCommands::VerifyWritesAsOptionsSay() {
  if (TLanRW* rw = registry_.RW()) rw->SetVerifyWrites(options_.VerifyWrites);
}

void TDataCommands::RecountUnwritten() {
  unwritten_ = commands_.RecountUnwritten();
}

void TDataCommands::PostReadChecks(bool askStatus) {
  TDeviceMemoryItem* settings = registry_.FindMem(kMainModuleAddr, mlExt);
  if (!settings || !settings->IsLoaded()) return;
  const auto bit = [settings](int addr, int bit) {
    return addr < settings->Size() && (settings->Image()[static_cast<size_t>(addr)] >> bit) & 1;
  };
  const bool antiHijack = bit(kAntiHijackAddr, kAntiHijackBit);
  const bool repeatAuthorisation = bit(kRepeatAuthorisationAddr, kRepeatAuthorisationBit);
  const bool selfArmByTag =
      (bit(kSelfArmAddr, kSelfArmBit) ? 1 : 0) + (bit(kSelfArmAddr, kSelfArmBit + 1) ? 2 : 0) ==
      kSelfArmByTag;
  emit SettingsRead(antiHijack, repeatAuthorisation, selfArmByTag);
  // Their indicators need the main module's mode to be drawn.
  if (askStatus && (antiHijack || repeatAuthorisation)) {
    SendOnBus({MakeMsg(kPcAddr, kMainModuleAddr, false, true, {}, kModeCommand)});
  }
}

std::function<void(const QString&, int, int)> TDataCommands::Progress() {
  return [this](const QString& text, int done, int total) {
    window_.ReportProgress(text, total, done);
  };
}

void TDataCommands::ConnectAndRescan(std::function<void()> then) {
  const auto rescan = [this, then = std::move(then)] {
    if (adapter_.IsUnavailable() || !pages_.CurrentPage()) return;
    window_.ShowStatusText(QStringLiteral("Обновление списка устройств"), true);
    availability_.Rescan([this, then] {
      window_.ShowStatusText({}, true);
      then();
    });
  };
  if (!adapter_.IsUnavailable()) {
    rescan();
    return;
  }
  worker_.Submit([](TAdapter& adapter) { adapter.Reconnect(); }, rescan);
}

void TDataCommands::ForgetNewlyPresent() {
  // A module that has just come back may hold other settings than its images.
  for (const uint8_t addr : availability_.TakeNewlyPresent()) {
    if (TLanDevice* device = registry_.FindDevice(addr)) device->MarkNotLoaded();
  }
}

void TDataCommands::ShowLastHistoryPage() {
  if (pages_.History().Entries().empty()) return;
  pages_.History().StepBackForReshow();
  const auto& last = pages_.History().Entries().back();
  window_.ShowPage(QStringLiteral("a") + last.Page, false, last.Category);
}

void TDataCommands::Refresh() {
  RunCommand([this] {
    if (!pages_.CurrentPage()) return;
    if (options_.DataLostNotification) {
      bool changed = false;
      for (IBoundControl* control : pages_.CurrentPage()->BoundControls()) {
        auto* mem = dynamic_cast<TDeviceMemoryItem*>(control->GetMem());
        changed =
            changed || (mem && kPersistentLocations.Contains(mem->MemID()) && mem->IsModified());
      }
      if (changed && !dialogs_.Confirm(QStringLiteral("Изменения настроек будут потеряны."),
                                       QStringLiteral("Продолжить обновление данных?"))) {
        return;
      }
    }
    ConnectAndRescan([this] {
      ForgetNewlyPresent();
      for (const uint8_t addr : availability_.PresentModules()) {
        TLanDevice* device = registry_.FindDevice(addr);
        if (!device) continue;
        for (const auto& area : device->Items()) {
          if (!kPersistentLocations.Contains(area->MemID())) continue;
          area->ClearChangedMarks();
          area->SetLoaded(false);
        }
      }
      RecountUnwritten();
      // Shown again, the page reads what it shows afresh.
      ShowLastHistoryPage();
    });
  });
}

void TDataCommands::Reconnect() {
  if (window_.DemoMode()) return;
  ConnectAndRescan([this] {
    ForgetNewlyPresent();
    ShowLastHistoryPage();
    PostReadChecks(false);
  });
}

void TDataCommands::SaveFile() {
  RunCommand([this] {
    if (!pages_.CurrentPage() || pages_.CurrentPage()->LanAddr() == 0) return;
    if (!adapter_.IsUnavailable() && availability_.CanWrite() && unwritten_ &&
        dialogs_.AskYesNoCancel(QStringLiteral("Изменения настроек будут потеряны.\n"
                                               " Продолжить обновление данных?")) !=
            TUserAnswer::Yes) {
      return;
    }
    const QString fileName = dialogs_.SaveFileName(options_.LastDir);
    if (fileName.isEmpty()) return;

    // Offline editing saves whatever was opened or read, present or not.
    std::vector<TSelectDevice::TLine> lines;
    std::vector<TDeviceMemoryItem*> offered;
    for (int i = 0; i < registry_.Count(); ++i) {
      TLanDevice& device = registry_.Items(i);
      if (!window_.DemoMode() && !availability_.IsAvailable(device.LanAddr())) continue;
      std::vector<TDeviceMemoryItem*> areas;
      for (const auto& area : device.Items()) {
        if (HoldsSettings(*area)) {
          areas.push_back(area.get());
        }
      }
      std::stable_sort(areas.begin(), areas.end(),
                       [](auto* a, auto* b) { return a->MemID() < b->MemID(); });
      for (TDeviceMemoryItem* area : areas) {
        lines.push_back({device.Title(), area->Name(), true});
        offered.push_back(area);
      }
    }
    const auto chosen = dialogs_.SelectAreas(lines, {});
    if (!chosen || chosen->empty()) return;
    const auto areas = MatchLines(*chosen, offered);

    TBusyScope busy(window_);
    TFileRW file(fileName, true, &dialogs_);
    options_.LastDir = QFileInfo(fileName).absolutePath();
    registry_.SaveToFile(areas, file, Progress());
  });
}

void TDataCommands::OpenFile() {
  RunCommand([this] {
    const QString fileName = dialogs_.OpenFileName(options_.LastDir);
    if (fileName.isEmpty()) return;
    TFileRW file(fileName, false, &dialogs_);
    fileCompatible_ = file.IsCompatible();
    if (!fileCompatible_) return;

    const std::vector<TDeviceMemoryItem*> offered = AreasInFile(file, registry_);
    std::vector<TSelectDevice::TLine> lines;
    for (TDeviceMemoryItem* area : offered) {
      const bool allowed =
          window_.DemoMode() || availability_.IsAvailable(area->Device()->LanAddr());
      lines.push_back({area->Device()->Title(), area->Name(), allowed});
    }
    const auto chosen = dialogs_.SelectAreas(lines, QFileInfo(fileName).fileName());
    if (!chosen || chosen->empty()) return;
    const auto areas = MatchLines(*chosen, offered);

    options_.LastDir = QFileInfo(fileName).absolutePath();
    {
      TBusyScope busy(window_);
      registry_.LoadFromFile(areas, file, Progress());
    }
    // What loaded stays loaded, and only what the file holds was loaded: bytes it lacks keep
    // their values. The user hears what the file lacks or holds that names nothing.
    const std::vector<TChunkDamage> damage = LoadDamage(file, registry_, areas, ControlRuns);
    if (!damage.empty()) dialogs_.ShowError(DamageReport(QFileInfo(fileName).fileName(), damage));
  });
}

void TDataCommands::CompareWithFile(const std::vector<const TPageTable*>& tables) {
  RunCommand([&] {
    const QString fileName = dialogs_.OpenFileName(options_.LastDir);
    if (fileName.isEmpty()) return;
    TFileRW file(fileName, false, &dialogs_);
    if (!file.IsCompatible()) return;
    options_.LastDir = QFileInfo(fileName).absolutePath();

    const TConfigComparison comparison(tables);
    std::vector<TAreaImage> held;
    for (int i = 0; i < registry_.Count(); ++i) {
      for (const auto& area : registry_.Items(i).Items()) {
        if (HoldsSettings(*area)) {
          area->TakeControlValues();
          held.push_back(TConfigComparison::FromArea(*area));
        }
      }
    }
    std::vector<TAreaImage> saved;
    for (TDeviceMemoryItem* area : AreasInFile(file, registry_)) {
      saved.push_back(comparison.FromFile(file, *area));
    }
    window_.ShowComparison(comparison.Compare(held, saved), QFileInfo(fileName).fileName());
  });
}

std::vector<TDeviceMemoryItem*> TDataCommands::MatchLines(
    const std::vector<TSelectDevice::TLine>& lines, const std::vector<TDeviceMemoryItem*>& areas) {
  std::vector<TDeviceMemoryItem*> matched;
  for (const auto& line : lines) {
    for (TDeviceMemoryItem* area : areas) {
      if (area->Device()->Title() == line.Module && area->Name() == line.Area) {
        matched.push_back(area);
        break;
      }
    }
  }
  return matched;
}

void TDataCommands::SendToMainModule(uint8_t command, std::initializer_list<uint8_t> data) {
  if (!availability_.IsAvailable(kMainModuleAddr)) return;
  SendOnBus({MakeMsg(kPcAddr, kMainModuleAddr, false, false, std::vector<uint8_t>(data), command)});
}

void TDataCommands::WireLiveCommands(const std::function<QAction*(const QString&)>& action) {
  constexpr uint8_t kMeasure = 114;
  constexpr uint8_t kRestart = 0;
  constexpr uint8_t kLearning = 57;
  connect(action(QStringLiteral("aMeasureTaho")), &QAction::triggered, this,
          [this] { SendToMainModule(kMeasure, {0}); });
  connect(action(QStringLiteral("aMeasureSpeed")), &QAction::triggered, this,
          [this] { SendToMainModule(kMeasure, {1}); });
  connect(action(QStringLiteral("aLearnWL")), &QAction::triggered, this,
          [this] { SendToMainModule(kMeasure, {2}); });
  connect(action(QStringLiteral("ResetSystem")), &QAction::triggered, this, [this] {
    if (dialogs_.Confirm(QStringLiteral("Внимание, перезагрузка системы!!!"),
                         QStringLiteral("Понадобится повторный вход в программирование!!!"))) {
      SendToMainModule(kRestart, {0x80});
    }
  });
  for (const char* name : {"aLabelAndTxStartLearn", "aLabelAndTxEndLearn"}) {
    connect(action(QLatin1String(name)), &QAction::triggered, this,
            [this] { SendToMainModule(kLearning, {}); });
  }
  connect(action(QStringLiteral("mmExitProgramming")), &QAction::triggered, this,
          &TDataCommands::ExitProgramming);
}

void TDataCommands::ExitProgramming() {
  constexpr uint8_t kProgrammingMenu = 8;
  constexpr uint8_t kDebugRequest = 122;
  worker_.Submit(
      [](TAdapter& adapter) {
        // Sent in the main module's name, so that every module leaves programming with it.
        const uint8_t leave[] = {0};
        adapter.SendMsg(kMainModuleAddr, kBroadcastAddr, false, false, leave, kProgrammingMenu);
        const uint8_t request[] = {19, 61, 0, 64};
        adapter.GetAnswer(kPcAddr, kMainModuleAddr, request, kDebugRequest);
      },
      [this] {
        if (const auto* entry = pages_.History().Current()) {
          window_.ShowPage(QStringLiteral("a") + entry->Page, true, entry->Category);
        }
      });
}

void TDataCommands::SendOnBus(std::vector<TLanMsg> messages) {
  if (messages.empty()) return;
  worker_.Submit([messages = std::move(messages)](TAdapter& adapter) {
    for (const TLanMsg& msg : messages) adapter.SendMsg(msg);
  });
}
