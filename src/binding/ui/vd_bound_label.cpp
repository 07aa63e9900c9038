#include "binding/ui/vd_bound_label.h"

#include "binding/ui/vd_look.h"

TVDBoundLabel::TVDBoundLabel(const QString& role, const QString& ownerName, QWidget* parent)
    : QLabel(ownerName, parent) {
  setObjectName(role);
}

QSize TVDBoundLabel::sizeHint() const {
  return QLabel::sizeHint() + QSize(BoldGrowth(*this, text()), 0);
}

QSize TVDBoundLabel::minimumSizeHint() const {
  // A wrapped caption may break anywhere; only a caption on one line needs its bold width.
  if (wordWrap()) return QLabel::minimumSizeHint();
  return QLabel::minimumSizeHint() + QSize(BoldGrowth(*this, text()), 0);
}
