#include "memory/backup_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <set>

#include "link/lan_msg.h"
#include "memory/device_memory_item.h"
#include "memory/file_rw.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_device.h"
#include "memory/lan_devices.h"

namespace {

constexpr char kTimeFormat[] = "yyyyMMdd-HHmmss";

// Where the main module keeps what tells one car from another: its firmware version record
// (sent with its presence answers) and the production date among its settings.
constexpr int kVersionRecordAddr = 130;
constexpr int kProductionDateAddr = 504;

// Two bytes of an area in hexadecimal, or "unknown" while they were not read.
QString KnownHex(const TLanDevices& devices, TMemoryLocation memID, int addr,
                 const QString& separator) {
  const TDeviceMemoryItem* area = devices.FindMem(kMainModuleAddr, memID);
  if (area == nullptr || !area->IsValid(addr) || !area->IsValid(addr + 1)) {
    return QStringLiteral("unknown");
  }
  const auto hex = [area](int at) {
    return QStringLiteral("%1").arg(area->Image()[static_cast<size_t>(at)], 2, 16,
                                    QLatin1Char('0'));
  };
  return (hex(addr) + separator + hex(addr + 1)).toUpper();
}

const QRegularExpression& NamePattern() {
  static const QRegularExpression pattern(
      QStringLiteral(R"(^([^_]+)_(\d{8}-\d{6})_m([0-9-]+)(?:_\d+)?\.ini$)"));
  return pattern;
}

}  // namespace

TBackupArea BackupOf(TDeviceMemoryItem& area) {
  TBackupArea backup;
  backup.Area = &area;
  const auto image = area.Image();
  backup.Bytes.assign(image.begin(), image.end());
  backup.Known.resize(image.size());
  for (int i = 0; i < static_cast<int>(image.size()); ++i) {
    backup.Known[static_cast<size_t>(i)] = area.IsValid(i);
  }
  return backup;
}

QString TBackupFolder::DefaultPath() {
  QString data = qEnvironmentVariable("XDG_DATA_HOME");
  if (data.isEmpty() || !QDir::isAbsolutePath(data)) {
    data = QDir::homePath() + QStringLiteral("/.local/share");
  }
  return data + QStringLiteral("/vardex/backups");
}

QString TBackupFolder::CarOf(const TLanDevices& devices) {
  return QStringLiteral("fw%1-p%2")
      .arg(KnownHex(devices, mlMsg, kVersionRecordAddr, QStringLiteral(".")),
           KnownHex(devices, mlExt, kProductionDateAddr, QString()));
}

QString TBackupFolder::Save(const QString& car, std::span<const TBackupArea> areas,
                            const QDateTime& when) const {
  if (!QDir().mkpath(path_)) {
    throw ELanDev(QStringLiteral("Не удалось создать папку резервных копий %1").arg(path_));
  }
  std::set<int> addrs;
  for (const TBackupArea& backup : areas) addrs.insert(backup.Area->Device()->LanAddr());
  QStringList modules;
  for (const int addr : addrs) modules << QString::number(addr);
  const QString stem =
      QStringLiteral("%1/%2_%3_m%4")
          .arg(path_, car, when.toString(QLatin1String(kTimeFormat)), modules.join(u'-'));
  // Two writes within a second keep both backups.
  QString path = stem + QStringLiteral(".ini");
  for (int n = 2; QFileInfo::exists(path); ++n) path = stem + QStringLiteral("_%1.ini").arg(n);

  TFileRW file(path, true);
  file.SetAllDevices(true);
  for (const TBackupArea& backup : areas) {
    file.SetDevice(backup.Area->Device());
    file.SetItem(backup.Area);
    const int size = static_cast<int>(backup.Bytes.size());
    for (int start = 0; start < size;) {
      if (!backup.Known[static_cast<size_t>(start)]) {
        ++start;
        continue;
      }
      int end = start;
      while (end < size && backup.Known[static_cast<size_t>(end)]) ++end;
      file.Write(start, std::span(backup.Bytes)
                            .subspan(static_cast<size_t>(start), static_cast<size_t>(end - start)));
      start = end;
    }
  }
  file.Commit();
  Prune();
  return path;
}

std::vector<TBackupEntry> TBackupFolder::List() const {
  std::vector<TBackupEntry> entries;
  const QFileInfoList files =
      QDir(path_).entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
  for (const QFileInfo& info : files) {
    const auto match = NamePattern().match(info.fileName());
    if (!match.hasMatch()) continue;
    entries.push_back({.Path = info.filePath(),
                       .Car = match.captured(1),
                       .When = QDateTime::fromString(match.captured(2), QLatin1String(kTimeFormat)),
                       .Modules = match.captured(3).replace(u'-', QStringLiteral(", ")),
                       .Size = info.size()});
  }
  // Within one second the later file has the larger name ("_2" after ".ini").
  std::sort(entries.begin(), entries.end(), [](const TBackupEntry& a, const TBackupEntry& b) {
    return a.When != b.When ? a.When > b.When : a.Path > b.Path;
  });
  return entries;
}

void TBackupFolder::Prune() const {
  std::vector<TBackupEntry> entries = List();
  qint64 total = 0;
  for (const TBackupEntry& entry : entries) total += entry.Size;
  std::set<QString> newestSeen;
  std::vector<const TBackupEntry*> removable;
  for (const TBackupEntry& entry : entries) {
    if (!newestSeen.insert(entry.Car).second) removable.push_back(&entry);
  }
  // Oldest first.
  for (auto it = removable.rbegin(); it != removable.rend() && total > limit_; ++it) {
    if (QFile::remove((*it)->Path)) total -= (*it)->Size;
  }
}
