#pragma once

#include <QDialog>

class QLabel;

// "Причина тревоги": what set the alarm off, shown until the alarm ends or the user closes it.
class TAlarmCauseForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAlarmCauseForm(QWidget* parent = nullptr);

  void SetCause(const QString& cause);
  QString Cause() const;

 private:
  QLabel* cause_ = nullptr;
};
