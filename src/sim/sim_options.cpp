#include "sim/sim_options.h"

#include <QStringList>

std::optional<TSimOptions> TSimOptions::Parse(const QString& text, QString* error) {
  TSimOptions options;
  const auto fail = [error](const QString& message) -> std::optional<TSimOptions> {
    if (error) *error = message;
    return std::nullopt;
  };
  for (const QString& raw : text.split(u',', Qt::SkipEmptyParts)) {
    const QString item = raw.trimmed();
    if (item == u"main") {
      options.MainOnly = true;
    } else if (item == u"gen2") {
      options.Gen2 = true;
    } else if (item == u"nolink") {
      options.LinkModel = false;
    } else if (item == u"live" || item == u"quiet") {
      options.Live = item == u"live";
    } else if (item.startsWith(u"silent=") || item.startsWith(u"refuse=")) {
      bool ok = false;
      const int addr = item.section(u'=', 1).toInt(&ok, 0);
      if (!ok || addr < 2 || addr > 31)
        return fail(QStringLiteral("bad module address in '%1'").arg(item));
      (item.startsWith(u"silent=") ? options.Silent : options.Refused).insert(addr);
    } else {
      return fail(QStringLiteral("unknown simulator option '%1'").arg(item));
    }
  }
  return options;
}

bool TSimOptions::IsSimDescription(const QString& description) {
  return description == u"sim" || description.startsWith(u"sim:");
}

std::optional<TSimOptions> TSimOptions::FromDescription(const QString& description,
                                                        QString* error) {
  if (!IsSimDescription(description)) {
    if (error) *error = QStringLiteral("'%1' is not a simulator description").arg(description);
    return std::nullopt;
  }
  return Parse(description.mid(4), error);
}
