#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The small window that shows what a transfer is doing while the main window is disabled.
class TProgress : public QDialog {
  Q_OBJECT

 public:
  explicit TProgress(QWidget* parent = nullptr);

  void SetText(const QString& text);
  QString Text() const;
  void SetProgress(int maximum, int position);
  int Maximum() const;
  int Position() const;

 private:
  QLabel* text_;
  QProgressBar* bar_;
};
