#pragma once

#include <QDialog>

class QCheckBox;

// A warning shown once per run, with the choice not to show it at the next start.
class TWarningForm : public QDialog {
  Q_OBJECT

 public:
  TWarningForm(const QString& first, const QString& second, QWidget* parent = nullptr);

  bool DoNotShowAgain() const;

  // The warnings the live status asks for.
  static QString AutoArmText();
  static QString AutoArmNote();
  static QString PowerDownText();

 private:
  QCheckBox* doNotShow_ = nullptr;
};
