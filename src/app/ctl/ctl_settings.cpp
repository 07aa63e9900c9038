#include "app/ctl/ctl_settings.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "app/ctl/ctl_bus_session.h"
#include "app/ctl/ctl_file_session.h"
#include "app/ctl/ctl_files.h"
#include "binding/headless_binder.h"
#include "binding/setting_text.h"
#include "link/lan_msg.h"
#include "memory/ee_memory_item.h"
#include "memory/file_rw.h"
#include "memory/lan_devices.h"

namespace {

constexpr char kUsage[] = "usage: vardexctl settings [--file FILE] [--modules A,B,...]\n";

struct TSettingsArgs {
  std::optional<QString> File;
  std::set<int> Modules;
};

std::optional<TSettingsArgs> ParseSettingsArgs(QStringList args) {
  TSettingsArgs parsed;
  const auto value = [&args](const QString& arg, const QString& option) -> std::optional<QString> {
    if (arg.startsWith(option + u'=')) return arg.mid(option.size() + 1);
    if (arg == option && !args.isEmpty()) return args.takeFirst();
    return std::nullopt;
  };
  while (!args.isEmpty()) {
    const QString arg = args.takeFirst();
    if (arg.startsWith(u"--file") && !parsed.File) {
      parsed.File = value(arg, QStringLiteral("--file"));
      if (!parsed.File || parsed.File->isEmpty()) return std::nullopt;
    } else if (arg.startsWith(u"--modules") && parsed.Modules.empty()) {
      const auto list = value(arg, QStringLiteral("--modules"));
      if (!list) return std::nullopt;
      for (const QString& item : list->split(u',', Qt::SkipEmptyParts)) {
        const auto addr = ParseCtlNumber(item.trimmed());
        if (!addr || *addr > 0xFF) return std::nullopt;
        parsed.Modules.insert(static_cast<int>(*addr));
      }
      if (parsed.Modules.empty()) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  return parsed;
}

// The pages bound without widgets, each with the table it came from.
struct TBoundPage {
  const TPageTable* Table;
  std::unique_ptr<THeadlessPage> Page;
};

// The main module's board generation from its settings image; 0 while that is not loaded.
int BoardGeneration(TLanDevices& devices) {
  TLanDevice* main = devices.FindDevice(kMainModuleAddr);
  const TDeviceMemoryItem* settings = main ? main->FindItem(mlExt) : nullptr;
  if (!settings || !settings->IsLoaded() || !settings->IsValid(0)) return 0;
  return BoardGenerationOf(settings->Image()[0]);
}

// The bytes of an opened file's areas it does not hold, by area.
class TFileGaps {
 public:
  void Add(const TFileRW& file, const TDeviceMemoryItem& area) {
    std::vector<bool>& gaps = gaps_[&area];
    gaps.assign(static_cast<size_t>(area.Capacity()), false);
    for (const TChunkDamage& gap : file.MissingFromWhole(area)) {
      std::fill_n(gaps.begin() + gap.Offset, gap.Count, true);
    }
  }
  bool Held(const TDeviceMemoryItem& area, int index) const {
    const auto at = gaps_.find(&area);
    return at != gaps_.end() && index >= 0 && index < static_cast<int>(at->second.size()) &&
           !at->second[static_cast<size_t>(index)];
  }

 private:
  std::map<const TDeviceMemoryItem*, std::vector<bool>> gaps_;
};

// What a line shows for a value whose bytes were not all got: never a value that was not read.
constexpr char kUnknownValue[] = "?";

}  // namespace

int PrintSettings(QTextStream& out, TLanDevices& devices, const TPageTable& table,
                  const THeadlessPage& bound, int boardGeneration, const std::set<int>& modules,
                  const TKnownByte& known) {
  const TTableLabelContext page(table, [&devices](uint8_t lanAddr, TMemoryLocation memID) {
    TLanDevice* device = devices.FindDevice(lanAddr);
    return device ? device->FindItem(memID) : nullptr;
  });
  int unknown = 0;
  for (const TSettingRow& setting : SettingRows(table)) {
    if (!FitsBoard(setting.Row->Boards, boardGeneration)) continue;
    THeadlessControl* control = bound.Find(setting.Name);
    auto* area = control ? control->GetMem() : nullptr;
    if (!area) continue;
    const auto* image = dynamic_cast<const TDeviceMemoryItem*>(area);
    bool got = image != nullptr;
    for (int i = control->GetAddr(); got && i < control->GetAddr() + control->GetSize(); ++i) {
      got = known(*image, i);
    }
    const TComponentData& data = control->ComponentData();
    if (!modules.empty() && !modules.contains(data.LanAddr())) continue;
    out << data.LanAddr() << '\t' << QString::fromUtf8(table.Title) << '\t' << setting.Section
        << '\t' << setting.Caption << '\t';
    if (got) {
      out << SettingValueText(*setting.Row, setting.Name, table, *area, data, page) << '\n';
    } else {
      out << kUnknownValue << '\n';
      if (image && kPersistentLocations.Contains(image->MemID())) ++unknown;
    }
  }
  return unknown;
}

int RunSettings(TCtlContext& context, const QStringList& args) {
  return RunSettingsWith(context, args, SettingsPageTables());
}

int RunSettingsWith(TCtlContext& context, const QStringList& args,
                    std::span<const TPageTable> tables) {
  const auto parsed = ParseSettingsArgs(args);
  if (!parsed) {
    context.Err() << kUsage;
    return kExitUsage;
  }
  TCtlBusSession session(context);
  TLanDevices& devices = session.Devices();

  std::unique_ptr<TFileRW> file;
  std::set<int> modules = parsed->Modules;
  if (parsed->File) {
    TOpenedFile opened = OpenConfigFile(context, "settings", *parsed->File, devices);
    if (opened.Failure != 0) return opened.Failure;
    file = std::move(opened.File);
    if (modules.empty()) {
      for (const TDeviceMemoryItem* area : opened.Areas) modules.insert(area->Device()->LanAddr());
    }
  } else if (!session.Connect()) {
    return kExitFailed;
  }

  // A page may hold cells of other modules than its own, or have no module of its own.
  const auto tableModules = [](const TPageTable& table) {
    std::set<int> bound;
    for (const TBoundCell& cell : BoundCells(table.Rows, table.LanAddr)) bound.insert(cell.LanAddr);
    return bound;
  };
  std::vector<TBoundPage> pages;
  std::vector<IBoundControl*> controls;
  for (const TPageTable& table : tables) {
    const std::set<int> bound = tableModules(table);
    if (!modules.empty() && std::none_of(bound.begin(), bound.end(),
                                         [&](int addr) { return modules.contains(addr); })) {
      continue;
    }
    auto page = std::make_unique<THeadlessPage>(table.Rows, table.LanAddr);
    const auto pageControls = page->BoundControls();
    controls.insert(controls.end(), pageControls.begin(), pageControls.end());
    pages.push_back({&table, std::move(page)});
  }
  devices.BindControls(controls, {});

  std::set<int> listed;
  for (const TBoundPage& page : pages) listed.merge(tableModules(*page.Table));
  TFileGaps gaps;
  std::vector<TDeviceMemoryItem*> loaded;
  bool failed = false;
  for (const int addr : listed) {
    TLanDevice* device = devices.FindDevice(addr);
    if (!device) continue;
    if (file) {
      file->SetDevice(device);
      for (const auto& area : device->Items()) {
        auto* settings = dynamic_cast<TEEMemoryItem*>(area.get());
        if (!settings || !kPersistentLocations.Contains(settings->MemID())) continue;
        settings->Load(*file);
        gaps.Add(*file, *settings);
        if (file->HasItem(*settings)) loaded.push_back(settings);
      }
    } else if (device->IsPresent() && device->IsAccessible()) {
      devices.ReadDevice(device, kPersistentLocations, {});
    } else if (parsed->Modules.contains(addr)) {
      // A module asked for by name must not vanish from the list without a word.
      context.Err() << "vardexctl settings: module " << addr << " (" << device->Name() << ") "
                    << (device->IsPresent() ? "refuses access" : "does not answer") << "\n";
      failed = true;
    }
  }
  if (file) {
    for (const QString& line : DamageLines(LoadDamage(*file, devices, loaded, ControlRuns))) {
      context.Err() << "vardexctl settings: " << *parsed->File << ": " << line << "\n";
      failed = true;
    }
  }
  failed = failed || session.Questions().Errors() > 0;
  const TKnownByte known = file ? TKnownByte([&gaps](const TDeviceMemoryItem& area, int index) {
    return gaps.Held(area, index);
  })
                                : TKnownByte([](const TDeviceMemoryItem& area, int index) {
                                    // Settings come from this read; live values only from
                                    // what the modules sent on their own (their versions).
                                    return kPersistentLocations.Contains(area.MemID())
                                               ? area.IsUpdated(index)
                                               : area.IsValid(index);
                                  });
  const int boardGeneration = BoardGeneration(devices);
  for (const TBoundPage& page : pages) {
    // Without a file only the fitted modules have settings to list.
    const std::set<int> bound = tableModules(*page.Table);
    const bool fitted = std::any_of(bound.begin(), bound.end(), [&](int addr) {
      const TLanDevice* device = devices.FindDevice(static_cast<uint8_t>(addr));
      return device != nullptr && device->AllLoaded({mlExt});
    });
    if (!file && !fitted) continue;
    // A file's damage is told above; a module read that failed shows here.
    if (PrintSettings(context.Out(), devices, *page.Table, *page.Page, boardGeneration,
                      parsed->Modules, known) > 0 &&
        !file) {
      failed = true;
    }
  }
  return failed ? kExitFailed : kExitOk;
}
