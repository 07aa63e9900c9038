#include "app/port_catalogue.h"

#include <QDir>

#include "app/port_provider.h"
#include "link/ftdi_port.h"
#include "sim/sim_options.h"

std::vector<TPortChoice> TPortCatalogue::Choices() {
  std::vector<TPortChoice> choices;
  QStringList usb = TFtdiPort::PluggedDescriptions();
  // The product's own adapter is offered even unplugged: it is what a fresh start uses.
  const QString standard = QLatin1String(kDefaultAdapterDescription);
  if (!usb.contains(standard)) usb.prepend(standard);
  for (const QString& description : usb) choices.push_back({description, Title(description)});
  const QDir dev(QStringLiteral("/dev"));
  for (const QString& name : dev.entryList({QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
                                           QDir::System | QDir::Files, QDir::Name)) {
    const QString path = dev.filePath(name);
    choices.push_back({path, Title(path)});
  }
  choices.push_back({QStringLiteral("sim"), Title(QStringLiteral("sim"))});
  return choices;
}

QString TPortCatalogue::Title(const QString& description) const {
  if (TSimOptions::IsSimDescription(description)) {
    return description == QStringLiteral("sim")
               ? QStringLiteral("виртуальный автомобиль")
               : QStringLiteral("виртуальный автомобиль (%1)").arg(description.mid(4));
  }
  if (description.startsWith(u'/')) return description;
  return QStringLiteral("USB-адаптер «%1»").arg(description);
}
