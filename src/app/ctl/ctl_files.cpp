#include "app/ctl/ctl_files.h"

#include <sys/stat.h>

#include <QFile>
#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "app/ctl/ctl_backup.h"
#include "app/ctl/ctl_file_session.h"
#include "binding/comp_error.h"
#include "binding/headless_binder.h"
#include "link/adapter.h"
#include "memory/file_rw.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/user_questions.h"
#include "pages/settings_pages.h"
#include "text/file_save.h"

namespace {

struct TFileArgs {
  bool Full = false;
  // Writes what a damaged file still holds instead of refusing it.
  bool Partial = false;
  // Reads back every area written and fails when it differs.
  bool Verify = false;
  // Writes without saving first what the modules held.
  bool NoBackup = false;
  // Bus addresses of the modules asked for; empty for every module.
  std::vector<int> Modules;
  QString File;
};

// The usage line and the way the file is named: "--out FILE" for read, a plain FILE for write,
// which alone opens a file and so may accept a damaged one.
struct TFileCommand {
  const char* Name;
  const char* Usage;
  bool FileAfterOut;
};

constexpr TFileCommand kRead = {"read", "read [--full] [--modules A,B,...] --out FILE", true};
constexpr TFileCommand kWrite = {
    "write", "write [--full] [--partial] [--verify] [--no-backup] FILE [--modules A,B,...]", false};

QTextStream& Complain(TCtlContext& context, const TFileCommand& command) {
  return context.Err() << "vardexctl " << command.Name << ": ";
}

std::optional<TFileArgs> ParseFileArgs(TCtlContext& context, const TFileCommand& command,
                                       QStringList args) {
  TFileArgs parsed;
  bool ok = true;
  bool fileGiven = false;
  const auto takeValue = [&](const QString& option, const QString& name) -> std::optional<QString> {
    if (option.startsWith(name + u'=')) return option.mid(name.size() + 1);
    if (option == name && !args.isEmpty()) return args.takeFirst();
    return std::nullopt;
  };
  while (ok && !args.isEmpty()) {
    const QString arg = args.takeFirst();
    if (arg == u"--full") {
      parsed.Full = true;
    } else if (!command.FileAfterOut && arg == u"--partial") {
      parsed.Partial = true;
    } else if (!command.FileAfterOut && arg == u"--verify") {
      parsed.Verify = true;
    } else if (!command.FileAfterOut && arg == u"--no-backup") {
      parsed.NoBackup = true;
    } else if (arg.startsWith(u"--modules")) {
      const auto value = takeValue(arg, QStringLiteral("--modules"));
      const auto modules = value ? ParseModules(*value) : std::nullopt;
      ok = modules.has_value();
      if (ok) parsed.Modules = *modules;
    } else if (command.FileAfterOut && arg.startsWith(u"--out")) {
      const auto value = takeValue(arg, QStringLiteral("--out"));
      ok = value && !value->isEmpty() && !fileGiven;
      if (ok) parsed.File = *value;
      fileGiven = true;
    } else if (!command.FileAfterOut && !arg.startsWith(u"--") && !fileGiven) {
      parsed.File = arg;
      fileGiven = true;
    } else {
      ok = false;
    }
  }
  if (!ok || !fileGiven) {
    context.Err() << "usage: vardexctl " << command.Usage << "\n";
    return std::nullopt;
  }
  return parsed;
}

// The bytes of the area that its controls show and store.
int BoundBytes(const TDeviceMemoryItem& area) {
  int count = 0;
  for (const auto& run : ControlRuns(area)) count += run.Count;
  return count;
}

int ChangedBytes(const TDeviceMemoryItem& area) {
  int count = 0;
  for (int i = 0; i < area.Size(); ++i) count += area.IsChanged(i) ? 1 : 0;
  return count;
}

// Whether the name is the node the standard output writes to.
bool NamesStandardOutput(const QString& path) {
  struct stat named {};
  struct stat out {};
  return ::stat(QFile::encodeName(path).constData(), &named) == 0 && ::fstat(1, &out) == 0 &&
         named.st_dev == out.st_dev && named.st_ino == out.st_ino;
}

void DropUnbound(std::vector<TDeviceMemoryItem*>& areas) {
  std::erase_if(areas, [](const TDeviceMemoryItem* area) { return area->Controls().empty(); });
}

void SayNothingBound(TCtlContext& context, const TFileCommand& command) {
  Complain(context, command) << "no settings page binds bytes of these modules; --full moves "
                                "whole memories\n";
}

}  // namespace

