#pragma once

#include <QStringList>

#include "binding/ui/page_host.h"

// A window that hosts pages and remembers what they asked of it.
class TFakePageHost : public IPageHost {
 public:
  void ShowPageCommand(const QString& command) override { Shown.append(command); }
  void ShowStatusText(const QString&, bool) override {}
  void ShowControlHelp(QWidget*, const QString&) override {}
  void BeginBusy() override {}
  void EndBusy() override {}
  void ReportProgress(const QString&, int, int) override {}
  bool DemoMode() const override { return false; }
  uint8_t MainVersionMajor() const override { return 0; }
  uint8_t MainVersionMinor() const override { return 0; }
  uint8_t MainGeneration() const override { return 0; }
  bool ModuleAvailable(uint8_t) const override { return true; }
  bool Confirm(const QString&) override { return true; }

  QStringList Shown;
};
