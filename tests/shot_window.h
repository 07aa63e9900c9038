#pragma once

// What the picture programs share: the main window with every settings page against the
// virtual vehicle, and waits that keep the window turning meanwhile.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <functional>
#include <memory>

#include "binding/ui/page_registry.h"
#include "link/adapter.h"
#include "pages/settings_pages.h"
#include "shell/main_form.h"
#include "sim/sim_port.h"

inline void SpinUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The folder named by the first argument, else `fallback`; made when missing.
inline QString ShotFolder(int argc, char** argv, const QString& fallback) {
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : fallback;
  QDir().mkpath(dir);
  return dir;
}

class TShotWindow {
 public:
  explicit TShotWindow(const TSimOptions& simOptions)
      : vehicle(std::make_shared<TVirtualAdapter>(simOptions)),
        adapter([v = vehicle](const QString&) { return std::make_unique<TSimPort>(v); }),
        pages(AllPages()),
        form((adapter.SetDescription(QStringLiteral("sim")), adapter), options, pages) {}

  bool Idle() const { return form.BusIdle() && !form.Busy().IsBusy(); }
  void WaitIdle(int ms) {
    SpinUntil([this] { return Idle(); }, ms);
  }
  // The window shows its first page and has looked for the modules.
  void WaitStarted(int ms) {
    SpinUntil([this] { return form.CurrentPage() && !form.ScanPending(); }, ms);
  }

  std::shared_ptr<TVirtualAdapter> vehicle;
  TAdapter adapter;
  TOptionsData options;
  TPageRegistry pages;
  TMainForm form;

 private:
  static TPageRegistry AllPages() {
    TPageRegistry registry;
    RegisterSettingsPages(registry);
    return registry;
  }
};
