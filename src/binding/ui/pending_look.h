#pragma once

#include <QColor>

class QPainter;
class QRect;
class QWidget;

// The look of a pending change, a value the next write sends, kept apart from bold (which
// says "differs from factory"): a control or a page's button gets a tinted background, a
// section header a dot.
inline const QColor kPendingColor{0xFF, 0xD5, 0x6A};

// Tints the widget's background, or gives it back the palette it had before.
void SetPendingLook(QWidget& widget, bool pending);
bool HasPendingLook(const QWidget& widget);
void PaintPendingMark(QPainter& painter, const QRect& rect);
