#include "app/ctl/ctl_diff.h"

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/ctl/ctl_file_session.h"
#include "app/ctl/ctl_files.h"
#include "app/ctl/ctl_memory.h"
#include "binding/config_diff.h"
#include "binding/headless_binder.h"
#include "memory/file_rw.h"
#include "memory/lan_devices.h"

namespace {

constexpr char kUsage[] = "usage: vardexctl diff FILE_A [FILE_B] [--modules A,B,...]\n";

// As diff(1) answers: the same, different, or no answer.
enum TDiffExit : int { kSame = 0, kDifferent = 1, kTrouble = 2 };

struct TDiffArgs {
  QStringList Files;
  std::vector<int> Modules;
};

std::optional<TDiffArgs> ParseDiffArgs(QStringList args) {
  TDiffArgs parsed;
  while (!args.isEmpty()) {
    const QString arg = args.takeFirst();
    if (arg.startsWith(u"--modules") && parsed.Modules.empty()) {
      std::optional<QString> value;
      if (arg.startsWith(u"--modules=")) value = arg.mid(10);
      if (arg == u"--modules" && !args.isEmpty()) value = args.takeFirst();
      const auto modules = value ? ParseModules(*value) : std::nullopt;
      if (!modules) return std::nullopt;
      parsed.Modules = *modules;
    } else if (!arg.startsWith(u"--") && parsed.Files.size() < 2) {
      parsed.Files << arg;
    } else {
      return std::nullopt;
    }
  }
  if (parsed.Files.isEmpty()) return std::nullopt;
  return parsed;
}

QTextStream& Complain(TCtlContext& context) {
  return context.Err() << "vardexctl diff: ";
}

// The bytes the settings pages show, by module and memory: what a file compared has to hold.
class TPageCells {
 public:
  explicit TPageCells(std::span<const TPageTable> tables) {
    for (const TPageTable& table : tables) {
      for (const TBoundCell& cell : BoundCells(table.Rows, table.LanAddr)) {
        std::vector<bool>& bytes = cells_[{cell.LanAddr, cell.MemID}];
        const int end = cell.Addr + cell.Size;
        if (static_cast<int>(bytes.size()) < end) bytes.resize(static_cast<size_t>(end), false);
        for (int i = std::max(cell.Addr, 0); i < end; ++i) bytes[static_cast<size_t>(i)] = true;
      }
    }
  }

  TClusterList Runs(const TDeviceMemoryItem& area) const {
    const auto at = cells_.find({area.Device()->LanAddr(), area.MemID()});
    if (at == cells_.end()) return {};
    return BuildClusters(at->second, area.Size(), std::numeric_limits<int>::max());
  }

 private:
  std::map<std::pair<int, TMemoryLocation>, std::vector<bool>> cells_;
};

// The configuration file and the areas of the listed modules (every module when none is
// listed) that it holds; nullopt, with the reason on stderr, for a file the program would not
// open. What the file lacks of the bytes the pages show, or holds that names nothing, is told
// on stderr and sets `damaged`.
std::optional<TOpenedFile> OpenFile(TCtlContext& context, const QString& path,
                                    const TLanDevices& devices, const std::vector<int>& listed,
                                    const TPageCells& cells, bool& damaged) {
  TOpenedFile opened = OpenConfigFile(context, "diff", path, devices);
  if (!opened.File) return std::nullopt;
  std::vector<const TLanDevice*> modules;
  for (const int addr : listed) modules.push_back(devices.FindDevice(addr));
  if (!listed.empty()) {
    std::erase_if(opened.Areas, [&](const TDeviceMemoryItem* area) {
      return std::find(listed.begin(), listed.end(), area->Device()->LanAddr()) == listed.end();
    });
  }
  const auto needed = [&cells](const TDeviceMemoryItem& area) { return cells.Runs(area); };
  for (const QString& line :
       DamageLines(LoadDamage(*opened.File, devices, opened.Areas, needed, modules))) {
    Complain(context) << path << ": " << line << "\n";
    damaged = true;
  }
  return opened;
}

std::vector<TAreaImage> FileImages(const TConfigComparison& comparison, TOpenedFile& opened) {
  std::vector<TAreaImage> images;
  for (TDeviceMemoryItem* area : opened.Areas) {
    images.push_back(comparison.FromFile(*opened.File, *area));
  }
  return images;
}

// The runs of bytes an image knows.
TClusterList KnownRuns(const TAreaImage& image) {
  TClusterList runs;
  for (int i = 0; i < static_cast<int>(image.Known.size()); ++i) {
    if (!image.Known[static_cast<size_t>(i)]) continue;
    if (!runs.empty() && runs.back().Start + runs.back().Count == i) {
      ++runs.back().Count;
    } else {
      runs.push_back({i, 1});
    }
  }
  return runs;
}

// Reads from the modules the bytes that file A knows of its areas; nullopt, with the reason on
// stderr, when the link or a module fails.
std::optional<std::vector<TAreaImage>> ModuleImages(TFileSession& session,
                                                    const std::vector<TAreaImage>& fileImages) {
  TLanDevices& devices = session.Devices();
  if (!session.Connect()) return std::nullopt;
  std::vector<TLanDevice*> modules;
  std::vector<TDeviceMemoryItem*> areas;
  for (const TAreaImage& image : fileImages) {
    TLanDevice* device = devices.FindDevice(image.LanAddr);
    if (std::find(modules.begin(), modules.end(), device) == modules.end()) {
      if (!session.Available("diff", *device)) return std::nullopt;
      modules.push_back(device);
    }
    areas.push_back(device->FindItem(image.MemID));
    session.BindRuns(*areas.back(), KnownRuns(image));
  }
  for (TLanDevice* device : modules) devices.ReadDevice(device, kPersistentLocations, {});
  if (session.Questions().Errors() > 0) return std::nullopt;
  std::vector<TAreaImage> images;
  for (const TDeviceMemoryItem* area : areas) {
    // A memory the module's generation does not have was not read.
    if (area->IsLoaded()) images.push_back(TConfigComparison::FromArea(*area));
  }
  return images;
}

QString Hex(const std::vector<uint8_t>& bytes) {
  QStringList hex;
  for (const uint8_t byte : bytes) {
    hex << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
  }
  return hex.join(u' ');
}

}  // namespace

