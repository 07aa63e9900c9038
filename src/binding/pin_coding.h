#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// A four-digit code in two bytes of module memory, one nibble a digit: byte 0 holds the first
// digit in its low nibble and the second in its high nibble, byte 1 the third and the fourth.
// The main module's PIN uses the digits 1..9, the protection of its temporary PIN 0..2.

using TPinBytes = std::array<uint8_t, 2>;

inline constexpr int kPinDigitCount = 4;
// The PIN every main module leaves the factory with; a generated PIN never repeats it.
inline constexpr char kFactoryPin[] = "5382";

// The two PIN digits a byte holds; a nibble outside 1..9 is no PIN digit and shows as "1".
QString PinPairText(uint8_t byte);
// The two protection digits a byte holds, as stored even above 2 so that the user sees what
// the module has; a nibble above 9 has no digit and shows as "2", the largest allowed one.
QString ProtectionPairText(uint8_t byte);
// The bytes of exactly four digits; none for anything else (an edit left incomplete).
std::optional<TPinBytes> EncodePin(const QString& digits);
// Pulls every digit below `low` up to it and every digit above `high` down to it.
QString ClampDigits(QString digits, QChar low, QChar high);

// Four digits from `drawDigit` (each 1..9), drawn again as a whole while they spell the
// factory PIN.
QString GeneratePin(const std::function<int()>& drawDigit);
// The same with digits from the system's cryptographic source.
QString GeneratePin();
