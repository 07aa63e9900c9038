#include "soak/fault_soak.h"

#include <QCoreApplication>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "binding/headless_binder.h"
#include "link/adapter.h"
#include "memory/ee_memory_item.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/user_questions.h"
#include "sim/sim_port.h"
#include "sim/virtual_adapter.h"

namespace {

using namespace std::chrono_literals;
using TSteady = std::chrono::steady_clock;

// A cycle stands for a user's edit, write and read, seconds apart: the registry's presence
// results, which stay fresh for a second, age by this much from one cycle to the next. On the
// wall clock a cycle against an absent module takes microseconds, and the registry would go
// on believing it absent long after it answers again.
constexpr std::chrono::milliseconds kCyclePause = 2s;
// A module that answers again is read again within this many cycles.
constexpr int kCyclesToComeBack = 3;

// The link's journal, reduced to the two errors that show the line failing.
class TCountingJournal : public IAdapterJournal {
 public:
  void AddError(int number, const QString&) override {
    if (number == kErrNoAnswer) ++noAnswer_;
    if (number == kErrBadFormat) ++garbled_;
  }
  void AddMessage(const TLanMsg&) override {}
  int NoAnswer() const { return noAnswer_; }
  int Garbled() const { return garbled_; }

 private:
  int noAnswer_ = 0;
  int garbled_ = 0;
};

// Answers as vardexctl does: a failing step abandons the command; errors are counted.
class TSoakQuestions : public IUserQuestions {
 public:
  TUserAnswer AskStep(const QString&) override { return TUserAnswer::No; }
  void ShowError(const QString&) override { ++errors_; }
  int Errors() const { return errors_; }

 private:
  int errors_ = 0;
};

// Runs a transfer on the calling thread, as vardexctl does, and makes something happen to the
// vehicle at a chosen point of it. A transfer asks whether it is cancelled before every packet,
// so the n-th question comes at about the n-th packet.
class TStrikeContext final : public ITransferContext {
 public:
  void StrikeAt(int question, std::function<void()> strike) {
    at_ = asked_ + question;
    strike_ = std::move(strike);
  }
  // A transfer shorter than planned: the strike comes after it.
  void StrikeNow() const {
    if (strike_) std::exchange(strike_, nullptr)();
  }

  void OnOwner(const std::function<void()>& step) const override { step(); }
  void Report(std::function<void()> step) const override { step(); }
  bool Cancelled() const override {
    if (strike_ && ++asked_ >= at_) StrikeNow();
    return false;
  }

 private:
  mutable int asked_ = 0;
  int at_ = 0;
  mutable std::function<void()> strike_;
};

// Which differing bytes a check puts right after counting them.
enum class THeal { Unmarked, All };

// Puts the module's bytes into the image where a check counted a fault, marked to be written
// (which writes the module's own value back), so that each fault is counted once and not
// again by every later check. Marked bytes are edits still to be written, unless a read
// reported done overwrote them with wrong values.
void Heal(TDeviceMemoryItem& area, std::span<const uint8_t> module, int from, int to, THeal heal) {
  const auto image = area.Image();
  for (int i = from; i < to; ++i) {
    const auto at = static_cast<size_t>(i);
    if (image[at] != module[at] && (heal == THeal::All || !area.IsChanged(i))) {
      area.SetByte(i, module[at]);
    }
  }
}

std::vector<TDeviceMemoryItem*> SettingsAreas(const TLanDevice& device) {
  std::vector<TDeviceMemoryItem*> areas;
  for (const auto& area : device.Items()) {
    if (kPersistentLocations.Contains(area->MemID()) && area->Size() > 0 &&
        dynamic_cast<TEEMemoryItem*>(area.get())) {
      areas.push_back(area.get());
    }
  }
  return areas;
}

// The virtual vehicle without the link model, the link to it and the registry with its bus
// channel, set up as vardexctl sets up its own.
class TSoakRig {
 public:
  TSoakRig() : vehicle_(std::make_shared<TVirtualAdapter>(CleanVehicle())) {
    auto journal = std::make_unique<TCountingJournal>();
    journal_ = journal.get();
    adapter_ = std::make_unique<TAdapter>(
        [vehicle = vehicle_](const QString&) { return std::make_unique<TSimPort>(vehicle); });
    adapter_->SetJournal(std::move(journal));
    adapter_->SetDescription(QStringLiteral("sim"));
    if (!adapter_->IsConnected()) throw std::runtime_error("the virtual adapter does not open");
    rw_.SetAdapter(adapter_.get());
    rw_.SetClearDirtyAfterWrite(true);
    rw_.SetLocations(kPersistentLocations);
    rw_.SetUserQuestions(&questions_);
    devices_.SetRW(&rw_);
    devices_.SetUserQuestions(&questions_);
  }
  TSoakRig(const TSoakRig&) = delete;
  TSoakRig& operator=(const TSoakRig&) = delete;
  ~TSoakRig() { devices_.SetRW(nullptr); }

