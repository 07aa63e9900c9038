#include "pages/main/input_values.h"

#include <array>

#include "binding/value_labels.h"

namespace {

constexpr uint8_t kImpulse1HighBits = 0xC0;
constexpr int kImpulse1HighShift = 6;
constexpr uint8_t kImpulse1LowBit = 0x20;
// Items 0 to 7 as (bits 7-6, bit 5).
constexpr std::array<std::pair<uint8_t, bool>, 8> kImpulse1Codes = {{
    {0b00, false}, {0b01, false}, {0b11, false}, {0b10, false},
    {0b00, true}, {0b01, true}, {0b10, true}, {0b11, true},
}};

constexpr uint8_t kChoiceHighBits = 0xF0;
constexpr uint8_t kWithBeachPin = 0x70;
constexpr uint8_t kWithoutBeachPin = 0xF0;
constexpr uint8_t kNoItem = 0x0F;

constexpr int kItems2[] = {0, 1, 2, 3, 6};
constexpr int kItems3[] = {0, 4, 5};

constexpr double kAdcStep = 0.01953125;
constexpr int kNewerDividerRevision = 7;
constexpr double kNewerDivider = 0.755;
constexpr double kOlderDivider = 0.235;
constexpr double kSupplyDivider = 0.682;

QString VoltText(double volts) {
  return FormatNumber(" %5.2f [В]", volts);
}

}  // namespace

int Impulse1Item(TImpulse1Bytes bytes) {
  const auto high = static_cast<uint8_t>((bytes.High & kImpulse1HighBits) >> kImpulse1HighShift);
  const bool low = (bytes.Low & kImpulse1LowBit) != 0;
  for (std::size_t item = 0; item < kImpulse1Codes.size(); ++item) {
    if (kImpulse1Codes[item] == std::pair{high, low}) return static_cast<int>(item);
  }
  return 0;
}

TImpulse1Bytes WithImpulse1Item(TImpulse1Bytes bytes, int item) {
  if (item < 0 || item >= static_cast<int>(kImpulse1Codes.size())) return bytes;
  const auto [high, low] = kImpulse1Codes[static_cast<std::size_t>(item)];
  bytes.High =
      static_cast<uint8_t>((bytes.High & ~kImpulse1HighBits) | (high << kImpulse1HighShift));
  bytes.Low = static_cast<uint8_t>((bytes.Low & ~kImpulse1LowBit) | (low ? kImpulse1LowBit : 0));
  return bytes;
}

TImpulseChoice ImpulseChoice(uint8_t byte, uint8_t itemBits) {
  const bool none = (byte & kNoItem) == kNoItem;
  return {.Item = none ? -1 : byte & itemBits,
          .BeachPin = (byte & kChoiceHighBits) == kWithBeachPin};
}

uint8_t ImpulseByte(TImpulseChoice choice) {
  const uint8_t item = choice.Item < 0 ? kNoItem : static_cast<uint8_t>(choice.Item & kNoItem);
  return static_cast<uint8_t>((choice.BeachPin ? kWithBeachPin : kWithoutBeachPin) | item);
}

std::span<const int> BeachPinItems2() {
  return kItems2;
}

std::span<const int> BeachPinItems3() {
  return kItems3;
}

QString TrunkPinText(const QString& beachPin) {
  if (beachPin.size() != kBeachPinDigits) return {};
  for (const QChar digit : beachPin) {
    if (!digit.isDigit()) return {};
  }
  return QStringLiteral("%1-%2-%3-%4")
      .arg(beachPin[0])
      .arg(beachPin[1])
      .arg(beachPin[2])
      .arg(beachPin[3].digitValue() + 1);
}

TAdcTexts AdcTexts(uint8_t reading, uint8_t boardRevision) {
  const double volts = reading * kAdcStep;
  const double divider = boardRevision > kNewerDividerRevision ? kNewerDivider : kOlderDivider;
  return {.Input = VoltText(volts / divider), .Supply = VoltText(volts / kSupplyDivider)};
}
