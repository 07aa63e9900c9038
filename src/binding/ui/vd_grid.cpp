#include "binding/ui/vd_grid.h"

#include <QCursor>
#include <QHelpEvent>
#include <QToolTip>

TVDGrid::TVDGrid(QWidget* parent) : QTableWidget(parent) {
  setMouseTracking(true);
}

void TVDGrid::SetCellHint(const QString& text) {
  if (text == hint_) return;
  hint_ = text;
  QToolTip::hideText();
  if (!hint_.isEmpty() && underMouse()) QToolTip::showText(QCursor::pos(), hint_, viewport());
}

void TVDGrid::leaveEvent(QEvent* event) {
  QTableWidget::leaveEvent(event);
  emit MouseLeave();
}

bool TVDGrid::viewportEvent(QEvent* event) {
  // The page's own hint wins over the items' tool tips.
  if (event->type() == QEvent::ToolTip) {
    if (hint_.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), hint_, viewport());
    }
    return true;
  }
  return QTableWidget::viewportEvent(event);
}
