#include "pages/extension/formula_label.h"

TFormulaLabel::TFormulaLabel(std::function<QString()> text, QWidget* parent)
    : QLabel(parent), text_(std::move(text)) {
  setMouseTracking(true);
  Recompute();
}

void TFormulaLabel::Recompute() {
  setText(text_());
}

void TFormulaLabel::enterEvent(QEnterEvent* event) {
  Recompute();
  QLabel::enterEvent(event);
}

void TFormulaLabel::mouseMoveEvent(QMouseEvent* event) {
  Recompute();
  QLabel::mouseMoveEvent(event);
}
