#include "binding/ui/vd_track_bar.h"

#include <QEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

#include "binding/comp_error.h"
#include "binding/ui/vd_look.h"
#include "binding/value_coding.h"
#include "memory/base_device_memory_item.h"

TVDTrackBar::TVDTrackBar(QWidget* parent)
    : QSlider(Qt::Horizontal, parent),
      extLabel_(new TVDBoundLabel(QStringLiteral("ExtLabel"), objectName(), parent)),
      valueLabel_(new TVDBoundLabel(QStringLiteral("ValueLabel"), objectName(), parent)) {
  setMinimumHeight(33);
  setPageStep(1);
  setSingleStep(1);
  setTickPosition(QSlider::TicksBelow);
  setTickInterval(1);
  extLabel_->setWordWrap(true);
  valueLabel_->setMinimumWidth(
      valueLabel_->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
  connect(this, &QSlider::valueChanged, this, [this] { Changed(quiet_); });
  ShowPosition(value());
}

TVDTrackBar::~TVDTrackBar() {
  // The labels belong to the track bar although they stand beside it.
  delete extLabel_.data();
  delete valueLabel_.data();
}

void TVDTrackBar::SetDefaultValue(int value) {
  default_ = value;
  if (valueLabel_) SetBoldLook(*valueLabel_, !IsDefault());
}

void TVDTrackBar::SetValueFormat(std::function<QString(int)> format) {
  valueFormat_ = std::move(format);
  ShowPosition(value());
}

void TVDTrackBar::SetSelection(int from, int to) {
  if (selection_ == std::pair{from, to}) return;
  selection_ = {from, to};
  update();
}

void TVDTrackBar::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  const auto [from, to] = selection_;
  // An empty span marks nothing.
  if (to <= from) return;
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect handle =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  const int span = groove.width() - handle.width();
  const auto x = [&](int position) {
    return groove.left() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(),
                                           std::clamp(position, minimum(), maximum()), span);
  };
  // A band above the groove, as wide as the span, in the colour of a selection.
  QPainter painter(this);
  const int top = std::max(0, groove.top() - 4);
  painter.fillRect(QRect(QPoint(x(from), top), QPoint(x(to), top + 2)),
                   palette().color(QPalette::Highlight));
}

void TVDTrackBar::ShowPosition(int position) {
  if (!valueLabel_) return;
  valueLabel_->setText(valueFormat_ ? valueFormat_(position) : QString::number(position));
  SetBoldLook(*valueLabel_, position != default_);
}

void TVDTrackBar::Changed(bool quiet) {
  if (!quiet) keepsStored_ = false;
  ShowPosition(value());
  if (OnChange) OnChange(*this);
  if (!quiet) ReportUserChange(value());
}

void TVDTrackBar::Load() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  const TComponentData& data = ComponentData();
  WrapComp(ControlName(), GetCaption(), [&] {
    SetDisabled(drGuard, data.IsReadOnly());
    if (data.DataType() < stByteLo || data.DataType() > stHL) {
      const QSignalBlocker blocker(this);
      setValue(0);
      ThrowBadDataType(ControlName(), data.DataType());
    }
    int v = LoadValue(*mem, data);
    if (OnLoad) OnLoad(*this, v, v);
    {
      const QSignalBlocker blocker(this);
      setValue(v);
    }
    // A stored value outside the range shows at its end, but stays stored as it is until the
    // user moves the bar: showing a setting must not change it.
    keepsStored_ = value() != v;
    Changed(true);
  });
}

void TVDTrackBar::Store() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr || !Operable()) return;
  const TComponentData& data = ComponentData();
  if (keepsStored_) return;
  WrapComp(ControlName(), GetCaption(), [&] {
    int v = value();
    if (OnStore) OnStore(*this, value(), v);
    if (data.DataType() >= stByteLo && data.DataType() <= stHL) {
      StoreValue(*mem, data, v);
    } else {
      mem->SetByte(data.Addr(), static_cast<uint8_t>(v & 0xFF));
    }
  });
}

QString TVDTrackBar::GetCaption() const {
  return extLabel_ ? extLabel_->text() : QString();
}

QString TVDTrackBar::GetValueText() const {
  return valueLabel_ ? valueLabel_->text() : QString::number(value());
}

void TVDTrackBar::SetDefault() {
  keepsStored_ = false;
  {
    const QSignalBlocker blocker(this);
    setValue(default_);
  }
  Changed(false);
}

void TVDTrackBar::Synchronize(IBoundControl* sender, int value) {
  if (!IsTwin<TVDTrackBar>(sender)) return;
  const QScopedValueRollback<bool> quiet(quiet_, true);
  setValue(value);
}

void TVDTrackBar::setVisible(bool visible) {
  QSlider::setVisible(visible);
  if (extLabel_) extLabel_->setVisible(visible);
  if (valueLabel_) valueLabel_->setVisible(visible);
}

void TVDTrackBar::changeEvent(QEvent* event) {
  QSlider::changeEvent(event);
  if (event->type() != QEvent::EnabledChange) return;
  if (extLabel_) extLabel_->setEnabled(isEnabled());
  if (valueLabel_) valueLabel_->setEnabled(isEnabled());
}
