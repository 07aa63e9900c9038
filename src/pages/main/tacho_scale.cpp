#include "pages/main/tacho_scale.h"

#include "binding/value_labels.h"

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
  if (position == 0) return FormatNumber("%-5.2f", 0.0);
  return FormatNumber("%-6.2f мс", PeriodMs(position)) +
         FormatNumber(" [%5.0f об/мин]", Rpm(position));
}

QString TTachoScale::ThresholdText(int byte, int periodPosition) const {
  const double multiple = byte / 16.0;
  if (periodPosition == 0) return FormatNumber("%3.2f", multiple);
  const double speed = FromCan ? periodPosition : Rpm(periodPosition);
  return FormatNumber("T x %-3.2f", multiple) + FormatNumber("=%5.0f об/мин", multiple * speed);
}

std::optional<int> TTachoScale::ReportRpm(uint16_t value) const {
  value &= 0x7FFF;
  if ((value >> 8) == kTooSlowHighByte) return std::nullopt;
  if (FromCan) return value;
  return value == 0 ? 0 : static_cast<int>(Coefficient / PeriodMs(value));
}
