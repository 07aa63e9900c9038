#pragma once

#include <QTableWidget>

// The grid of matrix-like pages: it reports when the mouse leaves it and lets the page give
// every cell its own hint.
class TVDGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit TVDGrid(QWidget* parent = nullptr);

  int StartRowIndex = 0;
  int StartColIndex = 0;

  // Replaces the hint being shown when `text` differs from it.
  void SetCellHint(const QString& text);
  QString CellHint() const { return hint_; }

 signals:
  void MouseLeave();

 protected:
  void leaveEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  QString hint_;
};
