#include "pages/main/tacho_scale.h"

namespace {

constexpr double kUnitMs = 0.08;
constexpr uint8_t kTooSlowHighByte = 0x60;

}  // namespace

double TTachoScale::PeriodMs(int period) const {
  return period * kUnitMs * (DoubleImpulse ? 2 : 1);
}

double TTachoScale::Rpm(int period) const {
  return period == 0 ? 0.0 : Coefficient / PeriodMs(period);
}

QString TTachoScale::PeriodText(int position) const {
  if (FromCan) return QString::number(position) + QStringLiteral("об/мин");
  if (position == 0) return QString::asprintf("%-5.2f", 0.0);
  return QString::asprintf("%-6.2f мс [%5.0f об/мин]", PeriodMs(position), Rpm(position));
}

QString TTachoScale::ThresholdText(int byte, int periodPosition) const {
  const double multiple = byte / 16.0;
  if (periodPosition == 0) return QString::asprintf("%3.2f", multiple);
  const double speed = FromCan ? periodPosition : Rpm(periodPosition);
  return QString::asprintf("T x %-3.2f=%5.0f об/мин", multiple, multiple * speed);
}

std::optional<int> TTachoScale::ReportRpm(uint16_t value) const {
  value &= 0x7FFF;
  if ((value >> 8) == kTooSlowHighByte) return std::nullopt;
  if (FromCan) return value;
  return value == 0 ? 0 : static_cast<int>(Coefficient / PeriodMs(value));
}
