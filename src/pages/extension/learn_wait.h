#pragma once

#include <QDialog>

class QLabel;

// The window that waits while the installer presses the car's button: what to press, for
// what, and a way out. It closes as success when the module reports the button learned.
class TLearnWait : public QDialog {
  Q_OBJECT

 public:
  explicit TLearnWait(QWidget* parent = nullptr);

  void Show(const QString& caption, const QString& prompt, const QString& detail);
  QString Prompt() const;
  QString Detail() const;

 private:
  QLabel* prompt_;
  QLabel* detail_;
};