  TVirtualAdapter& Vehicle() { return *vehicle_; }
  TLanDevices& Devices() { return devices_; }
  // Errors the transfers have shown so far.
  int Errors() const { return questions_.Errors(); }
  const TCountingJournal& Journal() const { return *journal_; }

  std::vector<uint8_t> ModuleMemory(int address, TMemoryLocation location) {
    return vehicle_->WithVehicle(
        [&](TVirtualVehicle& vehicle) { return vehicle.Module(address)->Memory(location); });
  }
  // Runs what the link's threads posted to this thread: the journal entries of bad frames.
  static void Pump() { QCoreApplication::processEvents(); }

 private:
  static TSimOptions CleanVehicle() {
    TSimOptions options;
    options.LinkModel = false;
    return options;
  }

  std::shared_ptr<TVirtualAdapter> vehicle_;
  TCountingJournal* journal_ = nullptr;
  std::unique_ptr<TAdapter> adapter_;
  TSoakQuestions questions_;
  TLanRW rw_;
  TLanDevices devices_;
};

// The cycles on one module: random runs into its settings areas, a write, the checks, a read
// back and its checks.
class TModuleSoak {
 public:
  TModuleSoak(const TSoakOptions& options, int address);
  const QString& Name() const { return device_->Name(); }
  TSoakFigures Run();

 private:
  // A settings area with the control that binds this cycle's run of it for the read back.
  struct TArea {
    TDeviceMemoryItem* Memory = nullptr;
    THeadlessControl* Control = nullptr;
    int From = 0;
    int To = 0;
  };

  void ReadClean();
  void Cycle(int cycle);
  // Puts a run of random bytes into the area; the packets the run takes.
  int Fill(TArea& area);
  void PlanStrike(int cycle, int packets, TStrikeContext& context);
  void WriteAndCheck(const TStrikeContext& context);
  void ReadAndCheck(TArea& area, const TStrikeContext& context);
  std::vector<uint8_t> ModuleMemory(const TArea& area) {
    return rig_.ModuleMemory(address_, area.Memory->MemID());
  }
  int Draw(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }
  bool Chance(double share) { return std::bernoulli_distribution(share)(random_); }

