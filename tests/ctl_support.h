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

// A vardexctl session whose context, and so its virtual vehicle, lasts from one command to the
// next; each result holds what that command printed.
class TCtlSession {
 public:
  explicit TCtlSession(const QString& port) : context_(outStream_, errStream_, port) {}

  TCtlResult Run(int (*command)(TCtlContext&, const QStringList&), const QStringList& args) {
    const qsizetype outAt = out_.size();
    const qsizetype errAt = err_.size();
    const int status = command(context_, args);
    outStream_.flush();
    errStream_.flush();
    return {status, out_.mid(outAt), err_.mid(errAt)};
  }

 private:
  QString out_;
  QString err_;
  QTextStream outStream_{&out_};
  QTextStream errStream_{&err_};
  TCtlContext context_;
};

// What a write printed after the line that names its backup, which comes first; the whole
// text when that line is missing, so that the comparison shows it.
inline QString AfterBackupLine(const QString& out) {
  if (!out.startsWith(QStringLiteral("backup saved to "))) return out;
  return out.section(u'\n', 1);
}
