// Opening a configuration file into memory images, as the program's open command and
// `vardexctl write` and `vardexctl settings --file` do: the file is read and checked, the areas
// it holds are offered, their damaged chunks reported, and the areas loaded, once with every
// held run bound byte for byte (`write --full`) and once with the main module's settings pages
// bound, whose values are then read as text as the settings listing prints them. A loaded
// byte must be the byte the file spells.

#include <sys/mman.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "binding/headless_binder.h"
#include "binding/row_binding.h"
#include "binding/setting_text.h"
#include "fuzz_check.h"
#include "link/adapter.h"
#include "memory/file_rw.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/user_questions.h"
#include "pages/main/main_tables.h"

namespace {

// Every failing step is abandoned, as the command line does without --partial.
class TNoQuestions : public IUserQuestions {
 public:
  TUserAnswer AskStep(const QString&) override { return TUserAnswer::No; }
  void ShowError(const QString&) override {}
};

// The input as a file the program opens by name: a memory file, rewritten for every input.
class TInputFile {
 public:
  TInputFile() : fd_(memfd_create("vardex-fuzz-config", MFD_CLOEXEC)) {
    FuzzCheck(fd_ >= 0, "a memory file for the input");
    path_ = QStringLiteral("/proc/self/fd/%1").arg(fd_);
  }

  const QString& Put(const uint8_t* data, size_t size) {
    FuzzCheck(ftruncate(fd_, 0) == 0, "the input file empties");
    for (size_t done = 0; done < size;) {
      const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
      FuzzCheck(n > 0, "the input file takes the input");
      done += static_cast<size_t>(n);
    }
    return path_;
  }

 private:
  int fd_;
  QString path_;
};

// The bus channel of a program that has not connected yet: opening a file needs no bus.
class TProgram {
 public:
  TProgram() : adapter_([](const QString&) { return std::unique_ptr<IAdapterPort>(); }) {
    rw_.SetAdapter(&adapter_);
    rw_.SetUserQuestions(&questions_);
  }

  void Attach(TLanDevices& devices) {
    devices.SetRW(&rw_);
    devices.SetUserQuestions(&questions_);
  }
  IUserQuestions& Questions() { return questions_; }

 private:
  TAdapter adapter_;
  TLanRW rw_;
  TNoQuestions questions_;
};

// The main module's settings pages bound without widgets, with their control names.
struct TPage {
  const TPageTable* Table;
  std::unique_ptr<THeadlessPage> Page;
  QStringList Names;
};

std::vector<TPage> MakePages() {
  std::vector<TPage> pages;
  for (const TPageTable& table : MainPageTables()) {
    pages.push_back({&table, std::make_unique<THeadlessPage>(table.Rows, table.LanAddr),
                     RowControlNames(table.Rows)});
  }
  return pages;
}

// What the file spells for byte `index` of an area; chunks are decoded once.
class TFileBytes {
 public:
  TFileBytes(const TFileRW& file, const TDeviceMemoryItem& area) : file_(file), area_(area) {}

  int At(int index) {
    const int chunk = index / kChunkBytes;
    auto at = chunks_.find(chunk);
    if (at == chunks_.end()) {
      const QString value =
          file_.Profile().ReadString(area_.Device()->Name(), area_.Name() + QString::number(chunk));
      at = chunks_.emplace(chunk, DecodeHexChunk(value)).first;
    }
    const int offset = index % kChunkBytes;
    return offset < at->second.size() ? static_cast<uint8_t>(at->second[offset]) : -1;
  }

