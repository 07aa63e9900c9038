// How long the window's thread stalls: the longest gap between the ticks of a 5 ms timer on
// that thread while the program works against the virtual vehicle with the link model on.
// (a) ten seconds idle with only the main module fitted, (b) a read of every module,
// (c) ten seconds with the main module silent, so that every probe of it goes unanswered,
// (d) ten seconds of the tacho graph drawing the live reports of a running engine.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "binding/headless_binder.h"
#include "binding/ui/page_registry.h"
#include "link/adapter.h"
#include "memory/lan_devices.h"
#include "pages/settings_pages.h"
#include "pages/main/rstart_page.h"
#include "shell/main_form.h"
#include "sim/sim_port.h"

namespace {

constexpr int kTickMs = 5;
constexpr int kIdleSeconds = 10;
// The bytes read of each memory: about what the settings pages show of the largest one.
constexpr int kBytesPerArea = 1024;

struct TStall {
  double LongestGapMs = 0;
  double WallMs = 0;
  int Ticks = 0;
};

// Runs the event loop until `done` says so (or `seconds` pass) and measures the tick gaps.
TStall Measure(const std::function<bool()>& done, int seconds) {
  TStall stall;
  QElapsedTimer wall;
  QElapsedTimer sinceTick;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  ticker.setInterval(kTickMs);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    stall.LongestGapMs = std::max(stall.LongestGapMs, sinceTick.nsecsElapsed() / 1e6);
    sinceTick.restart();
    ++stall.Ticks;
  });
  wall.start();
  sinceTick.start();
  ticker.start();
  while (wall.elapsed() < seconds * 1000 && !done()) {
    QApplication::processEvents(QEventLoop::AllEvents, kTickMs);
  }
  stall.WallMs = wall.nsecsElapsed() / 1e6;
  return stall;
}

struct TSession {
  explicit TSession(const QString& simOptions, bool withPages = false) {
    if (withPages) RegisterSettingsPages(pages);
    auto parsed = TSimOptions::Parse(simOptions);
    vehicle = std::make_shared<TVirtualAdapter>(*parsed);
    adapter = std::make_unique<TAdapter>(
        [this](const QString&) { return std::make_unique<TSimPort>(vehicle); });
    adapter->SetDescription(QStringLiteral("sim"));
    form = std::make_unique<TMainForm>(*adapter, options, pages);
    form->show();
  }
  ~TSession() {
    form.reset();
    adapter.reset();
  }
  // Every persistent memory of every module gets one control over its first bytes, as the
  // settings pages will bind them.
  void BindEveryArea() {
    std::vector<IBoundControl*> bound;
    TLanDevices& registry = form->Registry();
    for (int i = 0; i < registry.Count(); ++i) {
      for (const auto& area : registry.Items(i).Items()) {
        if (!kPersistentLocations.Contains(area->MemID()) || area->Size() == 0) continue;
        auto control = std::make_unique<THeadlessControl>(area->GetTitle(), area->GetTitle());
        TComponentData& data = control->ComponentData();
        data.SetLanAddr(registry.Items(i).LanAddr());
        data.SetMemID(area->MemID());
        data.SetAddr(0);
        data.SetDataType(stArray);
        data.SetMaxVal(std::min(area->Size(), kBytesPerArea));
        bound.push_back(control.get());
        controls.push_back(std::move(control));
      }
    }
    registry.BindControls(bound, {});
  }
  TOptionsData options;
  TPageRegistry pages;
  std::shared_ptr<TVirtualAdapter> vehicle;
  std::unique_ptr<TAdapter> adapter;
  std::unique_ptr<TMainForm> form;
  std::vector<std::unique_ptr<THeadlessControl>> controls;
};

void Print(const char* what, const TStall& stall) {
  std::printf("%-52s longest gap %7.1f ms  (%d ticks in %.0f ms)\n", what, stall.LongestGapMs,
              stall.Ticks, stall.WallMs);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::printf("UI thread stall, %d ms timer, goal: at most 50 ms\n", kTickMs);
  {
    TSession session(QStringLiteral("main"));
    Print("(a) idle 10 s, only the main module (sim:main)",
          Measure([] { return false; }, kIdleSeconds));
  }
  {
    TSession session{QString()};
    session.BindEveryArea();
    // Let the start-up scan settle, then read everything.
    Measure([&] { return !session.form->ScanPending(); }, kIdleSeconds);
    const int framesBefore = session.vehicle->FramesFromPc();
    session.form->ReadAll();
    const TStall stall =
        Measure([&] { return !session.form->Busy().IsBusy() && session.form->BusIdle(); }, 120);
    Print("(b) read of every module (sim)", stall);
    std::printf("    %d frames sent by the read\n", session.vehicle->FramesFromPc() - framesBefore);
  }
  {
    TSession session(QStringLiteral("silent=2"));
    Print("(c) idle 10 s, main module silent (sim:silent=2)",
          Measure([] { return false; }, kIdleSeconds));
  }
  {
    TSession session(QStringLiteral("live"), true);
    Measure([&] { return !session.form->ScanPending(); }, kIdleSeconds);
    session.vehicle->Perform(TSimAction::StartEngine);
    auto* page = qobject_cast<TMainRStart*>(session.form->Page(QStringLiteral("MainRStart")));
    if (page != nullptr) page->ShowGraph();
    Print("(d) tacho graph 10 s, engine running (sim:live)",
          Measure([] { return false; }, kIdleSeconds));
  }
  return 0;
}
