#pragma once

#include <QDialog>
#include <map>

#include "shell/options_data.h"

class QCheckBox;
class QComboBox;
class QPushButton;

// "Свойства программы": the program's own settings.
class TFuncForm : public QDialog {
  Q_OBJECT

 public:
  explicit TFuncForm(QWidget* parent = nullptr);

  // Fills the dialog from the options; the adapter field shows `portInUse`, the port the
  // program really has open (given on the command line, say), or the saved one without it.
  void Fill(const TOptionsData& options, const QString& portInUse = {});
  // Takes the dialog's values over; the one-shot layout request is cleared in the dialog.
  void Apply(TOptionsData& options);
  // The port typed or chosen instead of the one shown; empty when it was left as it was.
  QString ChangedPort() const;

  QColor ColorOf(const QString& boxName) const;
  void SetColorOf(const QString& boxName, const QColor& color);
  QCheckBox* Check(const QString& name) const;

 signals:
  void HelpRequested();

 private:
  QPushButton* AddColorBox(const QString& name, const QString& caption);

  std::map<QString, QPushButton*> colorBoxes_;
  std::map<QString, QColor> colors_;
  QComboBox* port_;
  QString shownPort_;
};
