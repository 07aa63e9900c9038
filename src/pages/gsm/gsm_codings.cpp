#include "pages/gsm/gsm_codings.h"

#include <algorithm>
#include <cmath>

#include "binding/position_coding.h"
#include "text/code_page_1251.h"

QString CellText(std::span<const uint8_t> bytes, bool emptyWhenFirstZero) {
  QString text;
  if (bytes.empty() || (emptyWhenFirstZero && bytes.front() == 0)) return text;
  for (const uint8_t b : bytes) {
    if (b != 0) text += QChar(b);
  }
  return text;
}

uint8_t CellByte(const QString& text, int index) {
  if (index < 0 || index >= text.size()) return 0;
  const char16_t c = text.at(index).unicode();
  return c < 256 ? static_cast<uint8_t>(c) : uint8_t{'?'};
}

TMainPin MainPinOf(std::span<const uint8_t, 4> bytes) {
  TMainPin pin{.Text = QStringLiteral("0000")};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const uint8_t b = bytes[i];
    if (b >= '1' && b <= '9') {
      pin.Text[static_cast<int>(i)] = QChar(b);
    } else {
      pin.Rewritten = pin.Rewritten || b != '0';
    }
  }
  return pin;
}

QString TimerStateText(uint8_t state) {
  switch (state) {
    case 0:
      return QStringLiteral("не установлен");
    case 1:
      return QStringLiteral("установлен");
    default:
      return QStringLiteral("неизвестно (%1)").arg(state);
  }
}

namespace {

constexpr double kVoltUnits = 11.09;

}  // namespace

std::optional<int> RunningVoltagePosition(uint8_t stored) {
  // The module's own arithmetic is single precision; the same here keeps the round trip.
  const float volts = static_cast<float>(stored) / static_cast<float>(kVoltUnits);
  if (RoundHalfEven(volts) < 13) return std::nullopt;
  const float tenths = (volts - 13.0f) / 0.1f;
  return RoundHalfEven(tenths);
}

uint8_t RunningVoltageByte(int position) {
  return static_cast<uint8_t>(RoundHalfEven((position * 0.1 + 13) * kVoltUnits));
}

std::optional<int> RunningVoltageShown(int stored) {
  return RunningVoltagePosition(static_cast<uint8_t>(stored)).value_or(-1);
}

int RunningVoltageStored(int position, int) {
  return RunningVoltageByte(position);
}

std::optional<uint8_t> TankVolumeOf(const QString& text) {
  if (text.isEmpty()) return uint8_t{0};
  bool ok = false;
  const int litres = text.toInt(&ok);
  if (!ok || litres < 0 || litres > 255) return std::nullopt;
  return static_cast<uint8_t>(litres);
}

QString CabinTemperatureText(uint8_t b) {
  if (b == 127) return QStringLiteral("?");
  return QStringLiteral(" %1 °C").arg(static_cast<int8_t>(b));
}

QString SupplyVoltageText(uint8_t b) {
  return QStringLiteral("%1 В").arg(b / kVoltUnits, 5, 'f', 2);
}

QString EngineTemperatureText(uint8_t b) {
  if (b == 129) return QStringLiteral("?");
  return QStringLiteral(" %1 °C").arg(b);
}

QString BoilerTemperatureText(uint8_t b) {
  return QStringLiteral("%1 °C").arg(b - 50);
}

int SignalLevel(uint8_t b) {
  return b <= 31 ? b : 0;
}

QString CoordinateText(std::span<const uint8_t, 10> bytes) {
  const int kind = bytes[0];
  if (kind != 1 && kind != 2) return {};
  const int degreeDigits = kind == 1 ? 2 : 3;
  const int digits = kind == 1 ? 8 : 9;
  QString text;
  for (int i = 1; i <= digits; ++i) {
    const uint8_t b = bytes[static_cast<std::size_t>(i)];
    text += b == 0 ? QChar(u'0') : QChar(b);
    if (i == degreeDigits) text += QChar(u'°');
    if (i == degreeDigits + 2) text += QChar(u'.');
  }
  return text;
}

void TBalancePieces::Clear() {
  piece_.fill(0);
  text_.clear();
}

std::optional<QString> TBalancePieces::Take(int index, uint8_t byte) {
  constexpr int kFullPiece = 12;
  if (index < 0 || index >= kFullPiece) return std::nullopt;
  piece_[static_cast<std::size_t>(index)] = byte;
  const int length = std::min<int>(piece_[1], kFullPiece);
  if (index != std::max(length - 1, 1)) return std::nullopt;
  for (int i = 2; i < length; ++i) text_ += QChar(piece_[static_cast<std::size_t>(i)]);
  if (length < kFullPiece) return text_;
  return std::nullopt;
}

QString TModemText::Take(uint8_t byte, bool allCharacters) {
  if (byte == 255) return {};
  const uint8_t last = last_;
  last_ = byte;
  QString text;
  if (byte >= 32) return QString(QChar(Cp1251ToUnicode(byte)));
  if (allCharacters) text = QStringLiteral("<%1>").arg(byte, 2, 16, QChar(u'0')).toUpper();
  if (byte == '\n' && last == '\r') text += QChar(u'\n');
  return text;
}
