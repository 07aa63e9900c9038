#pragma once

#include <QColor>
#include <QWidget>

// The look every bound control shares: its caption (or value label) is bold while the value
// differs from the control's factory value.
inline void SetBoldLook(QWidget& widget, bool bold) {
  QFont font = widget.font();
  if (font.bold() == bold) return;
  font.setBold(bold);
  widget.setFont(font);
}

// Shifts every channel by `delta`, as the marker and frame shades of labels are derived.
inline QColor ShiftColor(const QColor& color, int delta) {
  const auto shift = [delta](int channel) { return qBound(0, channel + delta, 255); };
  return QColor(shift(color.red()), shift(color.green()), shift(color.blue()));
}
