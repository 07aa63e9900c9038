#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "app/ctl/ctl_context.h"

// What one vardexctl command printed and returned.
struct TCtlResult {
  int status;
  QString out;
  QString err;
};

// Runs a command as vardexctl would, with the given arguments, on the virtual vehicle.
inline TCtlResult RunCtl(int (*command)(TCtlContext&, const QStringList&),
                         const QStringList& args) {
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  TCtlContext context(outStream, errStream, QStringLiteral("sim"));
  const int status = command(context, args);
  outStream.flush();
  errStream.flush();
  return {status, out, err};
}
