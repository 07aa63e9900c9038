#include "memory/lan_devices.h"

#include "link/adapter.h"
#include "link/bus_worker.h"
#include "memory/bound_cell.h"
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

using namespace std::chrono_literals;

constexpr uint8_t kGsmAddr = 3;
// GSM firmware from this major version on answers slowly.
constexpr int kSlowGsmMajor = 30;
constexpr auto kSlowGsmAnswerWait = 800ms;

// Puts the questions of a transfer to the user on the owner's thread.
class TOwnerQuestions : public IUserQuestions {
 public:
  TOwnerQuestions(IUserQuestions* questions, const ITransferContext& context)
      : questions_(questions), context_(context) {}
  TUserAnswer AskStep(const QString& text) override {
    TUserAnswer answer = TUserAnswer::Cancel;
    if (questions_) context_.OnOwner([&] { answer = questions_->AskStep(text); });
    return answer;
  }
  void ShowError(const QString& text) override {
    if (questions_) context_.OnOwner([&] { questions_->ShowError(text); });
  }

 private:
  IUserQuestions* questions_;
  const ITransferContext& context_;
};

std::chrono::milliseconds SteadyNow() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace

// Keeps the caller's progress handler installed for one transfer, also when it fails. The
// handler belongs to the owner's thread, where the areas report.
class TLanDevices::TProgressScope {
 public:
  TProgressScope(TLanDevices& owner, const TProgress& progress,
                 const ITransferContext& context = InlineTransfer())
      : owner_(owner), context_(context) {
    context.OnOwner([&] { owner.onProgress_ = progress; });
  }
  TProgressScope(const TProgressScope&) = delete;
  TProgressScope& operator=(const TProgressScope&) = delete;
  ~TProgressScope() {
    try {
      context_.OnOwner([this] { owner_.onProgress_ = nullptr; });
    } catch (const EBusAbandoned&) {
      // The owner is closing: nothing will report any more.
    }
  }

 private:
  TLanDevices& owner_;
  const ITransferContext& context_;
};

// Makes the bus channel stop when the context is cancelled and ask its questions on the
// owner's thread, for one transfer.
class TLanDevices::TChannelSetup {
 public:
  TChannelSetup(TLanRW& rw, IUserQuestions* questions, const ITransferContext& context)
      : rw_(rw), saved_(rw.UserQuestions()), questions_(questions, context) {
    rw.SetUserQuestions(&questions_);
    rw.SetCancelCheck([&context] { return context.Cancelled(); });
  }
  TChannelSetup(const TChannelSetup&) = delete;
  TChannelSetup& operator=(const TChannelSetup&) = delete;
  ~TChannelSetup() {
    // The repeats of the transfer's last error go where the error went.
    rw_.FlushRepeatedErrors();
    rw_.SetUserQuestions(saved_);
    rw_.SetCancelCheck(nullptr);
  }
  IUserQuestions& Questions() { return questions_; }

