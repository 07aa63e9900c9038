#pragma once

#include <QObject>

class QWidget;

// Keeps the mouse wheel from editing settings while the user scrolls a page: a track bar,
// combo box or spin box takes the wheel only once the user has given it the focus (click or
// Tab); otherwise the wheel scrolls the page around it. Installed once on the application, it
// covers every page and dialog, including those made later.
class TWheelGuard : public QObject {
  Q_OBJECT

 public:
  explicit TWheelGuard(QObject* parent = nullptr);

  // Whether the wheel over this widget would change a value.
  static bool EditsOnWheel(const QWidget& widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
