// Renders every registered settings page, shown in the main window against the virtual
// vehicle after a read of every module, into DIR/NAME.png (DIR defaults to
// build/screenshots), for a person to look at. Each page is rendered whole, as tall as its
// sections.
#include <QApplication>
#include <QStackedWidget>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <cstdio>
#include <memory>
#include <set>

#include "binding/ui/category_panels.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/vd_frame.h"
#include "journal/ui/events_form.h"
#include "link/adapter.h"
#include "pages/settings_pages.h"
#include "pages/main/output_programs.h"
#include "pages/main/program_editor.h"
#include "pages/main/rstart_page.h"
#include "pages/main/tacho_graph.h"
#include "shell/main_form.h"
#include "sim/sim_port.h"

namespace {

constexpr int kPageWidth = 900;

void SpinUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString dir =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/screenshots");
  QDir().mkpath(dir);

  TSimOptions simOptions;
  simOptions.LinkModel = false;
  auto vehicle = std::make_shared<TVirtualAdapter>(simOptions);
  TAdapter adapter([vehicle](const QString&) { return std::make_unique<TSimPort>(vehicle); });
  adapter.SetDescription(QStringLiteral("sim"));
  TOptionsData options;
  TPageRegistry pages;
  RegisterSettingsPages(pages);
  TMainForm form(adapter, options, pages);
  form.show();
  const auto idle = [&form] { return form.BusIdle() && !form.Busy().IsBusy(); };
  SpinUntil([&form] { return form.CurrentPage() && !form.ScanPending(); }, 10000);
  form.ReadAll();
  SpinUntil(idle, 30000);

  int failures = 0;
  TMainRStart* rstart = nullptr;
  for (const TPageInfo& info : pages.Pages()) {
    form.ShowPage(QStringLiteral("a") + info.Name, true);
    SpinUntil(idle, 10000);
    TVDFrame* page = form.Page(info.Name);
    if (!page) {
      ++failures;
      continue;
    }
    if (auto* remoteStart = qobject_cast<TMainRStart*>(page)) rstart = remoteStart;
    // The page on its own, as tall as all its sections, so that nothing is scrolled away; it
    // goes back to the window afterwards, where other pages look it up.
    auto* area = qobject_cast<QStackedWidget*>(page->parentWidget());
    page->setParent(nullptr);
    page->resize(kPageWidth, 700);
    page->show();
    QApplication::processEvents();
    page->resize(kPageWidth, page->CategoryPanels1()->widget()->sizeHint().height() + 4);
    QApplication::processEvents();
    const QString path = QDir(dir).filePath(info.Name + QStringLiteral(".png"));
    const bool saved = page->grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    failures += saved ? 0 : 1;
    page->hide();
    if (area != nullptr) area->addWidget(page);
  }

  // The event list and the output program editor, as the outputs page opens them.
  {
    std::set<int> favourites{12, 31};
    TEventsForm events({.IsFavourite = [&](int n) { return favourites.contains(n); },
                        .SetFavourite = [](int, bool) {},
                        .ColourRgb = [] { return 0xFFD080u; }});
    events.Open(QStringLiteral("Список событий"), [](int) {});
    QApplication::processEvents();
    const QString list = QDir(dir).filePath(QStringLiteral("EventList.png"));
    failures += events.grab().save(list) ? 0 : 1;
    std::printf("saved %s\n", qPrintable(list));
    TProgOuts editor(events);
    editor.Edit(1, TOutputProgram{});
    editor.show();
    QApplication::processEvents();
    const QString program = QDir(dir).filePath(QStringLiteral("ProgramEditor.png"));
    failures += editor.grab().save(program) ? 0 : 1;
    std::printf("saved %s\n", qPrintable(program));
    events.hide();
  }

  // The tacho graph of the remote start page while the engine runs.
  if (rstart != nullptr) {
    vehicle->SetLiveTraffic(true);
    vehicle->Perform(TSimAction::StartEngine);
    rstart->ShowGraph();
    QElapsedTimer running;
    running.start();
    SpinUntil([&running] { return running.elapsed() > 6000; }, 7000);
    const QString path = QDir(dir).filePath(QStringLiteral("TachoGraph.png"));
    const bool saved = rstart->Graph()->grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    failures += saved ? 0 : 1;
  }
  return failures == 0 ? 0 : 1;
}
