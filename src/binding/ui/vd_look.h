#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

// The look every bound control shares: its caption (or value label) is bold while the value
// differs from the control's factory value.
inline void SetBoldLook(QWidget& widget, bool bold) {
  QFont font = widget.font();
  if (font.bold() == bold) return;
  font.setBold(bold);
  widget.setFont(font);
}

// How much wider `text` grows when the widget turns bold; 0 while it is bold. A control adds
// this to its size hints so that its width, and every control placed after it, stays put
// when its caption turns bold.
inline int BoldGrowth(const QWidget& widget, const QString& text) {
  if (widget.font().bold() || text.isEmpty()) return 0;
  QFont bold = widget.font();
  bold.setBold(true);
  return std::max(
      0, QFontMetrics(bold).horizontalAdvance(text) - widget.fontMetrics().horizontalAdvance(text));
}

// Shifts every channel by `delta`, as the marker and frame shades of labels are derived.
inline QColor ShiftColor(const QColor& color, int delta) {
  const auto shift = [delta](int channel) { return qBound(0, channel + delta, 255); };
  return QColor(shift(color.red()), shift(color.green()), shift(color.blue()));
}
