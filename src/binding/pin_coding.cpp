#include "binding/pin_coding.h"

#include <random>

namespace {

QChar PinDigit(int nibble) {
  return nibble >= 1 && nibble <= 9 ? QChar(u'0' + nibble) : QChar(u'1');
}

QChar ProtectionDigit(int nibble) {
  return nibble <= 9 ? QChar(u'0' + nibble) : QChar(u'2');
}

}  // namespace

QString PinPairText(uint8_t byte) {
  return QString(PinDigit(byte & 0x0F)) + PinDigit(byte >> 4);
}

QString ProtectionPairText(uint8_t byte) {
  return QString(ProtectionDigit(byte & 0x0F)) + ProtectionDigit(byte >> 4);
}

std::optional<TPinBytes> EncodePin(const QString& digits) {
  if (digits.size() != kPinDigitCount) return std::nullopt;
  for (const QChar c : digits) {
    if (c < u'0' || c > u'9') return std::nullopt;
  }
  const auto pair = [&digits](int first) {
    const int low = digits[first].unicode() - u'0';
    const int high = digits[first + 1].unicode() - u'0';
    return static_cast<uint8_t>(high << 4 | low);
  };
  return TPinBytes{pair(0), pair(2)};
}

QString ClampDigits(QString digits, QChar low, QChar high) {
  for (QChar& c : digits) {
    if (!c.isDigit()) continue;
    if (c < low) c = low;
    if (c > high) c = high;
  }
  return digits;
}

QString GeneratePin(const std::function<int()>& drawDigit) {
  QString pin;
  do {
    pin.clear();
    for (int i = 0; i < kPinDigitCount; ++i) pin += QChar(u'0' + drawDigit());
  } while (pin == QLatin1String(kFactoryPin));
  return pin;
}

QString GeneratePin() {
  // A PIN guards the car: its digits must not be predictable from the time or a seed.
  std::random_device source;
  std::uniform_int_distribution<int> digit(1, 9);
  return GeneratePin([&] { return digit(source); });
}
