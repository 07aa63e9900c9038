#include "binding/ui/category_panels.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "binding/ui/pending_look.h"

namespace {

constexpr int kHeaderPadding = 6;
constexpr int kGlyphSize = 9;

}  // namespace

TPanelCategory::TPanelCategory(const QString& caption, QWidget* panel, TCategoryPanels& list)
    : QWidget(list.content_), caption_(caption), panel_(panel), list_(list) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, HeaderHeight(), 0, 0);
  layout->setSpacing(0);
  panel_->setParent(this);
  layout->addWidget(panel_);
  // A section that fills the list (a page's only one) keeps what it holds at its top: the
  // rows of its panel stay together there, and a panel of fixed height (a grid sized to its
  // rows) stands there; whatever can grow still takes the height.
  if (QLayout* rows = panel_->layout()) rows->setAlignment(Qt::AlignTop);
  if (panel_->maximumHeight() < QWIDGETSIZE_MAX ||
      (panel_->sizePolicy().verticalPolicy() & QSizePolicy::GrowFlag) == 0) {
    layout->setAlignment(panel_, Qt::AlignTop);
  }
  panel_->show();
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  setCursor(Qt::ArrowCursor);
}

int TPanelCategory::HeaderHeight() const {
  QFont bold = font();
  bold.setBold(true);
  return QFontMetrics(bold).height() + 2 * kHeaderPadding;
}

QRect TPanelCategory::HeaderRect() const {
  return {0, 0, width(), HeaderHeight()};
}

QSize TPanelCategory::sizeHint() const {
  const int panelHeight = collapsed_ ? 0 : panel_->sizeHint().height();
  return {panel_->sizeHint().width(), HeaderHeight() + panelHeight};
}

void TPanelCategory::SetTextColor(const QColor& color) {
  textColor_ = color;
  update();
}

void TPanelCategory::SetPending(bool pending) {
  if (pending_ == pending) return;
  pending_ = pending;
  update();
}

void TPanelCategory::SetCollapsed(bool collapsed) {
  if (collapsed_ == collapsed) return;
  collapsed_ = collapsed;
  panel_->setVisible(!collapsed);
  list_.Relayout();
  if (!collapsed) list_.ScrollToCategory(this);
  update();
  emit list_.CategoryCollapsed(this);
}

void TPanelCategory::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && HeaderRect().contains(event->position().toPoint())) {
    SetCollapsed(!collapsed_);
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void TPanelCategory::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect header = HeaderRect();
  QLinearGradient gradient(header.topLeft(), header.bottomLeft());
  gradient.setColorAt(0, list_.CategoryGradientColor());
  gradient.setColorAt(1, list_.CategoryColor());
  painter.fillRect(header, gradient);
  painter.setPen(list_.CategoryColor().darker(130));
  painter.drawLine(header.bottomLeft(), header.bottomRight());

  // Plus when collapsed, minus when expanded.
  const QRect glyph(kHeaderPadding, header.center().y() - kGlyphSize / 2, kGlyphSize, kGlyphSize);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setBrush(Qt::white);
  painter.drawRect(glyph);
  painter.drawLine(glyph.left() + 2, glyph.center().y(), glyph.right() - 2, glyph.center().y());
  if (collapsed_) {
    painter.drawLine(glyph.center().x(), glyph.top() + 2, glyph.center().x(), glyph.bottom() - 2);
  }

  QFont bold = font();
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(textColor_.isValid() ? textColor_ : palette().color(QPalette::WindowText));
  QRect text = header.adjusted(2 * kHeaderPadding + kGlyphSize, 0, -kHeaderPadding, 0);
  if (pending_) {
    const QRect mark(text.right() - kGlyphSize, header.center().y() - kGlyphSize / 2, kGlyphSize,
                     kGlyphSize);
    PaintPendingMark(painter, mark);
    text.setRight(mark.left() - kHeaderPadding);
  }
  painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

TCategoryPanels::TCategoryPanels(QWidget* parent)
    : QScrollArea(parent), content_(new QWidget), layout_(new QVBoxLayout(content_)) {
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(1);
  layout_->addStretch(1);
  setWidget(content_);
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

TPanelCategory* TCategoryPanels::AddCategory(const QString& caption, QWidget* panel) {
  auto* category = new TPanelCategory(caption, panel, *this);
  categories_.push_back(category);
  layout_->insertWidget(layout_->count() - 1, category);
  Relayout();
  return category;
}

void TCategoryPanels::MoveToEnd(TPanelCategory* category) {
  const auto it = std::find(categories_.begin(), categories_.end(), category);
  if (it == categories_.end()) return;
  categories_.erase(it);
  categories_.push_back(category);
  layout_->removeWidget(category);
  layout_->insertWidget(layout_->count() - 1, category);
  Relayout();
}

void TCategoryPanels::SetCategoryColors(const QColor& color, const QColor& gradient,
                                        const QColor& body) {
  categoryColor_ = color;
  gradientColor_ = gradient;
  bodyColor_ = body;
  QPalette palette = content_->palette();
  palette.setColor(QPalette::Window, bodyColor_);
  content_->setPalette(palette);
  content_->setAutoFillBackground(true);
  for (auto* category : categories_) category->update();
}

void TCategoryPanels::Relayout() {
  // A single expanded section takes the whole list; otherwise sections keep their height and
  // the trailing stretch takes what is left.
  const bool fill = categories_.size() == 1 && !categories_.front()->Collapsed();
  if (!categories_.empty()) {
    categories_.front()->setSizePolicy(QSizePolicy::Preferred,
                                       fill ? QSizePolicy::Expanding : QSizePolicy::Maximum);
    layout_->setStretchFactor(categories_.front(), fill ? 1 : 0);
  }
  layout_->setStretch(layout_->count() - 1, fill ? 0 : 1);
  for (auto* category : categories_) category->updateGeometry();
  content_->adjustSize();
  const int step = categories_.empty() ? 20 : categories_.front()->HeaderHeight();
  verticalScrollBar()->setSingleStep(step);
  verticalScrollBar()->setPageStep(std::max(step, viewport()->height() / step * step));
}

void TCategoryPanels::ScrollToCategory(TPanelCategory* category) {
  content_->layout()->activate();
  ensureWidgetVisible(category, 0, 0);
  // The header counts most: bring it into view even when the panel is taller than the list.
  const int top = category->y();
  if (top < verticalScrollBar()->value() ||
      top + category->HeaderHeight() > verticalScrollBar()->value() + viewport()->height()) {
    verticalScrollBar()->setValue(top);
  }
}

void TCategoryPanels::keyPressEvent(QKeyEvent* event) {
  QScrollBar* bar = verticalScrollBar();
  switch (event->key()) {
    case Qt::Key_Home:
      bar->setValue(bar->minimum());
      return;
    case Qt::Key_End:
      bar->setValue(bar->maximum());
      return;
    case Qt::Key_Up:
      bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
      return;
    case Qt::Key_Down:
      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      return;
    case Qt::Key_PageUp:
      bar->triggerAction(QAbstractSlider::SliderPageStepSub);
      return;
    case Qt::Key_PageDown:
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      return;
    default:
      QScrollArea::keyPressEvent(event);
  }
}

void TCategoryPanels::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  Relayout();
}
