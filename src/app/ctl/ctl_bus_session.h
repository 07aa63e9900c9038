#pragma once

#include "app/ctl/ctl_context.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"

// The module registry and the bus channel a command-line command works with, reporting to
// stderr; the link opens on Connect.
class TCtlBusSession {
 public:
  explicit TCtlBusSession(TCtlContext& context) : context_(context), questions_(context.Err()) {
    rw_.SetClearDirtyAfterWrite(true);
    rw_.SetLocations(kPersistentLocations);
    rw_.SetUserQuestions(&questions_);
    devices_.SetRW(&rw_);
    devices_.SetUserQuestions(&questions_);
  }
  TCtlBusSession(const TCtlBusSession&) = delete;
  TCtlBusSession& operator=(const TCtlBusSession&) = delete;
  ~TCtlBusSession() { devices_.SetRW(nullptr); }

  TLanDevices& Devices() { return devices_; }
  TCtlQuestions& Questions() { return questions_; }

  // Opens the link; false (with the reason on stderr) when it cannot.
  bool Connect() {
    TAdapter* adapter = context_.Adapter();
    if (!adapter) return false;
    adapter->SetJournal(std::make_unique<TCtlJournal>(context_.Err()));
    rw_.SetAdapter(adapter);
    return true;
  }

  // Present and granting access; otherwise says on stderr which of the two it is not. A module
  // that refuses access ignores memory commands, which must not pass for silence.
  bool Available(const char* command, TLanDevice& device) {
    const bool present = device.IsPresent();
    if (present && device.IsAccessible()) return true;
    context_.Err() << "vardexctl " << command << ": module " << static_cast<int>(device.LanAddr())
                   << " (" << device.Name() << ") "
                   << (present ? "refuses access" : "does not answer") << "\n";
    return false;
  }

 protected:
  TCtlContext& context_;
  TCtlQuestions questions_;
  TLanRW rw_;
  TLanDevices devices_;
};
