// Shows the main window against a virtual vehicle with a lossy link
// (sim:drop=0.05,late=0.05:150), changes settings of several modules and writes them until a
// write fails (the main module falls silent from the third write on), then saves a picture of the screen with the write report to DIR/write_report.png
// (DIR defaults to build/screenshots). Run under a real X server (xvfb-run).
#include <QAbstractButton>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "shot_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString path = ShotFolder(argc, argv, QStringLiteral("build/screenshots")) +
                       QStringLiteral("/write_report.png");

  TShotWindow shot(*TSimOptions::FromDescription(QStringLiteral("sim:drop=0.05,late=0.05:150")));
  TMainForm& form = shot.form;
  const std::shared_ptr<TVirtualAdapter>& vehicle = shot.vehicle;
  // The write goes on without first listing the changes: the report is what is photographed.
  shot.options.ShowChangesBeforeWrite = false;
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

  const auto idle = [&shot] { return shot.Idle(); };
  shot.WaitStarted(20000);
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
