#pragma once

#include <QString>

class QWidget;

// The questions and messages of the journal window's export commands: file dialogs and
// message boxes in the program, recorded answers in tests.
class ILogPrompts {
 public:
  virtual ~ILogPrompts() = default;
  // The file name the user chose for the journal; empty when the dialog was cancelled.
  virtual QString AskExportName(QWidget* parent) = 0;
  virtual void Inform(QWidget* parent, const QString& text) = 0;
  virtual void Warn(QWidget* parent, const QString& text) = 0;
};
