// Shows the main window against a virtual vehicle with a lossy link
// (sim:drop=0.05,late=0.05:150), changes settings of several modules and writes them until a
// write fails (the main module falls silent from the third write on), then saves a picture of the screen with the write report to DIR/write_report.png
// (DIR defaults to build/screenshots). Run under a real X server (xvfb-run).
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "binding/ui/page_registry.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "link/adapter.h"
#include "pages/settings_pages.h"
#include "shell/main_form.h"
#include "sim/sim_port.h"

namespace {

void SpinUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString dir =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/screenshots");
  QDir().mkpath(dir);
  const QString path = dir + QStringLiteral("/write_report.png");

  const auto simOptions =
      TSimOptions::FromDescription(QStringLiteral("sim:drop=0.05,late=0.05:150"));
  auto vehicle = std::make_shared<TVirtualAdapter>(*simOptions);
  TAdapter adapter([vehicle](const QString&) { return std::make_unique<TSimPort>(vehicle); });
  adapter.SetDescription(QStringLiteral("sim"));
  TOptionsData options;
  TPageRegistry pages;
  RegisterSettingsPages(pages);
  TMainForm form(adapter, options, pages);
  form.resize(1400, 900);
  form.show();

  // Questions during the transfers are answered "No"; the write report is photographed.
  bool reported = false;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    if (box->text().startsWith(QStringLiteral("Запись завершилась"))) {
      QApplication::processEvents();
      reported = QGuiApplication::primaryScreen()->grabWindow(0).save(path);
      std::printf("%s %s\n", reported ? "saved" : "could not save", qPrintable(path));
      box->done(QMessageBox::Ok);
      return;
    }
    std::printf("answered: %s\n", qPrintable(box->text().simplified()));
    box->done(QMessageBox::No);
  });
  answer.start(300);

  const auto idle = [&form] { return form.BusIdle() && !form.Busy().IsBusy(); };
  SpinUntil([&form] { return form.CurrentPage() && !form.ScanPending(); }, 20000);
  for (int attempt = 0; attempt < 8 && !reported; ++attempt) {
    for (const char* page : {"MainOptions", "SlaveOptions", "TiltOptions"}) {
      form.ShowPage(QStringLiteral("a") + QLatin1String(page), true);
      SpinUntil(idle, 60000);
      TVDFrame* frame = form.Page(QLatin1String(page));
      if (!frame) continue;
      int clicked = 0;
      for (TVDCheckBox* box : frame->findChildren<TVDCheckBox*>()) {
        if (box->isEnabled() && clicked < 3) {
          box->click();
          ++clicked;
        }
      }
    }
    SpinUntil([&form] { return !form.ScanPending(); }, 20000);
    form.UpdateCommandStates();
    // The lossy link alone seldom defeats the retries: from the third write on, the main
    // module stops answering while the write runs.
    if (attempt >= 2) QTimer::singleShot(0, [&vehicle] { vehicle->SilenceModule(2, true); });
    form.Action(QStringLiteral("aWrite"))->trigger();
    SpinUntil(idle, 120000);
    SpinUntil([&] { return reported; }, 2000);
    std::printf("write %d: %s\n", attempt + 1, qPrintable(form.StatusText()));
  }
  return reported ? 0 : 1;
}
