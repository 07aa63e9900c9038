#include "binding/ui/pin_edit.h"

#include "binding/pin_coding.h"

TPinEdit::TPinEdit(QChar low, QChar high, QWidget* parent)
    : QLineEdit(parent), low_(low), high_(high) {
  setInputMask(QStringLiteral("9-9-9-9;_"));
  setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0-0-0-0")) * 2);
  connect(this, &QLineEdit::textEdited, this, &TPinEdit::UserEdited);
}

QString TPinEdit::Digits() const {
  QString digits;
  for (const QChar c : text()) {
    if (c.isDigit()) digits += c;
  }
  return digits;
}

void TPinEdit::SetDigits(const QString& digits) {
  setText(digits);
}

void TPinEdit::UserEdited() {
  const QString shown = displayText();
  const QString clamped = ClampDigits(shown, low_, high_);
  if (clamped != shown) {
    const int cursor = cursorPosition();
    setText(clamped);
    setCursorPosition(cursor);
  }
  emit Edited();
}
