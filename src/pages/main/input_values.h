#pragma once

#include <QString>
#include <cstdint>
#include <span>

// Impulse input No. 1: eight algorithms in bits 7 and 6 of one byte and bit 5 of another;
// the other bits of both bytes belong to other settings.
struct TImpulse1Bytes {
  uint8_t High = 0;  // bits 7 and 6
  uint8_t Low = 0;   // bit 5
};
int Impulse1Item(TImpulse1Bytes bytes);
TImpulse1Bytes WithImpulse1Item(TImpulse1Bytes bytes, int item);

// Impulse inputs No. 2 and 3: an algorithm in the low bits (all set: none) and in the high
// four bits whether the input also takes the beach-mode PIN.
struct TImpulseChoice {
  int Item = -1;  // -1 for none
  bool BeachPin = false;
  bool operator==(const TImpulseChoice&) const = default;
};
TImpulseChoice ImpulseChoice(uint8_t byte, uint8_t itemBits);
uint8_t ImpulseByte(TImpulseChoice choice);
// The algorithms of input 2 and of input 3 that may go with the beach-mode PIN.
std::span<const int> BeachPinItems2();
std::span<const int> BeachPinItems3();

// The beach-mode PIN: four digits 1 to 9, one a byte.
inline constexpr int kBeachPinDigits = 4;
// The trunk-only PIN the module derives: the first three digits and the fourth plus one.
QString TrunkPinText(const QString& beachPin);

// The two voltages of the analog-digital converter reading, " %5.2f [В]" each.
struct TAdcTexts {
  QString Input;
  QString Supply;
};
TAdcTexts AdcTexts(uint8_t reading, uint8_t boardRevision);
