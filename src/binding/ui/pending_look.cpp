#include "binding/ui/pending_look.h"

#include <QPainter>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {

// The palette and fill the widget had before it was tinted, kept on the widget itself so
// that whatever tints it can also untint it, and a deleted widget takes them along.
constexpr char kSavedPalette[] = "vardexPendingPalette";
constexpr char kSavedFill[] = "vardexPendingFill";

}  // namespace

bool HasPendingLook(const QWidget& widget) {
  return widget.property(kSavedPalette).isValid();
}

void SetPendingLook(QWidget& widget, bool pending) {
  if (HasPendingLook(widget) == pending) return;
  if (!pending) {
    widget.setPalette(widget.property(kSavedPalette).value<QPalette>());
    widget.setAutoFillBackground(widget.property(kSavedFill).toBool());
    widget.setProperty(kSavedPalette, QVariant());
    widget.setProperty(kSavedFill, QVariant());
    return;
  }
  // A widget that inherits its palette goes on inheriting it afterwards.
  const QPalette own = widget.palette().resolveMask() != 0 ? widget.palette() : QPalette();
  widget.setProperty(kSavedPalette, QVariant::fromValue(own));
  widget.setProperty(kSavedFill, widget.autoFillBackground());
  QPalette tinted = widget.palette();
  tinted.setColor(QPalette::Window, kPendingColor);
  tinted.setColor(QPalette::Base, kPendingColor.lighter(125));
  tinted.setColor(QPalette::Button, kPendingColor);
  widget.setPalette(tinted);
  widget.setAutoFillBackground(true);
}

void PaintPendingMark(QPainter& painter, const QRect& rect) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(kPendingColor.darker(170));
  painter.setBrush(kPendingColor.darker(120));
  painter.drawEllipse(rect);
  painter.restore();
}
