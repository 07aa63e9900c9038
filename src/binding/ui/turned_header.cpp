#include "binding/ui/turned_header.h"

#include <QApplication>
#include <QPainter>

namespace {

// Room a heading keeps around its text.
constexpr int kPadding = 6;

// Writes `text` upwards in `rect`, from its bottom, cut with "…" where it is too long.
void DrawTurned(QPainter& painter, const QRect& rect, const QString& text, const QColor& colour) {
  painter.save();
  painter.translate(rect.left(), rect.bottom());
  painter.rotate(-90);
  const QRect turned(kPadding, 0, rect.height() - 2 * kPadding, rect.width());
  painter.setPen(colour);
  painter.drawText(turned, Qt::AlignLeft | Qt::AlignVCenter,
                   painter.fontMetrics().elidedText(text, Qt::ElideRight, turned.width()));
  painter.restore();
}

}  // namespace

TTurnedHeader::TTurnedHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(false);
}

QString TTurnedHeader::SectionText(int logicalIndex) const {
  return model() != nullptr
             ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString()
             : QString();
}

void TTurnedHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  // The frame and background as the style draws them, the text turned on top.
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.rect = rect;
  option.section = logicalIndex;
  option.text.clear();
  style()->drawControl(QStyle::CE_Header, &option, painter, this);
  DrawTurned(*painter, rect, SectionText(logicalIndex), palette().color(QPalette::ButtonText));
}

QSize TTurnedHeader::sectionSizeFromContents(int logicalIndex) const {
  return {fontMetrics().height() + kPadding,
          fontMetrics().horizontalAdvance(SectionText(logicalIndex)) + 2 * kPadding};
}

int TTurnedFirstRow::RowHeightFor(const QFontMetrics& metrics, const QString& text) {
  return metrics.horizontalAdvance(text) + 2 * kPadding;
}

void TTurnedFirstRow::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  if (index.row() != 0) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem plain = option;
  initStyleOption(&plain, index);
  const QString text = plain.text;
  plain.text.clear();
  const QWidget* widget = option.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);
  painter->setFont(plain.font);
  DrawTurned(*painter, option.rect, text, option.palette.color(QPalette::Text));
}
