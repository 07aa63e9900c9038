#pragma once

#include <QString>

#include "journal/logger.h"

class QWidget;

// A journal export the user asked for: where, and in which encoding.
struct TLogExportChoice {
  QString FileName;  // empty when the dialog was cancelled
  TLogger::TEncoding Encoding = TLogger::TEncoding::Utf8Lf;
};

// The questions and messages of the journal window's file commands: file dialogs and
// message boxes in the program, recorded answers in tests.
class ILogPrompts {
 public:
  virtual ~ILogPrompts() = default;
  // Where to export the journal, starting in `folder`.
  virtual TLogExportChoice AskExportName(QWidget* parent, const QString& title,
                                         const QString& folder) = 0;
  // A bus capture to write (`save`) or to open, starting in `folder`; empty when cancelled.
  virtual QString AskCaptureName(QWidget* parent, bool save, const QString& folder) = 0;
  virtual void Warn(QWidget* parent, const QString& text) = 0;
};
