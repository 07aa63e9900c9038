#include <QApplication>
#include <QCommandLineParser>

#include "app/port_provider.h"
#include "link/adapter.h"
#include "shell/main_form.h"
#include "version.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vardex"));
  QApplication::setApplicationVersion(QLatin1String(kVersionText));

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
  parser.process(app);

  TPortProvider ports;
  TAdapter adapter(ports.Factory());
  adapter.SetDescription(parser.isSet(portOption) ? parser.value(portOption)
                                                  : QString::fromUtf8(kDefaultAdapterDescription));
  TMainForm form(adapter);
  form.show();
  return QApplication::exec();
}
