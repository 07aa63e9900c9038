#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "app/port_catalogue.h"
#include "app/port_provider.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/wheel_guard.h"
#include "link/adapter.h"
#include "pages/settings_pages.h"
#include "shell/main_form.h"
#include "shell/options_data.h"
#include "shell/qt_translations.h"
#include "shell/single_instance.h"
#include "sim/sim_options.h"
#include "version.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QLatin1String(TOptionsData::kOrganization));
  QApplication::setApplicationName(QLatin1String(TOptionsData::kApplication));
  QApplication::setApplicationVersion(QLatin1String(kVersionText));
  TWheelGuard wheelGuard;
  app.installEventFilter(&wheelGuard);
  InstallQtTranslations(app);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Configures the modules of a vehicle security system over its bus."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption portOption(
      QStringLiteral("port"),
      QStringLiteral("Adapter for this run (not saved): sim[:OPTIONS], a device path such as "
                     "/dev/ttyUSB0, or the adapter's USB description."),
      QStringLiteral("DESCRIPTION"));
  parser.addOption(portOption);
  // For the start-up benchmark: say "shown" and quit as soon as the window is up.
  QCommandLineOption shownOption(QStringLiteral("exit-when-shown"));
  shownOption.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(shownOption);
  parser.process(app);

  // A mistyped simulator option would otherwise only show as an adapter that does not open.
  if (QString error; parser.isSet(portOption) &&
                     TSimOptions::IsSimDescription(parser.value(portOption)) &&
                     !TSimOptions::FromDescription(parser.value(portOption), &error)) {
    std::fprintf(stderr, "vardex: --port %s: %s\n", qPrintable(parser.value(portOption)),
                 qPrintable(error));
    return 2;
  }

  TSingleInstance instance;
  if (!instance.Acquire()) return 0;

  QSettings settings;
  TOptionsData options;
  options.Load(settings);

  TPageRegistry pages;
  RegisterSettingsPages(pages);
  TPortProvider ports;
  TAdapter adapter(ports.Factory());
  // A port given on the command line is for this run only: the saved option stays.
  const QString savedPort = options.PortName;
  adapter.SetDescription(parser.isSet(portOption) ? parser.value(portOption) : savedPort);

  TMainForm form(adapter, options, pages);
  TPortCatalogue portCatalogue;
  form.SetPortCatalogue(&portCatalogue);
  QObject::connect(&instance, &TSingleInstance::ActivateRequested, &form, [&form] {
    form.showNormal();
    form.raise();
    form.activateWindow();
  });
  form.RestoreState(settings);
  form.show();
  if (parser.isSet(shownOption)) {
    QTimer::singleShot(0, &app, [] {
      std::fputs("shown\n", stdout);
      std::fflush(stdout);
      QApplication::quit();
    });
  }
  const int result = QApplication::exec();
  form.SaveState(settings);
  return result;
}
