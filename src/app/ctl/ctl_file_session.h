#pragma once

#include <QString>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "app/ctl/ctl_bus_session.h"
#include "binding/headless_binder.h"
#include "binding/page_table.h"
#include "memory/cluster_info.h"
#include "memory/file_rw.h"

// What the user is told about a failed command: the message of the program's own exceptions.
QString FailureText(const std::exception& error);

// The settings memories of a module: what read, write and diff move.
std::vector<TDeviceMemoryItem*> SettingsAreas(const TLanDevice& device);

// Parses "A,B,..." into bus addresses; nullopt for an empty list or a bad address.
std::optional<std::vector<int>> ParseModules(const QString& text);

// A configuration file opened for a command, with the settings areas it holds.
struct TOpenedFile {
  std::unique_ptr<TFileRW> File;  // null when the file cannot be used
  std::vector<TDeviceMemoryItem*> Areas;
  int Failure = 0;  // then the exit status: 2 missing, refused or empty, 1 unreadable
};

// Opens a configuration file as write and diff do; a file that cannot be used is told on
// stderr after "vardexctl COMMAND: ".
TOpenedFile OpenConfigFile(TCtlContext& context, const char* command, const QString& path,
                           const TLanDevices& devices);

// The registry, the bus channel and the controls bound for one command that moves whole
// configurations.
class TFileSession : public TCtlBusSession {
 public:
  using TCtlBusSession::TCtlBusSession;
  ~TFileSession();

  // The module of every listed address; says on stderr, after "vardexctl COMMAND: ", which
  // address the module table does not know or whose module keeps no settings.
  std::optional<std::vector<TLanDevice*>> Listed(const char* command,
                                                 const std::vector<int>& addrs);
  // Binds the runs of an area byte for byte, whatever pages exist.
  void BindRuns(TDeviceMemoryItem& area, const TClusterList& runs);
  void BindPages(std::span<const TPageTable> tables);
  // Reads back what the writes send and tells of an area that differs.
  void SetVerifyWrites(bool verify) { rw_.SetVerifyWrites(verify); }

 private:
  std::vector<std::unique_ptr<THeadlessPage>> pages_;
  std::vector<std::unique_ptr<THeadlessControl>> controls_;
};
