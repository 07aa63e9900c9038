#include "shell/indicator_form.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>

#include "shell/indicator_lamps.h"
#include "shell/live_status.h"

namespace {

constexpr int kColumns = 2;
constexpr QSize kLampSize(31, 30);
constexpr int kBulb = 18;
const QColor kLitColour(0xFF, 0xD0, 0x20);
const QColor kDarkColour(0xC8, 0xC8, 0xC8);

}  // namespace

TLampPanel::TLampPanel(QWidget* parent) : QWidget(parent), lit_(IndicatorLamps().size(), false) {
  setObjectName(QStringLiteral("IndicatorLamps"));
  setMouseTracking(true);
}

bool TLampPanel::Lit(int lamp) const {
  return lamp >= 0 && lamp < static_cast<int>(lit_.size()) && lit_[static_cast<std::size_t>(lamp)];
}

void TLampPanel::SetLit(int lamp, bool lit) {
  if (lamp < 0 || lamp >= static_cast<int>(lit_.size())) return;
  lit_[static_cast<std::size_t>(lamp)] = lit;
  update(LampRect(lamp));
}

QRect TLampPanel::LampRect(int lamp) const {
  return {QPoint((lamp % kColumns) * kLampSize.width(), (lamp / kColumns) * kLampSize.height()),
          kLampSize};
}

int TLampPanel::LampAt(const QPoint& point) const {
  if (point.x() < 0 || point.y() < 0 || point.x() >= kColumns * kLampSize.width()) return -1;
  const int lamp = point.y() / kLampSize.height() * kColumns + point.x() / kLampSize.width();
  return lamp < static_cast<int>(lit_.size()) ? lamp : -1;
}

QSize TLampPanel::sizeHint() const {
  const int rows = (static_cast<int>(lit_.size()) + kColumns - 1) / kColumns;
  return {kColumns * kLampSize.width(), rows * kLampSize.height()};
}

void TLampPanel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font = painter.font();
  font.setPixelSize(10);
  font.setBold(true);
  painter.setFont(font);
  const auto rows = IndicatorLamps();
  for (int lamp = 0; lamp < static_cast<int>(rows.size()); ++lamp) {
    const QRect cell = LampRect(lamp);
    if (!event->rect().intersects(cell)) continue;
    const bool lit = Lit(lamp);
    // A lit lamp looks pressed, as the button it stands for would.
    painter.setPen(lit ? palette().color(QPalette::Dark) : palette().color(QPalette::Midlight));
    painter.setBrush(lit ? palette().color(QPalette::Mid) : palette().color(QPalette::Button));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    const QRectF bulb(cell.center().x() - kBulb / 2.0, cell.center().y() - kBulb / 2.0, kBulb,
                      kBulb);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(lit ? kLitColour : kDarkColour);
    painter.drawEllipse(bulb);
    const char* number = rows[static_cast<std::size_t>(lamp)].Number;
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
        lamp < 0 ? QString()
                 : QString::fromUtf8(IndicatorLamps()[static_cast<std::size_t>(lamp)].Hint);
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
  area->setWidget(lamps_);
  lamps_->resize(lamps_->sizeHint());
  setWidget(area);
  connect(&status, &TLiveStatus::LampChanged, lamps_, &TLampPanel::SetLit);
  // While floating it stays above the main window, as a tool window does.
  connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
    setWindowFlag(Qt::WindowStaysOnTopHint, floating);
    if (floating) show();
  });
}