int RunRead(TCtlContext& context, const QStringList& args) {
  return RunReadWith(context, args, SettingsPageTables());
}

int RunWrite(TCtlContext& context, const QStringList& args) {
  return RunWriteWith(context, args, SettingsPageTables());
}

int RunReadWith(TCtlContext& context, const QStringList& args, std::span<const TPageTable> tables) {
  const auto parsed = ParseFileArgs(context, kRead, args);
  if (!parsed) return kExitUsage;
  // Nothing is read from the modules for a file that could not take it.
  if (const QString refused = RefusedSaveTarget(parsed->File); !refused.isEmpty()) {
    Complain(context, kRead) << refused << "\n";
    return kExitUsage;
  }
  TFileSession session(context);
  TLanDevices& devices = session.Devices();
  const auto listed = session.Listed(kRead.Name, parsed->Modules);
  if (!listed) return kExitUsage;
  if (!session.Connect()) return kExitFailed;

  std::vector<TLanDevice*> modules;
  if (parsed->Modules.empty()) {
    // Without a list, whatever is fitted; a module that does not answer is not an error, but
    // the user hears which ones the file leaves out.
    QStringList silent;
    for (int i = 0; i < devices.Count(); ++i) {
      TLanDevice& device = devices.Items(i);
      if (SettingsAreas(device).empty()) continue;
      if (device.IsPresent() && device.IsAccessible()) {
        modules.push_back(&device);
      } else {
        silent << QStringLiteral("%1 (%2)").arg(device.LanAddr()).arg(device.Name());
      }
    }
    if (!modules.empty() && !silent.isEmpty()) {
      Complain(context, kRead) << "not saved, no answer or no access: " << silent.join(u", ")
                               << "\n";
    }
    if (modules.empty()) {
      Complain(context, kRead) << "no module with settings memory answers\n";
      return kExitFailed;
    }
  } else {
    for (TLanDevice* device : *listed) {
      if (!session.Available(kRead.Name, *device)) return kExitFailed;
    }
    modules = *listed;
  }

  std::vector<TDeviceMemoryItem*> areas;
  for (TLanDevice* device : modules) {
    for (TDeviceMemoryItem* area : SettingsAreas(*device)) {
      if (parsed->Full) session.BindRuns(*area, {{0, area->Size()}});
      areas.push_back(area);
    }
  }
  if (!parsed->Full) session.BindPages(tables);
  DropUnbound(areas);
  if (areas.empty()) {
    SayNothingBound(context, kRead);
    return kExitFailed;
  }

  try {
    for (TLanDevice* device : modules) devices.ReadDevice(device, kPersistentLocations, {});
    if (session.Questions().Errors() > 0) return kExitFailed;
    // A memory the module's generation does not have was not read.
    std::erase_if(areas, [](const TDeviceMemoryItem* area) {
      return area->Size() == 0 || !area->IsLoaded();
    });
    TFileRW file(parsed->File, true);
    devices.SaveToFile(areas, file, {});
  } catch (const std::exception& error) {
    Complain(context, kRead) << FailureText(error) << "\n";
    return kExitFailed;
  }
  // With --out /dev/stdout the file is the standard output: the report must not end up in it.
  QTextStream& report = NamesStandardOutput(parsed->File) ? context.Err() : context.Out();
  for (const TDeviceMemoryItem* area : areas) {
    report << area->GetTitle() << ": " << BoundBytes(*area) << " bytes\n";
  }
  report << "saved to " << parsed->File << "\n";
  return kExitOk;
}

