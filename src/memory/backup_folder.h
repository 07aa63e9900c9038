#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

class TDeviceMemoryItem;
class TLanDevices;

// What a backup keeps of one area: the bytes the module held when last read, and which of them
// were read.
struct TBackupArea {
  TDeviceMemoryItem* Area = nullptr;
  std::vector<uint8_t> Bytes;
  std::vector<bool> Known;
};

// The bytes of an area as it holds them now, the ones it knows marked.
TBackupArea BackupOf(TDeviceMemoryItem& area);

// One saved backup as its name describes it.
struct TBackupEntry {
  QString Path;
  // The main module's firmware and production date: files of one car share it.
  QString Car;
  QDateTime When;
  // The bus addresses of the modules it holds, as its name lists them.
  QString Modules;
  qint64 Size = 0;
};

// The folder that keeps a configuration file of the areas about to change before every write
// to a car, so that the settings the car had can be put back. Names sort the files of one car
// together, oldest first: CAR_yyyyMMdd-HHmmss_mADDR-ADDR.ini, CAR being the main module's
// firmware version and production date as far as they are known.
class TBackupFolder {
 public:
  // $XDG_DATA_HOME/vardex/backups, or ~/.local/share/vardex/backups without that variable.
  static QString DefaultPath();
  static constexpr qint64 kDefaultLimit = 500ll * 1024 * 1024;

  explicit TBackupFolder(QString path = DefaultPath(), qint64 limitBytes = kDefaultLimit)
      : path_(std::move(path)), limit_(limitBytes) {}

  const QString& Path() const { return path_; }

  // What names the car of `devices`: the main module's firmware version and production date
  // from what was read of it, "unknown" for what was not.
  static QString CarOf(const TLanDevices& devices);

  // Saves the known bytes of the areas as a configuration file and prunes old backups; the
  // file's path. Throws ELanDev when the folder or the file cannot be written: a write must not
  // go on without the backup the user relies on.
  QString Save(const QString& car, std::span<const TBackupArea> areas,
               const QDateTime& when = QDateTime::currentDateTime()) const;

  // The backups in the folder, newest first.
  std::vector<TBackupEntry> List() const;

  // Removes the oldest backups while the folder holds more than the limit, but never the
  // newest backup of a car.
  void Prune() const;

 private:
  QString path_;
  qint64 limit_;
};
