#include "binding/ui/vd_grid.h"

#include <QCursor>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTableView>
#include <QToolTip>
#include <algorithm>

namespace {

// Room a cell keeps around its text.
constexpr int kCellPadding = 8;

}  // namespace

TVDGrid::TVDGrid(QWidget* parent) : QTableWidget(parent) {
  setMouseTracking(true);
}

// The table's base destructor deletes its model, which announces a reset; by then this part of
// the grid is gone, so the row-following slots must hear nothing more.
TVDGrid::~TVDGrid() {
  disconnect(model(), nullptr, this, nullptr);
  disconnect(verticalHeader(), nullptr, this, nullptr);
}

void TVDGrid::SetCellHint(const QString& text) {
  if (text == hint_) return;
  hint_ = text;
  QToolTip::hideText();
  if (!hint_.isEmpty() && underMouse()) QToolTip::showText(QCursor::pos(), hint_, viewport());
}

void TVDGrid::FreezeTopRow() {
  if (frozen_ != nullptr) return;
  frozen_ = new QTableView(this);
  frozen_->setObjectName(objectName() + QStringLiteral("FrozenRow"));
  frozen_->setModel(model());
  frozen_->setSelectionModel(selectionModel());
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  frozen_->setSelectionMode(selectionMode());
  frozen_->horizontalHeader()->hide();
  frozen_->verticalHeader()->hide();
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setHorizontalScrollMode(horizontalScrollMode());
  frozen_->setFrameShape(QFrame::NoFrame);
  frozen_->setWordWrap(wordWrap());
  frozen_->setMouseTracking(true);
  frozen_->setStyleSheet(styleSheet());
  viewport()->stackUnder(frozen_);
  // Rows scroll by pixels, so that none hides under the frozen one for a whole step.
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

  connect(horizontalHeader(), &QHeaderView::sectionResized, frozen_,
          [this](int column, int, int size) { frozen_->setColumnWidth(column, size); });
  connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int row) {
    if (row == 0) PlaceFrozenRow();
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, frozen_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(frozen_->horizontalScrollBar(), &QScrollBar::valueChanged, horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(model(), &QAbstractItemModel::rowsInserted, this, &TVDGrid::FollowRows);
  connect(model(), &QAbstractItemModel::rowsRemoved, this, &TVDGrid::FollowRows);
  connect(model(), &QAbstractItemModel::columnsInserted, this, &TVDGrid::FollowRows);
  connect(model(), &QAbstractItemModel::modelReset, this, &TVDGrid::FollowRows);
  connect(frozen_, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& index) { emit cellClicked(index.row(), index.column()); });
  connect(frozen_, &QAbstractItemView::entered, this,
          [this](const QModelIndex& index) { emit cellEntered(index.row(), index.column()); });
  FollowRows();
  frozen_->show();
}

// The frozen view shows the first row only, with the grid's column widths.
void TVDGrid::FollowRows() {
  if (frozen_ == nullptr) return;
  for (int row = 0; row < rowCount(); ++row) frozen_->setRowHidden(row, row != 0);
  for (int column = 0; column < columnCount(); ++column) {
    frozen_->setColumnWidth(column, columnWidth(column));
  }
  PlaceFrozenRow();
}

void TVDGrid::PlaceFrozenRow() {
  if (frozen_ == nullptr) return;
  const bool hasRow = rowCount() > 0;
  frozen_->setVisible(hasRow);
  if (!hasRow) return;
  frozen_->setRowHeight(0, rowHeight(0));
  frozen_->setGeometry(viewport()->x(), viewport()->y(), viewport()->width(), rowHeight(0));
  frozen_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

void TVDGrid::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  PlaceFrozenRow();
}

void TVDGrid::updateGeometries() {
  QTableWidget::updateGeometries();
  PlaceFrozenRow();
}

int TVDGrid::WidthForText(const QString& text, int height, int minWidth) const {
  const QFontMetrics metrics = fontMetrics();
  const auto fits = [&](int width) {
    const QRect bound = metrics.boundingRect(QRect(0, 0, width - kCellPadding, 1 << 16),
                                             Qt::AlignCenter | Qt::TextWordWrap, text);
    return bound.width() <= width - kCellPadding && bound.height() <= height - kCellPadding;
  };
  int width = std::max(minWidth, kCellPadding + 1);
  // One line of the whole text always fits; no heading is wider than that.
  const int widest = metrics.horizontalAdvance(text) + kCellPadding;
  while (width < widest && !fits(width)) width += 2;
  return std::max(width, minWidth);
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
