#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The small window that shows what a transfer is doing while the main window is disabled, and
// lets the user stop it.
class TProgress : public QDialog {
  Q_OBJECT

 public:
  explicit TProgress(QWidget* parent = nullptr);

  void SetText(const QString& text);
  QString Text() const;
  void SetProgress(int maximum, int position);
  int Maximum() const;
  int Position() const;
  QPushButton* CancelButton() const { return cancel_; }

 signals:
  // "Отмена": the transfer stops after the packet in flight.
  void CancelRequested();

 protected:
  // Closing the window by its frame cancels like the button.
  void reject() override;

 private:
  QLabel* text_;
  QProgressBar* bar_;
  QPushButton* cancel_;
};
