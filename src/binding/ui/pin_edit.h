#pragma once

#include <QLineEdit>

// A four-digit code typed as "1-2-3-4". A digit outside low..high becomes the nearest allowed
// one as soon as it is typed; Edited follows every change the user makes.
class TPinEdit : public QLineEdit {
  Q_OBJECT

 public:
  TPinEdit(QChar low, QChar high, QWidget* parent = nullptr);

  // The digits typed, without the dashes; fewer than four while the edit is incomplete.
  QString Digits() const;
  // Shows `digits` as they are, as loading a stored code does; no Edited.
  void SetDigits(const QString& digits);

 signals:
  void Edited();

 private:
  void UserEdited();

  QChar low_;
  QChar high_;
};