  const TSoakOptions& options_;
  const int address_;
  std::mt19937 random_;
  TSoakRig rig_;
  TLanDevice* device_ = nullptr;
  std::vector<std::unique_ptr<THeadlessControl>> controls_;
  std::vector<TArea> areas_;
  TSoakFigures figures_;
  std::chrono::milliseconds clock_{0};
  std::optional<int> silentUntil_;  // the cycle at whose start the module answers again
  std::optional<int> backBy_;       // the cycle by which a read of it must have been done
};

std::mt19937 SeededFor(uint32_t seed, int address) {
  std::seed_seq sequence{seed, static_cast<uint32_t>(address)};
  return std::mt19937(sequence);
}

TModuleSoak::TModuleSoak(const TSoakOptions& options, int address)
    : options_(options),
      address_(address),
      random_(SeededFor(options.Seed, address)),
      device_(rig_.Devices().FindDevice(address)) {
  if (!device_ || SettingsAreas(*device_).empty() ||
      !rig_.Vehicle().WithVehicle([&](TVirtualVehicle& v) { return v.Module(address); })) {
    throw std::invalid_argument("no fitted module with settings memory at address " +
                                std::to_string(address));
  }
  std::vector<IBoundControl*> bound;
  for (TDeviceMemoryItem* memory : SettingsAreas(*device_)) {
    auto control = std::make_unique<THeadlessControl>(QStringLiteral("soak"), memory->GetTitle());
    TComponentData& data = control->ComponentData();
    data.SetLanAddr(device_->LanAddr());
    data.SetMemID(memory->MemID());
    data.SetDataType(stArray);
    data.SetAddr(0);
    data.SetMaxVal(memory->Size());
    bound.push_back(control.get());
    areas_.push_back({memory, control.get(), 0, memory->Size()});
    controls_.push_back(std::move(control));
  }
  rig_.Devices().BindControls(bound, {});
  rig_.Devices().SetClock([this] { return clock_; });
}

// The whole of every area, before the line fails: the image then mirrors the module, as after
// the read a user starts with.
void TModuleSoak::ReadClean() {
  for (const TArea& area : areas_) {
    rig_.Devices().ReadDevice(device_, {area.Memory->MemID()}, {});
    const TImageDiff diff =
        CompareWithModule(*area.Memory, ModuleMemory(area), 0, area.Memory->Size());
    if (!area.Memory->IsLoaded() || rig_.Errors() > 0 || diff.Differ > 0) {
      throw std::runtime_error(
          ("the clean read of " + area.Memory->GetTitle() + " failed").toStdString());
    }
  }
}

TSoakFigures TModuleSoak::Run() {
  ReadClean();
  TSimFaults line = options_.Line;
  line.Seed = static_cast<uint32_t>(random_());
  rig_.Vehicle().SetLineFaults(line);
  const int checksumKept = rig_.Vehicle().ChecksumKeptCorruptions();
  const auto started = TSteady::now();
  for (int cycle = 0; cycle < options_.Cycles; ++cycle) Cycle(cycle);
  figures_.ChecksumKept = rig_.Vehicle().ChecksumKeptCorruptions() - checksumKept;
  rig_.Vehicle().SilenceModule(address_, false);
  figures_.Time = std::chrono::duration_cast<std::chrono::milliseconds>(TSteady::now() - started);
  rig_.Pump();
  figures_.NoAnswer = rig_.Journal().NoAnswer();
  figures_.Garbled = rig_.Journal().Garbled();
  return figures_;
}

void TModuleSoak::Cycle(int cycle) {
  const auto started = TSteady::now();
  clock_ += kCyclePause;
  if (silentUntil_ && cycle >= *silentUntil_) {
    rig_.Vehicle().SilenceModule(address_, false);
    silentUntil_.reset();
    backBy_ = cycle + kCyclesToComeBack - 1;
  }
  int packets = 0;
  for (TArea& area : areas_) packets += Fill(area);
  TStrikeContext context;
  PlanStrike(cycle, packets, context);
  WriteAndCheck(context);
  context.StrikeNow();
  for (TArea& area : areas_) ReadAndCheck(area, context);
  if (backBy_ && cycle >= *backBy_) {
    ++figures_.NotFoundAgain;
    backBy_.reset();
  }
  rig_.Pump();
  ++figures_.Cycles;
  figures_.LongestCycle =
      std::max(figures_.LongestCycle,
               std::chrono::duration_cast<std::chrono::milliseconds>(TSteady::now() - started));
}

int TModuleSoak::Fill(TArea& area) {
  const int size = area.Memory->Size();
  const int count = Draw(1, std::min(options_.MaxRunBytes, size));
  area.From = Draw(0, size - count);
  area.To = area.From + count;
  // What a user's edits do: a byte that was read takes a new value and is marked changed.
  for (int i = area.From; i < area.To; ++i)
    area.Memory->SetByte(i, static_cast<uint8_t>(Draw(0, 255)));
  area.Control->ComponentData().SetAddr(area.From);
  area.Control->ComponentData().SetMaxVal(count);
  figures_.BytesFilled += count;
  const int packet = std::max<int>(device_->PacketSize(), 1);
  return (count + packet - 1) / packet;
}

void TModuleSoak::PlanStrike(int cycle, int packets, TStrikeContext& context) {
  const int at = Draw(1, packets + 1);
  if (options_.SilenceEvery > 0 && (cycle + 1) % options_.SilenceEvery == 0) {
    ++figures_.Silences;
    silentUntil_ = cycle + std::max(options_.SilenceFor, 1);
    context.StrikeAt(at, [this] { rig_.Vehicle().SilenceModule(address_, true); });
    return;
  }
  if (silentUntil_ || !Chance(options_.LostPacketShare)) return;
  ++figures_.LostPackets;
  if (Chance(0.5)) {
    context.StrikeAt(at, [this] { rig_.Vehicle().DropFramesFromPc(TAdapter::kTries); });
  } else {
    context.StrikeAt(at, [this] { rig_.Vehicle().DropFramesToPc(TAdapter::kTries); });
  }
}

void TModuleSoak::WriteAndCheck(const TStrikeContext& context) {
  bool raised = false;
  try {
    rig_.Devices().WriteDevice(device_, kPersistentLocations, {}, context);
  } catch (const std::exception&) {
    // vardexctl reports the whole write failed.
    raised = true;
  }
  for (TArea& area : areas_) {
    ++figures_.Writes;
    const std::vector<uint8_t> module = ModuleMemory(area);
    const int size = area.Memory->Size();
    const TImageDiff diff = CompareWithModule(*area.Memory, module, 0, size);
    // Done as the program and vardexctl report it: nothing left marked to write.
    if (!raised && !area.Memory->IsModified()) {
      figures_.WrongBytesAfterDone += diff.Differ;
      figures_.FalseDones += diff.Differ > 0 ? 1 : 0;
    } else {
      ++figures_.WritesFailed;
      figures_.LostMarks += diff.Unmarked;
    }
    Heal(*area.Memory, module, 0, size, THeal::Unmarked);
  }
}

void TModuleSoak::ReadAndCheck(TArea& area, const TStrikeContext& context) {
  ++figures_.Reads;
  const int errors = rig_.Errors();
  const int checksumKept = rig_.Vehicle().ChecksumKeptCorruptions();
  bool raised = false;
  try {
    rig_.Devices().ReadDevice(device_, {area.Memory->MemID()}, {}, context);
  } catch (const std::exception&) {
    raised = true;
  }
  const std::vector<uint8_t> module = ModuleMemory(area);
  const int size = area.Memory->Size();
  if (!raised && rig_.Errors() == errors && area.Memory->IsLoaded()) {
    const int wrong = CompareWithModule(*area.Memory, module, area.From, area.To).Differ;
    if (rig_.Vehicle().ChecksumKeptCorruptions() == checksumKept) {
      figures_.WrongBytesRead += wrong;
    } else {
      figures_.WrongBytesReadChecksumKept += wrong;
    }
    Heal(*area.Memory, module, area.From, area.To, THeal::All);
    backBy_.reset();
  } else {
    ++figures_.ReadsFailed;
  }
  // A read, done or not, leaves every byte it did not bring as it was: what differs from the
  // module is still marked to be written.
  figures_.LostMarks += CompareWithModule(*area.Memory, module, 0, size).Unmarked;
  Heal(*area.Memory, module, 0, size, THeal::Unmarked);
}

}  // namespace

TSimFaults TSoakOptions::DefaultLine() {
  TSimFaults line;
  line.Drop = 0.02;
  line.Corrupt = 0.02;
  // A quarter of the garbled frames keep their checksum.
  line.ChecksumKept = 0.25;
  // All past the link's answer window of 100 ms, the last one far past it: a busy module.
  line.Late = {{0.02, 150ms}, {0.01, 400ms}, {0.005, 1500ms}};
  return line;
}

std::vector<int> SoakModules() {
  const TLanDevices registry;
  std::vector<int> modules;
  for (const TVirtualModuleSpec& module : kVirtualModuleTable) {
    const TLanDevice* device = registry.FindDevice(module.Address);
    if (device && !SettingsAreas(*device).empty()) modules.push_back(module.Address);
  }
  return modules;
}

TSoakFigures RunFaultSoak(const TSoakOptions& options, const TSoakModuleDone& moduleDone) {
  TSoakFigures total;
  for (const int address : options.Modules.empty() ? SoakModules() : options.Modules) {
    TModuleSoak soak(options, address);
    const TSoakFigures figures = soak.Run();
    if (moduleDone) moduleDone(address, soak.Name(), figures);
    total += figures;
  }
  return total;
}
