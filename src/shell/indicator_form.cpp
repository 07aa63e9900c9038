#include "shell/indicator_form.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "shell/indicator_lamps.h"
#include "shell/live_status.h"

namespace {

constexpr QSize kLampSize(31, 30);
constexpr int kBulb = 18;
constexpr int kNameGap = 6;
// Names longer than this many average characters are cut; the tool tip has them whole.
constexpr int kNameChars = 30;
const QColor kLitColour(0xFF, 0xD0, 0x20);
const QColor kDarkColour(0xC8, 0xC8, 0xC8);

// The name, and the hint where it says more than the name.
QString LampTip(const TLampRow& row) {
  const QString caption = QString::fromUtf8(LampCaption(row));
  const QString hint = QString::fromUtf8(row.Hint);
  return hint.isEmpty() || hint == caption ? caption : caption + u'\n' + hint;
}

}  // namespace

TLampPanel::TLampPanel(QWidget* parent) : QWidget(parent), lit_(IndicatorLamps().size(), false) {
  setObjectName(QStringLiteral("IndicatorLamps"));
  setMouseTracking(true);
  QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
  // Measured in bold, as a lit lamp's name is written.
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int names = 0;
  for (const TLampRow& row : IndicatorLamps()) {
    names = std::max(names, metrics.horizontalAdvance(QString::fromUtf8(LampCaption(row))));
  }
  cellWidth_ = kLampSize.width() + kNameGap +
               std::min(names, metrics.averageCharWidth() * kNameChars) + kNameGap;
}

int TLampPanel::CellWidth() const {
  return cellWidth_;
}

int TLampPanel::ColumnsFor(int width) const {
  return std::max(1, width / cellWidth_);
}

int TLampPanel::Columns() const {
  return ColumnsFor(width());
}

int TLampPanel::heightForWidth(int width) const {
  const int columns = ColumnsFor(width);
  const int rows = (static_cast<int>(lit_.size()) + columns - 1) / columns;
  return rows * kLampSize.height();
}

bool TLampPanel::Lit(int lamp) const {
  return lamp >= 0 && lamp < static_cast<int>(lit_.size()) && lit_[static_cast<std::size_t>(lamp)];
}

void TLampPanel::SetLit(int lamp, bool lit) {
  if (lamp < 0 || lamp >= static_cast<int>(lit_.size())) return;
  lit_[static_cast<std::size_t>(lamp)] = lit;
  update(LampRect(lamp));
}

// The whole cell of a lamp: its button and its name.
QRect TLampPanel::LampRect(int lamp) const {
  const int columns = Columns();
  return {QPoint((lamp % columns) * cellWidth_, (lamp / columns) * kLampSize.height()),
          QSize(cellWidth_, kLampSize.height())};
}

int TLampPanel::LampAt(const QPoint& point) const {
  const int columns = Columns();
  if (point.x() < 0 || point.y() < 0 || point.x() >= columns * cellWidth_) return -1;
  const int lamp = point.y() / kLampSize.height() * columns + point.x() / cellWidth_;
  return lamp < static_cast<int>(lit_.size()) ? lamp : -1;
}

QSize TLampPanel::sizeHint() const {
  return {cellWidth_, heightForWidth(cellWidth_)};
}

QSize TLampPanel::minimumSizeHint() const {
  return {cellWidth_, kLampSize.height()};
}

void TLampPanel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont numberFont = font();
  numberFont.setPixelSize(10);
  numberFont.setBold(true);
  const auto rows = IndicatorLamps();
  for (int lamp = 0; lamp < static_cast<int>(rows.size()); ++lamp) {
    const QRect whole = LampRect(lamp);
    if (!event->rect().intersects(whole)) continue;
    const TLampRow& row = rows[static_cast<std::size_t>(lamp)];
    const QRect cell(whole.topLeft(), kLampSize);
    const bool lit = Lit(lamp);
    // A lit lamp looks pressed, as the button it stands for would.
    painter.setPen(lit ? palette().color(QPalette::Dark) : palette().color(QPalette::Midlight));
    painter.setBrush(lit ? palette().color(QPalette::Mid) : palette().color(QPalette::Button));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    const QRect name = whole.adjusted(kLampSize.width() + kNameGap, 0, -kNameGap, 0);
    // A lit lamp's name is bold; it is painted, so nothing moves.
    QFont nameFont = font();
    nameFont.setBold(lit);
    painter.setFont(nameFont);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(name, Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(nameFont).elidedText(QString::fromUtf8(LampCaption(row)),
                                                       Qt::ElideRight, name.width()));
    painter.setFont(numberFont);
    const QRectF bulb(cell.center().x() - kBulb / 2.0, cell.center().y() - kBulb / 2.0, kBulb,
                      kBulb);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(lit ? kLitColour : kDarkColour);
    painter.drawEllipse(bulb);
    const char* number = row.Number;
    if (number[0] != '\0') {
      painter.setPen(lit ? palette().color(QPalette::Text)
                         : palette().color(QPalette::Disabled, QPalette::Text));
      painter.drawText(bulb, Qt::AlignCenter, QString::fromUtf8(number));
    }
  }
}

bool TLampPanel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const int lamp = LampAt(help->pos());
    const QString hint =
        lamp < 0 ? QString() : LampTip(IndicatorLamps()[static_cast<std::size_t>(lamp)]);
    if (hint.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), hint, this, LampRect(lamp));
    }
    return true;
  }
  return QWidget::event(event);
}

TIndicatorForm::TIndicatorForm(const TLiveStatus& status, QWidget* parent)
    : QDockWidget(QStringLiteral("Индикатор"), parent), lamps_(new TLampPanel) {
  setObjectName(QStringLiteral("IndicatorForm"));
  auto* area = new QScrollArea(this);
  area->setWidgetResizable(true);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setWidget(lamps_);
  // One column of lamps with their names, and the title, fit beside the scroll bar.
  area->setMinimumWidth(lamps_->CellWidth() + area->verticalScrollBar()->sizeHint().width() +
                        2 * area->frameWidth());
  setWidget(area);
  connect(&status, &TLiveStatus::LampChanged, lamps_, &TLampPanel::SetLit);
  // While floating it stays above the main window, as a tool window does.
  connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
    setWindowFlag(Qt::WindowStaysOnTopHint, floating);
    if (floating) show();
  });
}
