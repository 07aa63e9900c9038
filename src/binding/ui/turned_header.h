#pragma once

#include <QHeaderView>
#include <QStyledItemDelegate>

// A column header whose names read upwards, for grids of many narrow columns: each column keeps
// the width of its marks while its heading is read whole.
class TTurnedHeader : public QHeaderView {
  Q_OBJECT

 public:
  explicit TTurnedHeader(QWidget* parent = nullptr);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  QSize sectionSizeFromContents(int logicalIndex) const override;

 private:
  QString SectionText(int logicalIndex) const;
};

// The same for grids whose first row names the columns: that row's text reads upwards.
class TTurnedFirstRow : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // The height of a first row whose longest name is `text`.
  static int RowHeightFor(const QFontMetrics& metrics, const QString& text);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};