 private:
  TLanRW& rw_;
  IUserQuestions* saved_;
  TOwnerQuestions questions_;
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
      if (status) status(prefix + area->Device()->Title());
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

std::chrono::milliseconds TLanDevices::AnswerWait(uint8_t dest) const {
  return dest == kGsmAddr && gsmFirmwareMajor_ >= kSlowGsmMajor ? kSlowGsmAnswerWait
                                                                : TAdapter::kAnswerWait;
}

bool TLanDevices::CanTransfer(TLanDevice* device, const ITransferContext& context) const {
  return rw_ && rw_->Adapter() && device && device->IsPresent(context);
}

TLanDevices::TStep TLanDevices::AskAfterFailure(const TDeviceMemoryItem& area,
                                                const QString& prefix, const QString& question,
                                                TStep onYes, const ITransferContext& context) {
  // A refused store says what the user must change before the area can be written.
  QString reason;
  try {
    throw;
  } catch (const EStoreRefused& refused) {
    reason = QString::fromUtf8(refused.what()) + QStringLiteral("\r\n");
  } catch (...) {
    // A packet that failed on the bus says why: the user acts on the cause.
    if (const TFaultCause cause = rw_ ? rw_->FaultOf(area) : TFaultCause::None;
        cause != TFaultCause::None) {
      reason = FaultExplanation(cause) + QStringLiteral("\r\n");
    }
  }
  const QString text =
      prefix + u'"' + area.GetTitle() + u'"' + QStringLiteral("\r\n") + reason + question;
  TOwnerQuestions questions(questions_, context);
  if (questions.AskStep(text) == TUserAnswer::Yes) return onYes;
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

void TLanDevices::ReadAll(const TProgress& progress, const ITransferContext& context) {
  for (const auto& device : devices_) {
    if (context.Cancelled()) return;
    ReadDevice(device.get(), kPersistentLocations, progress, context);
  }
}

void TLanDevices::WriteAll(const TProgress& progress, const ITransferContext& context) {
  for (const auto& device : devices_) {
    if (context.Cancelled()) return;
    WriteDevice(device.get(), kPersistentLocations, progress, context);
  }
}

void TLanDevices::ReadDevice(TLanDevice* device, TMemoryLocations locations,
                             const TProgress& progress, const ITransferContext& context) {
  if (!CanTransfer(device, context)) return;
  const TProgressScope scope(*this, progress, context);
  const TChannelSetup channel(*rw_, questions_, context);
  for (const TMemoryLocation loc : {mlInt, mlExt, mlRam, mlFlash}) {
    if (!locations.Contains(loc)) continue;
    TRAMMemoryItem* area = nullptr;
    context.OnOwner([&] {
      ApplyMainReadSizes(*device, loc);
      area = dynamic_cast<TRAMMemoryItem*>(device->FindItem(loc));
    });
    if (!area) continue;
    for (TStep step = TStep::Retry; step == TStep::Retry;) {
      if (context.Cancelled()) return;
      try {
        area->Load(*rw_, context);
        step = TStep::Next;
      } catch (const EBusAbandoned&) {
        throw;
      } catch (...) {
        step = AskAfterFailure(*area, QStringLiteral("Ошибка при чтении: "),
                               QStringLiteral(" Повторить чтение?"), TStep::Retry, context);
      }
    }
  }
}

void TLanDevices::WriteDevice(TLanDevice* device, TMemoryLocations locations,
                              const TProgress& progress, const ITransferContext& context) {
  if (!CanTransfer(device, context)) return;
  rw_->SetDevice(device);
  const TProgressScope scope(*this, progress, context);
  const TChannelSetup channel(*rw_, questions_, context);
  bool written = false;
  for (const TMemoryLocation loc : {mlInt, mlExt, mlRam, mlFlash, mlMsg}) {
    if (!locations.Contains(loc)) continue;
    if (context.Cancelled()) break;
    TEEMemoryItem* area = nullptr;
    context.OnOwner([&] {
      ApplyMainWriteSizes(*device, loc);
      area = dynamic_cast<TEEMemoryItem*>(device->FindItem(loc));
    });
    if (!area) continue;
    try {
      written = area->Store(*rw_, context) || written;
      ReportWriteMismatch(*area, context);
    } catch (const EBusAbandoned&) {
      throw;
    } catch (...) {
      AskAfterFailure(*area, QStringLiteral("Элемент недоступен: "),
                      QStringLiteral(" Продолжить запись?"), TStep::Next, context);
    }
  }
  // What reached the module is confirmed: it still gets its end-of-write notice.
  if (written) rw_->Finish();
}

void TLanDevices::ReportWriteMismatch(const TDeviceMemoryItem& area,
                                      const ITransferContext& context) {
  QString text;
  context.OnOwner([&] {
    if (const auto addr = area.WriteMismatch()) {
      text = QStringLiteral(
                 "Ошибка проверки записи: \"%1\"\nДанные, прочитанные из устройства, "
                 "отличаются от записанных, начиная с адреса %2 (0x%3)")
                 .arg(area.GetTitle())
                 .arg(*addr)
                 .arg(*addr, 0, 16);
    }
  });
  if (!text.isEmpty()) TOwnerQuestions(questions_, context).ShowError(text);
}

void TLanDevices::RefreshArea(TRAMMemoryItem& area, const ITransferContext& context) {
  if (!rw_ || !rw_->Adapter()) return;
  const TChannelSetup channel(*rw_, nullptr, context);
  area.TRAMMemoryItem::Load(*rw_, context);
}

void TLanDevices::SetDefaultsDevice(TLanDevice* device, TMemoryLocations locations,
                                    const TProgress& progress, const ITransferContext& context) {
  if (!CanTransfer(device, context)) return;
  context.OnOwner([&] {
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
                        QStringLiteral(" Продолжить чтение?"), TStep::Next, InlineTransfer());
      }
    }
  });
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
                        QStringLiteral(" Продолжить сохранение?"), TStep::Next, InlineTransfer());
      }
    }
  }
  file.Commit();
}

void TLanDevices::LoadFromFile(std::span<TDeviceMemoryItem* const> areas, TFileRW& file,
                               const TProgress& progress) {
  if (!file.IsCompatible()) throw ELanDev(file.RefusalText());
  if (!rw_ || !rw_->Adapter()) return;
  file.SetAllDevices(false);
  const TProgressScope scope(*this, progress);
  for (TDeviceMemoryItem* area : areas) {
    // Only settings are ever saved; live areas take nothing from a file.
    auto* settings = dynamic_cast<TEEMemoryItem*>(area);
    if (!settings || !kPersistentLocations.Contains(settings->MemID())) continue;
    try {
      file.SetDevice(settings->Device());
      // Bytes the file does not hold keep their value and their mark: a damaged or partial
      // file must not put zeros into the module.
      std::vector<std::pair<int, bool>> kept;
      for (const auto& gap : file.MissingFromWhole(*settings)) {
        for (int i = gap.Offset; i < gap.Offset + gap.Count; ++i) {
          kept.emplace_back(i, settings->IsChanged(i));
        }
      }
      settings->Load(file);
      for (const auto& [index, changed] : kept) settings->MarkChanged(index, 1, changed);
      // An area the file holds nothing of that it needs has nothing to write.
      settings->SetModified(settings->IsModified());
    } catch (...) {
      AskAfterFailure(*settings, QStringLiteral("Элемент недоступен: "),
                      QStringLiteral(" Продолжить чтение?"), TStep::Next, InlineTransfer());
    }
  }
}

const ITransferContext& InlineTransfer() {
  static const TInlineTransfer inlineTransfer;
  return inlineTransfer;
}
