// Photographs what a new user meets, into DIR (default build/screenshots/orientation):
// port_chooser.png, the port chooser over the main window on the virtual vehicle, and
// fault_message.png, the one message of a read during which the adapter was unplugged.
// Run under an X server (xvfb-run), e.g. at 1280x720.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/port_catalogue.h"
#include "binding/ui/page_registry.h"
#include "link/adapter.h"
#include "pages/settings_pages.h"
#include "shell/main_form.h"
#include "shell/port_chooser.h"
#include "shell/qt_translations.h"
#include "sim/sim_port.h"

namespace {

void SpinUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

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
  const QString dir =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/screenshots/orientation");
  QDir().mkpath(dir);

  auto vehicle =
      std::make_shared<TVirtualAdapter>(*TSimOptions::FromDescription(QStringLiteral("sim")));
  TAdapter adapter([vehicle](const QString&) { return std::make_unique<TSimPort>(vehicle); });
  adapter.SetDescription(QStringLiteral("sim"));
  TOptionsData options;
  TPageRegistry pages;
  RegisterSettingsPages(pages);
  TMainForm form(adapter, options, pages);
  TPortCatalogue catalogue;
  form.SetPortCatalogue(&catalogue);
  form.show();
  const auto idle = [&form] { return form.BusIdle() && !form.Busy().IsBusy(); };
  SpinUntil([&form] { return form.CurrentPage() && !form.ScanPending(); }, 20000);
  SpinUntil([] { return false; }, 1000);

  QTimer::singleShot(1500, [&] {
    Grab(dir + QStringLiteral("/port_chooser.png"));
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  form.ChoosePort();

  // The read of the main module loses its adapter half-way; the message is photographed.
  bool shot = false;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    shot = Grab(dir + QStringLiteral("/fault_message.png"));
    box->done(QMessageBox::No);
  });
  answer.start(300);
  form.Action(QStringLiteral("aRead2"))->trigger();
  QTimer::singleShot(400, [&] { vehicle->Unplug(); });
  SpinUntil([&] { return shot; }, 60000);
  SpinUntil(idle, 10000);
  return shot ? 0 : 1;
}
