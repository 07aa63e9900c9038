#include "binding/ui/vd_bound_label.h"

TVDBoundLabel::TVDBoundLabel(const QString& role, const QString& ownerName, QWidget* parent)
    : QLabel(ownerName, parent) {
  setObjectName(role);
}
