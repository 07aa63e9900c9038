#include "binding/ui/vd_labeled_memo.h"

#include <QEvent>

#include "binding/ui/vd_look.h"

TVDLabeledMemo::TVDLabeledMemo(QWidget* parent)
    : TVDMemo(parent),
      extLabel_(new TVDBoundLabel(QStringLiteral("ExtLabel"), objectName(), parent)) {
  extLabel_->setWordWrap(true);
}

TVDLabeledMemo::~TVDLabeledMemo() {
  delete extLabel_.data();
}

void TVDLabeledMemo::TextChanged() {
  if (extLabel_) SetBoldLook(*extLabel_, !IsDefault());
}

void TVDLabeledMemo::setVisible(bool visible) {
  TVDMemo::setVisible(visible);
  if (extLabel_) extLabel_->setVisible(visible);
}

void TVDLabeledMemo::changeEvent(QEvent* event) {
  TVDMemo::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && extLabel_) extLabel_->setEnabled(isEnabled());
}
