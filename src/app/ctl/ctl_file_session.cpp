#include "app/ctl/ctl_file_session.h"

#include <QFileInfo>
#include <algorithm>

#include "binding/comp_error.h"
#include "link/adapter.h"
#include "memory/lan_dev_error.h"

QString FailureText(const std::exception& error) {
  if (const auto* lanDev = dynamic_cast<const ELanDev*>(&error)) return lanDev->Message();
  if (const auto* comp = dynamic_cast<const EComp*>(&error)) {
    return comp->Cause().isEmpty() ? comp->Message()
                                   : comp->Message() + QStringLiteral(": ") + comp->Cause();
  }
  if (const auto* adapter = dynamic_cast<const EAdapter*>(&error)) return adapter->Message();
  return QString::fromUtf8(error.what());
}

TOpenedFile OpenConfigFile(TCtlContext& context, const char* command, const QString& path,
                           const TLanDevices& devices) {
  const auto complain = [&context, command]() -> QTextStream& {
    return context.Err() << "vardexctl " << command << ": ";
  };
  TOpenedFile opened;
  if (!QFileInfo(path).isFile()) {
    complain() << "no file " << path << "\n";
    opened.Failure = kExitUsage;
    return opened;
  }
  std::unique_ptr<TFileRW> file;
  try {
    file = std::make_unique<TFileRW>(path, false);
  } catch (const std::exception& error) {
    complain() << FailureText(error) << "\n";
    opened.Failure = kExitFailed;
    return opened;
  }
  opened.Failure = kExitUsage;
  if (!file->IsCompatible()) {
    // The other reasons name the file themselves.
    complain();
    if (file->Refusal() == TFileRefusal::IncompatibleVersion) context.Err() << path << ": ";
    context.Err() << file->RefusalText() << "\n";
    return opened;
  }
  opened.Areas = AreasInFile(*file, devices);
  if (opened.Areas.empty()) {
    complain() << QStringLiteral("Файл \"%1\" не содержит корректных данных.").arg(path) << "\n";
    return opened;
  }
  opened.File = std::move(file);
  opened.Failure = 0;
  return opened;
}

std::vector<TDeviceMemoryItem*> SettingsAreas(const TLanDevice& device) {
  std::vector<TDeviceMemoryItem*> areas;
  for (const auto& area : device.Items()) {
    if (kPersistentLocations.Contains(area->MemID()) && area->Size() > 0) {
      areas.push_back(area.get());
    }
  }
  return areas;
}

std::optional<std::vector<int>> ParseModules(const QString& text) {
  std::vector<int> modules;
  for (const QString& item : text.split(u',', Qt::SkipEmptyParts)) {
    const auto addr = ParseCtlNumber(item.trimmed());
    if (!addr || *addr > 0xFF) return std::nullopt;
    modules.push_back(static_cast<int>(*addr));
  }
  if (modules.empty()) return std::nullopt;
  return modules;
}

TFileSession::~TFileSession() {
  controls_.clear();
  pages_.clear();
}

std::optional<std::vector<TLanDevice*>> TFileSession::Listed(const char* command,
                                                             const std::vector<int>& addrs) {
  std::vector<TLanDevice*> modules;
  for (const int addr : addrs) {
    TLanDevice* device = devices_.FindDevice(addr);
    if (!device || SettingsAreas(*device).empty()) {
      context_.Err() << "vardexctl " << command << ": no module with settings memory at address "
                     << addr << "\n";
      return std::nullopt;
    }
    if (std::find(modules.begin(), modules.end(), device) == modules.end()) {
      modules.push_back(device);
    }
  }
  return modules;
}

void TFileSession::BindRuns(TDeviceMemoryItem& area, const TClusterList& runs) {
  std::vector<IBoundControl*> bound;
  for (const auto& run : runs) {
    auto control = std::make_unique<THeadlessControl>(
        QStringLiteral("%1..%2").arg(run.Start).arg(run.Start + run.Count - 1), area.GetTitle());
    TComponentData& data = control->ComponentData();
    data.SetLanAddr(area.Device()->LanAddr());
    data.SetMemID(area.MemID());
    data.SetAddr(run.Start);
    data.SetDataType(stArray);
    data.SetMaxVal(run.Count);
    bound.push_back(control.get());
    controls_.push_back(std::move(control));
  }
  devices_.BindControls(bound, {});
}

void TFileSession::BindPages(std::span<const TPageTable> tables) {
  std::vector<IBoundControl*> bound;
  for (const TPageTable& table : tables) {
    auto page = std::make_unique<THeadlessPage>(table.Rows, table.LanAddr);
    const auto controls = page->BoundControls();
    bound.insert(bound.end(), controls.begin(), controls.end());
    pages_.push_back(std::move(page));
  }
  devices_.BindControls(bound, {});
}
