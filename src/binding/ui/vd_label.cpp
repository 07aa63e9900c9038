#include "binding/ui/vd_label.h"

#include <QPainter>

#include "binding/comp_error.h"
#include "binding/ui/vd_look.h"
#include "binding/value_coding.h"
#include "memory/base_device_memory_item.h"

TVDLabel::TVDLabel(QWidget* parent)
    : QLabel(parent), markerColor_(palette().color(QPalette::Highlight)) {}

void TVDLabel::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  update();
}

void TVDLabel::SetMarkerOffset(int offset) {
  markerOffset_ = std::max(2, offset);
  updateGeometry();
  update();
}

void TVDLabel::SetMarkerColor(const QColor& color) {
  markerColor_ = color;
  update();
}

void TVDLabel::Load() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  const TComponentData& data = ComponentData();
  WrapComp(ControlName(), GetCaption(), [&] {
    const uint8_t b = mem->GetByte(data.Addr());
    if (OnLoad) {
      OnLoad(*this, b, 0);
    } else {
      SetActive(GetBit(b, data.StartBit()) == 1);
    }
  });
}

int TVDLabel::MarkerSide() const {
  return fontMetrics().horizontalAdvance(QLatin1Char('W'));
}

QSize TVDLabel::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  return {metrics.horizontalAdvance(text()) + markerOffset_ + MarkerSide() + 8, metrics.height()};
}

void TVDLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor base = palette().color(QPalette::Window);
  const int side = MarkerSide();
  const QRect marker(0, (height() - side) / 2, side, side);
  painter.setPen(ShiftColor(base, -50));
  painter.setBrush(active_ ? ShiftColor(base, 19) : base);
  painter.drawRect(marker.adjusted(0, 0, -1, -1));
  if (active_) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ShiftColor(markerColor_, 19));
    painter.drawRect(marker.adjusted(1, 1, -1, -1));
  }
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(rect().adjusted(side + markerOffset_, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   text());
}
