#include "binding/ui/wheel_guard.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

QAbstractScrollArea* EnclosingScrollArea(QWidget& widget) {
  for (QWidget* parent = widget.parentWidget(); parent; parent = parent->parentWidget()) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(parent)) return area;
    if (parent->isWindow()) break;
  }
  return nullptr;
}

// Hands the wheel to the scroll area's viewport, where the area scrolls by it.
void ScrollInstead(QWidget& control, const QWheelEvent& wheel) {
  QAbstractScrollArea* area = EnclosingScrollArea(control);
  if (!area) return;
  QWidget* viewport = area->viewport();
  const QPointF position = viewport->mapFromGlobal(wheel.globalPosition());
  QWheelEvent scroll(position, wheel.globalPosition(), wheel.pixelDelta(), wheel.angleDelta(),
                     wheel.buttons(), wheel.modifiers(), wheel.phase(), wheel.inverted(),
                     wheel.source(), wheel.pointingDevice());
  QCoreApplication::sendEvent(viewport, &scroll);
}

}  // namespace

TWheelGuard::TWheelGuard(QObject* parent) : QObject(parent) {}

bool TWheelGuard::EditsOnWheel(const QWidget& widget) {
  if (qobject_cast<const QScrollBar*>(&widget)) return false;
  return qobject_cast<const QAbstractSlider*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
         qobject_cast<const QAbstractSpinBox*>(&widget);
}

bool TWheelGuard::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType()) return false;
  auto& widget = static_cast<QWidget&>(*watched);
  switch (event->type()) {
    case QEvent::Polish:
      // Combo and spin boxes take the focus from the wheel itself, before any filter sees
      // the wheel; they keep click and Tab focus.
      if (EditsOnWheel(widget) && widget.focusPolicy() == Qt::WheelFocus)
        widget.setFocusPolicy(Qt::StrongFocus);
      return false;
    case QEvent::Wheel:
      if (!EditsOnWheel(widget) || widget.hasFocus()) return false;
      ScrollInstead(widget, static_cast<const QWheelEvent&>(*event));
      return true;
    default:
      return false;
  }
}
