#pragma once

#include <QWidget>

#include "journal/event_favourites.h"
#include "journal/ui/event_grid_layout.h"

// The event list's grid: every event shown at once with its mark, number and name. It draws
// and reports; the window around it decides what a pick does.
class TEventGrid : public QWidget {
  Q_OBJECT

 public:
  explicit TEventGrid(TEventFavourites favourites, QWidget* parent = nullptr);

  void SetFilter(int category, const QString& search);
  const TEventGridLayout& Layout() const { return layout_; }
  int RowHeight() const { return rowHeight_; }
  // The event under a point of the grid; TEventGridLayout::kNone for an empty cell.
  int EventAt(const QPoint& point) const;
  // The middle of an event's name cell; a null point when the event is not shown.
  QPoint NameCellCentre(int number) const;
  int HoveredEvent() const { return hovered_; }
  // The next mouse move is not a hover: it comes from the window appearing under a still
  // mouse, not from the user.
  void IgnoreNextMove() { ignoreMove_ = true; }

 signals:
  void Picked(int number);
  void DescriptionRequested(int number);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  int ColumnLeft(int column) const;
  int ColumnAt(int x) const;
  void SetHovered(int number);
  void Resize();

  TEventFavourites favourites_;
  TEventGridLayout layout_;
  int rowHeight_ = 0;
  int hovered_ = TEventGridLayout::kNone;
  bool ignoreMove_ = false;
};
