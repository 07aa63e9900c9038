#pragma once

#include <QTableWidget>

class QTableView;

// The grid of matrix-like pages: it reports when the mouse leaves it and lets the page give
// every cell its own hint.
class TVDGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit TVDGrid(QWidget* parent = nullptr);
  ~TVDGrid() override;

  int StartRowIndex = 0;
  int StartColIndex = 0;

  // Replaces the hint being shown when `text` differs from it.
  void SetCellHint(const QString& text);
  QString CellHint() const { return hint_; }

  // Keeps the first row, which names the columns, in view while the other rows scroll under
  // it. Clicks and the mouse over it reach the page as over any cell of that row.
  void FreezeTopRow();
  // The view that shows the frozen row; nullptr until FreezeTopRow.
  QTableView* FrozenRow() const { return frozen_; }

  // The narrowest width, from `minWidth` up, at which `text` wraps into `height` pixels of a
  // cell without being cut, so that a column can be made as wide as its heading needs.
  int WidthForText(const QString& text, int height, int minWidth) const;

 signals:
  void MouseLeave();

 protected:
  void leaveEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void updateGeometries() override;

 private:
  void PlaceFrozenRow();
  void FollowRows();

  QString hint_;
  QTableView* frozen_ = nullptr;
};