void PrintConfigDiff(QTextStream& out, const TConfigDiff& diff) {
  for (const TSettingChange& change : diff.Settings) {
    out << change.LanAddr << '\t' << QString::fromUtf8(change.Page->Title) << '\t' << change.Section
        << '\t' << change.Caption << '\t' << change.Old << " -> " << change.New << '\n';
  }
  for (const TByteChange& change : diff.Bytes) {
    out << change.LanAddr << '\t' << LocationName(change.MemID) << '\t' << change.Offset << '\t'
        << Hex(change.Old) << " -> " << Hex(change.New) << '\n';
  }
  for (const TAreaOnlyIn& area : diff.OnlyIn) {
    out << area.LanAddr << '\t' << LocationName(area.MemID) << '\t'
        << (area.Side == TDiffSide::A ? "only in A" : "only in B") << '\n';
  }
}

int RunDiff(TCtlContext& context, const QStringList& args) {
  return RunDiffWith(context, args, SettingsPageTables());
}

int RunDiffWith(TCtlContext& context, const QStringList& args, std::span<const TPageTable> tables) {
  const auto parsed = ParseDiffArgs(args);
  if (!parsed) {
    context.Err() << kUsage;
    return kTrouble;
  }
  TFileSession session(context);
  if (!session.Listed("diff", parsed->Modules)) return kTrouble;
  // Files are read into a registry of their own: reading a file counts as hearing from its
  // modules, which must not pass for an answer on the link.
  const TLanDevices fileDevices;
  std::vector<const TPageTable*> pages;
  for (const TPageTable& table : tables) pages.push_back(&table);
  const TConfigComparison comparison(std::move(pages));

  const TPageCells cells(tables);
  // A damaged file is still compared as far as it can be read, and the answer is trouble: its
  // differences, or the lack of them, cannot be trusted.
  bool damaged = false;
  auto fileA = OpenFile(context, parsed->Files[0], fileDevices, parsed->Modules, cells, damaged);
  if (!fileA) return kTrouble;
  const std::vector<TAreaImage> imagesA = FileImages(comparison, *fileA);
  std::optional<std::vector<TAreaImage>> imagesB;
  if (parsed->Files.size() > 1) {
    auto fileB = OpenFile(context, parsed->Files[1], fileDevices, parsed->Modules, cells, damaged);
    if (!fileB) return kTrouble;
    imagesB = FileImages(comparison, *fileB);
  } else {
    try {
      imagesB = ModuleImages(session, imagesA);
    } catch (const std::exception& error) {
      Complain(context) << FailureText(error) << "\n";
      return kTrouble;
    }
    if (!imagesB) return kTrouble;
  }
  const TConfigDiff diff = comparison.Compare(imagesA, *imagesB);
  PrintConfigDiff(context.Out(), diff);
  if (damaged) return kTrouble;
  return diff.Empty() ? kSame : kDifferent;
}
