#pragma once

#include <QLabel>
#include <functional>

// A label showing a figure that follows from other controls. It works its text out again
// when asked and whenever the mouse moves over it, so a figure the user looks at is never
// stale.
class TFormulaLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TFormulaLabel(std::function<QString()> text, QWidget* parent = nullptr);

  void Recompute();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  std::function<QString()> text_;
};