 private:
  const TFileRW& file_;
  const TDeviceMemoryItem& area_;
  std::map<int, QByteArray> chunks_;
};

void Load(TLanDevices& devices, std::span<TDeviceMemoryItem* const> areas, TFileRW& file) {
  try {
    devices.LoadFromFile(areas, file, {});
  } catch (const std::exception&) {
    // A refused step reaches the command's handler, which shows it.
  }
}

// `write --full`: every run the file holds, bound byte for byte and loaded.
void OpenWhole(TProgram& program, TFileRW& file) {
  TLanDevices devices;
  program.Attach(devices);
  const std::vector<TDeviceMemoryItem*> areas = AreasInFile(file, devices);
  std::vector<std::unique_ptr<THeadlessControl>> controls;
  std::vector<IBoundControl*> bound;
  std::vector<TClusterList> held;
  for (TDeviceMemoryItem* area : areas) {
    FuzzCheck(file.HasItem(*area), "an offered area has a chunk in the file");
    held.push_back(file.HeldRuns(*area));
    int end = 0;
    for (const TClusterInfo& run : held.back()) {
      FuzzCheck(run.Count > 0 && run.Start >= end && run.Start + run.Count <= area->Capacity(),
                "held runs ascend, apart, inside the area");
      end = run.Start + run.Count;
      auto control = std::make_unique<THeadlessControl>(QString(), area->GetTitle());
      TComponentData& data = control->ComponentData();
      data.SetLanAddr(area->Device()->LanAddr());
      data.SetMemID(area->MemID());
      data.SetAddr(run.Start);
      data.SetDataType(stArray);
      data.SetMaxVal(run.Count);
      bound.push_back(control.get());
      controls.push_back(std::move(control));
    }
  }
  devices.BindControls(bound, {});
  Load(devices, areas, file);

  for (size_t i = 0; i < areas.size(); ++i) {
    const TDeviceMemoryItem& area = *areas[i];
    if (!area.IsLoaded()) continue;
    TFileBytes spelled(file, area);
    for (const TClusterInfo& run : held[i]) {
      for (int index = run.Start; index < run.Start + run.Count; ++index) {
        FuzzCheck(spelled.At(index) == area.Image()[static_cast<size_t>(index)],
                  "a loaded byte is the byte the file spells");
      }
    }
  }
  (void)DamageReport(file.FileName(), file.DamagedChunks(areas));
}

// The open command and `settings --file`: the settings pages bound, loaded, read as text.
void OpenIntoPages(TProgram& program, TFileRW& file, std::vector<TPage>& pages) {
  TLanDevices devices;
  program.Attach(devices);
  std::vector<IBoundControl*> bound;
  for (const TPage& page : pages) {
    const auto controls = page.Page->BoundControls();
    bound.insert(bound.end(), controls.begin(), controls.end());
  }
  devices.BindControls(bound, {});
  const std::vector<TDeviceMemoryItem*> areas = AreasInFile(file, devices);
  Load(devices, areas, file);

  const TAreaLookup lookup = [&devices](uint8_t lanAddr, TMemoryLocation memID) {
    TLanDevice* device = devices.FindDevice(lanAddr);
    return device ? device->FindItem(memID) : nullptr;
  };
  for (const TPage& page : pages) {
    const TTableLabelContext labels(*page.Table, lookup);
    const std::span<const TControlRow> rows = page.Table->Rows;
    for (size_t i = 0; i < rows.size(); ++i) {
      if (!IsBound(rows[i].Kind)) continue;
      const QString& name = page.Names[static_cast<qsizetype>(i)];
      THeadlessControl* control = page.Page->Find(name);
      TBaseDeviceMemoryItem* area = control ? control->GetMem() : nullptr;
      if (!area) continue;
      (void)SettingValueText(rows[i], name, *page.Table, *area, control->ComponentData(),
                           labels);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TInputFile input;
  static TProgram program;
  static std::vector<TPage> pages = MakePages();

  TFileRW file(input.Put(data, size), false, &program.Questions());
  if (!file.IsCompatible()) {
    FuzzCheck(!file.RefusalText().isEmpty(), "a refused file says why");
    return 0;
  }
  OpenWhole(program, file);
  OpenIntoPages(program, file, pages);
  return 0;
}
