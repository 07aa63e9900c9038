#include "journal/ui/event_grid.h"

#include <QMouseEvent>
#include <QPainter>

#include "journal/event_table.h"

namespace {

constexpr int kColumnWidths[TEventGridLayout::kColumnsPerBlock] = {26, 26, 260, 2};
constexpr int kBlockWidth = 26 + 26 + 260 + 2;
constexpr int kFontPointSize = 8;
constexpr int kTextMargin = 2;
constexpr QRgb kSeparatorColour = 0xC0C0C0;
// The mark of the icon column tells the event's first category at a glance.
constexpr QRgb kCategoryColours[kEventCategoryCount] = {0x9E9E9E, 0xE0662C, 0x2C7BE0, 0x3AA657,
                                                        0xB03AC0};

QColor MarkColour(int number) {
  for (int category = 1; category < kEventCategoryCount; ++category) {
    if (EventInCategory(number, category)) return QColor(kCategoryColours[category]);
  }
  return QColor(kCategoryColours[0]);
}

// The name as it fits the cell's two lines: a longer one loses its last words to "…" (the hint
// over the cell shows it whole).
QString FittedName(const QFontMetrics& metrics, const QString& name, const QRect& cell) {
  const auto fits = [&](const QString& text) {
    return metrics
               .boundingRect(QRect(0, 0, cell.width(), 10 * cell.height()), Qt::TextWordWrap, text)
               .height() <= cell.height();
  };
  if (fits(name)) return name;
  QString shorter = name;
  while (!shorter.isEmpty()) {
    const qsizetype space = shorter.lastIndexOf(u' ');
    shorter.truncate(std::max<qsizetype>(space, 0));
    if (fits(shorter + QStringLiteral("…"))) return shorter + QStringLiteral("…");
  }
  return metrics.elidedText(name, Qt::ElideRight, cell.width());
}

}  // namespace

TEventGrid::TEventGrid(TEventFavourites favourites, QWidget* parent)
    : QWidget(parent), favourites_(std::move(favourites)) {
  QFont grid = font();
  grid.setPointSize(kFontPointSize);
  grid.setBold(true);
  setFont(grid);
  // Two lines of text per row, so that long names wrap instead of being cut: the height of a
  // line of text, not of the letter's own outline, which leaves the second line half hidden.
  rowHeight_ = 2 * QFontMetrics(grid).height() + 4;
  setMouseTracking(true);
  Resize();
}

void TEventGrid::SetFilter(int category, const QString& search) {
  layout_.SetFilter(category, search);
  hovered_ = TEventGridLayout::kNone;
  Resize();
  update();
}

void TEventGrid::Resize() {
  setFixedSize(TEventGridLayout::kBlocks * kBlockWidth, layout_.Rows() * rowHeight_);
}

int TEventGrid::ColumnLeft(int column) const {
  int left = (column / TEventGridLayout::kColumnsPerBlock) * kBlockWidth;
  for (int i = 0; i < column % TEventGridLayout::kColumnsPerBlock; ++i) left += kColumnWidths[i];
  return left;
}

int TEventGrid::ColumnAt(int x) const {
  if (x < 0) return -1;
  for (int column = 0; column < TEventGridLayout::kColumns; ++column) {
    const int width = kColumnWidths[column % TEventGridLayout::kColumnsPerBlock];
    if (x < ColumnLeft(column) + width) return column;
  }
  return -1;
}

int TEventGrid::EventAt(const QPoint& point) const {
  if (point.y() < 0 || rowHeight_ <= 0) return TEventGridLayout::kNone;
  return layout_.EventAt(point.y() / rowHeight_, ColumnAt(point.x()));
}

QPoint TEventGrid::NameCellCentre(int number) const {
  int row = 0;
  int block = 0;
  if (!layout_.Place(number, row, block)) return {};
  const int column = block * TEventGridLayout::kColumnsPerBlock + TEventGridLayout::kNameColumn;
  return {ColumnLeft(column) + kColumnWidths[TEventGridLayout::kNameColumn] / 2,
          row * rowHeight_ + rowHeight_ / 2};
}

void TEventGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect dirty = event->rect();
  const int firstRow = std::max(0, dirty.top() / rowHeight_);
  const int lastRow = std::min(layout_.Rows() - 1, dirty.bottom() / rowHeight_);
  const QColor beacon(static_cast<QRgb>(favourites_.ColourRgb()));
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = 0; column < TEventGridLayout::kColumns; ++column) {
      const int kind = column % TEventGridLayout::kColumnsPerBlock;
      const QRect cell(ColumnLeft(column), row * rowHeight_, kColumnWidths[kind], rowHeight_);
      if (kind == TEventGridLayout::kSeparatorColumn) {
        painter.fillRect(cell, QColor(kSeparatorColour));
        continue;
      }
      const int number = layout_.EventAt(row, column);
      const bool hovered = number != TEventGridLayout::kNone && number == hovered_;
      painter.fillRect(cell, palette().color(hovered ? QPalette::Highlight : QPalette::Base));
      if (number == TEventGridLayout::kNone) continue;
      painter.setPen(palette().color(hovered ? QPalette::HighlightedText : QPalette::Text));
      const QRect text = cell.adjusted(kTextMargin, 0, -kTextMargin, 0);
      if (kind == TEventGridLayout::kNumberColumn) {
        if (number > 0 && favourites_.IsFavourite(number) && !hovered) {
          painter.fillRect(cell, beacon);
        }
        painter.drawText(text, Qt::AlignCenter, QString::number(number));
      } else if (kind == TEventGridLayout::kNameColumn) {
        const QString name = number == 0 ? EventCodeText(0) : EventName(number);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                         FittedName(painter.fontMetrics(), name, text));
      } else if (number > 0) {
        painter.setBrush(MarkColour(number));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(cell.center() + QPoint(1, 1), 5, 5);
      }
    }
  }
}

void TEventGrid::SetHovered(int number) {
  if (number < 1) number = TEventGridLayout::kNone;
  if (number == hovered_) return;
  hovered_ = number;
  setToolTip(number == TEventGridLayout::kNone ? QString() : EventName(number));
  update();
}

void TEventGrid::mouseMoveEvent(QMouseEvent* event) {
  if (ignoreMove_) {
    ignoreMove_ = false;
    return;
  }
  SetHovered(EventAt(event->position().toPoint()));
}

void TEventGrid::leaveEvent(QEvent*) {
  SetHovered(TEventGridLayout::kNone);
}

void TEventGrid::mousePressEvent(QMouseEvent* event) {
  const int number = EventAt(event->position().toPoint());
  if (number == TEventGridLayout::kNone) return;
  if (event->button() == Qt::RightButton) {
    if (number >= 1) emit DescriptionRequested(number);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (event->modifiers().testFlag(Qt::ControlModifier)) {
    if (number >= 1) {
      favourites_.SetFavourite(number, !favourites_.IsFavourite(number));
      update();
    }
    return;
  }
  emit Picked(number);
}