int RunWriteWith(TCtlContext& context, const QStringList& args,
                 std::span<const TPageTable> tables) {
  const auto parsed = ParseFileArgs(context, kWrite, args);
  if (!parsed) return kExitUsage;
  TFileSession session(context);
  TLanDevices& devices = session.Devices();
  const auto listed = session.Listed(kWrite.Name, parsed->Modules);
  if (!listed) return kExitUsage;
  TOpenedFile opened = OpenConfigFile(context, kWrite.Name, parsed->File, devices);
  if (!opened.File) return opened.Failure;
  const std::unique_ptr<TFileRW> file = std::move(opened.File);
  std::vector<TDeviceMemoryItem*> areas = std::move(opened.Areas);
  const auto holds = [](const std::vector<TDeviceMemoryItem*>& in, const TLanDevice* device) {
    return std::any_of(in.begin(), in.end(),
                       [&](const TDeviceMemoryItem* area) { return area->Device() == device; });
  };
  for (TLanDevice* device : *listed) {
    if (!holds(areas, device)) {
      Complain(context, kWrite) << parsed->File << " holds nothing for module "
                                << static_cast<int>(device->LanAddr()) << " (" << device->Name()
                                << ")\n";
      return kExitFailed;
    }
  }
  if (!listed->empty()) {
    std::erase_if(areas, [&](const TDeviceMemoryItem* area) {
      return std::find(listed->begin(), listed->end(), area->Device()) == listed->end();
    });
  }
  std::vector<TLanDevice*> modules;
  for (const TDeviceMemoryItem* area : areas) {
    if (std::find(modules.begin(), modules.end(), area->Device()) == modules.end()) {
      modules.push_back(area->Device());
    }
  }
  if (parsed->Full) {
    for (TDeviceMemoryItem* area : areas) session.BindRuns(*area, file->HeldRuns(*area));
  } else {
    session.BindPages(tables);
  }
  // Nothing goes to the bus before the user knows what the file lacks: a full write needs
  // every byte of each area, a pages' write the bytes the pages show.
  const std::vector<const TLanDevice*> scope(listed->begin(), listed->end());
  const std::vector<TChunkDamage> damage =
      LoadDamage(*file, devices, areas,
                 parsed->Full ? TNeededBytes(WholeArea) : TNeededBytes(ControlRuns), scope);
  for (const QString& line : DamageLines(damage)) {
    Complain(context, kWrite) << parsed->File << ": " << line << "\n";
  }
  if (!damage.empty() && !parsed->Partial) {
    Complain(context, kWrite) << "the file is damaged, nothing written (--partial writes only "
                                 "the bytes the file holds)\n";
    return kExitFailed;
  }
  DropUnbound(areas);
  if (areas.empty()) {
    SayNothingBound(context, kWrite);
    return kExitFailed;
  }

  if (!session.Connect()) return kExitFailed;
  for (TLanDevice* device : modules) {
    if (!session.Available(kWrite.Name, *device)) return kExitFailed;
  }
  session.SetVerifyWrites(parsed->Verify);

  std::vector<int> loaded;
  try {
    // What the file replaces is saved first, as the modules hold it now.
    if (!parsed->NoBackup) {
      for (TLanDevice* device : modules) devices.ReadDevice(device, kPersistentLocations, {});
      if (session.Questions().Errors() > 0) return kExitFailed;
      std::vector<TBackupArea> backups;
      for (TDeviceMemoryItem* area : areas) {
        if (area->IsLoaded()) backups.push_back(BackupOf(*area));
      }
      if (!SaveWriteBackup(context, kWrite.Name, devices, backups)) return kExitFailed;
    }
    devices.LoadFromFile(areas, *file, {});
    for (const TDeviceMemoryItem* area : areas) loaded.push_back(ChangedBytes(*area));
    for (TLanDevice* device : modules) devices.WriteDevice(device, kPersistentLocations, {});
  } catch (const std::exception& error) {
    Complain(context, kWrite) << FailureText(error) << "\n";
    return kExitFailed;
  }
  bool failed = session.Questions().Errors() > 0;
  for (size_t i = 0; i < areas.size(); ++i) {
    // Bytes the module did not confirm, or did not read back as sent, stay changed.
    const bool written = !areas[i]->IsModified();
    failed = failed || !written;
    const char* outcome = written ? (parsed->Verify ? "written and verified" : "written")
                          : areas[i]->WriteMismatch() ? "not verified"
                                                      : "not written";
    context.Out() << areas[i]->GetTitle() << ": " << loaded[i] << " bytes " << outcome << "\n";
  }
  return failed ? kExitFailed : kExitOk;
}
