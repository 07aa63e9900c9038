#pragma once

#include <span>

#include "app/ctl/ctl_context.h"
#include "memory/backup_folder.h"

class TLanDevices;

// Saves what the areas held before a write into the backup folder and prints
// "backup saved to PATH"; false, with the reason on stderr after "vardexctl COMMAND: ", when it
// cannot, and then nothing may be written.
bool SaveWriteBackup(TCtlContext& context, const char* command, const TLanDevices& devices,
                     std::span<const TBackupArea> areas);
