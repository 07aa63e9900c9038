#include "app/ctl/ctl_backup.h"

#include <QSettings>

#include "app/ctl/ctl_file_session.h"

namespace {

// The size the program's options allow the backup folder, in megabytes, as the program keeps it.
qint64 BackupLimit() {
  const QSettings options(QStringLiteral("Oltrane"), QStringLiteral("Vardex"));
  bool ok = false;
  const qint64 megabytes = options.value(QStringLiteral("3/BackupLimitMB")).toLongLong(&ok);
  return ok && megabytes > 0 ? megabytes * 1024 * 1024 : TBackupFolder::kDefaultLimit;
}

}  // namespace

bool SaveWriteBackup(TCtlContext& context, const char* command, const TLanDevices& devices,
                     std::span<const TBackupArea> areas) {
  try {
    const TBackupFolder folder(TBackupFolder::DefaultPath(), BackupLimit());
    const QString path = folder.Save(TBackupFolder::CarOf(devices), areas);
    context.Out() << "backup saved to " << path << "\n";
    return true;
  } catch (const std::exception& error) {
    context.Err() << "vardexctl " << command << ": " << FailureText(error)
                  << "; nothing written (--no-backup writes without a backup)\n";
    return false;
  }
}
