#include "binding/ui/vd_bound_label.h"

#include <algorithm>

TVDBoundLabel::TVDBoundLabel(const QString& role, const QString& ownerName, QWidget* parent)
    : QLabel(ownerName, parent) {
  setObjectName(role);
}

namespace {

// The width QLabel asks for, worked out as it does, but for the bold look of the text: a
// wrapped caption tries a quarter and a half of 80 characters before the whole text.
int BoldHintWidth(const QLabel& label) {
  QFont bold = label.font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  const QMargins margins = label.contentsMargins();
  const int extra = margins.left() + margins.right() + 2 * label.margin();
  const int flags = static_cast<int>(label.alignment()) | Qt::TextExpandTabs |
                    (label.wordWrap() ? Qt::TextWordWrap : 0);
  const QString text = label.text();
  if (!label.wordWrap()) return metrics.boundingRect(0, 0, 2000, 2000, flags, text).width() + extra;
  const int width = std::min(metrics.averageCharWidth() * 80, label.maximumWidth()) - extra;
  QRect bound = metrics.boundingRect(0, 0, width, 2000, flags, text);
  if (bound.height() < 4 * metrics.lineSpacing() && bound.width() > width / 2) {
    bound = metrics.boundingRect(0, 0, width / 2, 2000, flags, text);
  }
  if (bound.height() < 2 * metrics.lineSpacing() && bound.width() > width / 4) {
    bound = metrics.boundingRect(0, 0, width / 4, 2000, flags, text);
  }
  return bound.width() + extra;
}

}  // namespace

QSize TVDBoundLabel::sizeHint() const {
  const QSize hint = QLabel::sizeHint();
  return {std::max(hint.width(), BoldHintWidth(*this)), hint.height()};
}

QSize TVDBoundLabel::minimumSizeHint() const {
  // A wrapped caption may break anywhere; only a caption on one line needs its bold width.
  const QSize hint = QLabel::minimumSizeHint();
  if (wordWrap()) return hint;
  return {std::max(hint.width(), BoldHintWidth(*this)), hint.height()};
}
