// Photographs what a new user meets, into DIR (default build/screenshots/orientation):
// port_chooser.png, the port chooser over the main window on the virtual vehicle, and
// fault_message.png, the one message of a read during which the adapter was unplugged.
// Run under an X server (xvfb-run), e.g. at 1280x720.
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/port_catalogue.h"
#include "shell/port_chooser.h"
#include "shell/qt_translations.h"
#include "shot_window.h"

namespace {

bool Grab(const QString& path) {
  QApplication::processEvents();
  const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallQtTranslations(app);
  const QString dir = ShotFolder(argc, argv, QStringLiteral("build/screenshots/orientation"));

  TShotWindow shot(*TSimOptions::FromDescription(QStringLiteral("sim")));
  TMainForm& form = shot.form;
  TPortCatalogue catalogue;
  form.SetPortCatalogue(&catalogue);
  form.show();
  shot.WaitStarted(20000);
  SpinUntil([] { return false; }, 1000);

  QTimer::singleShot(1500, [&] {
    Grab(dir + QStringLiteral("/port_chooser.png"));
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  form.ChoosePort();

  // The read of the main module loses its adapter half-way; the message is photographed.
  bool taken = false;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    taken = Grab(dir + QStringLiteral("/fault_message.png"));
    box->done(QMessageBox::No);
  });
  answer.start(300);
  form.Action(QStringLiteral("aRead2"))->trigger();
  QTimer::singleShot(400, [&] { shot.vehicle->Unplug(); });
  SpinUntil([&] { return taken; }, 60000);
  shot.WaitIdle(10000);
  return taken ? 0 : 1;
}
