#pragma once

#include <QByteArray>
#include <QString>

// How a save ended.
enum class TSaveOutcome {
  Saved,
  // The name is a directory, a socket or another node that is not a file: nothing was touched.
  Refused,
  // The file could not be written; its previous contents are kept where that is possible.
  Failed,
};

struct TSaveResult {
  TSaveOutcome Outcome = TSaveOutcome::Saved;
  // Why the save did not happen, in the user's words ("нет места на диске").
  QString Reason;
  // The whole sentence for the user: the file and the reason.
  QString Error;
  bool Ok() const { return Outcome == TSaveOutcome::Saved; }
};

// The one way the program saves what the user asked to keep. A regular file, or a name that
// does not exist yet, is replaced atomically through a temporary file beside it, so a failing
// save never leaves half a file; a symbolic link has its target written. A character device or
// a pipe the user names (/dev/stdout, a FIFO) is written directly, because renaming over it
// would replace a system node with a file. Anything else is refused and left alone.
TSaveResult SaveFileBytes(const QString& path, const QByteArray& bytes);

// Why `path` cannot be saved to whatever is written (a directory, a socket, ...); empty when a
// save may go ahead. Lets a command refuse before it does the work whose result it would save.
QString RefusedSaveTarget(const QString& path);

// The user's words for an errno value of a failed save.
QString SaveErrorReason(int error);
