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

 protected:
  TCtlContext& context_;
  TCtlQuestions questions_;
  TLanRW rw_;
  TLanDevices devices_;
};
