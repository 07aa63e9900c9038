#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "memory/bound_cell.h"

class TBaseDeviceMemoryItem;
class TComponentData;

// How values sit in module bytes. The byte-level functions are pure; LoadValue/StoreValue
// apply them to a binding's cell of an area, touching no byte the coding does not own.

constexpr int GetBit(uint8_t b, int bit) {
  return (b >> bit) & 1;
}
constexpr uint8_t PutBit(uint8_t b, int bit, bool set) {
  const auto mask = static_cast<uint8_t>(1u << bit);
  return static_cast<uint8_t>(set ? (b | mask) : (b & ~mask));
}

// A two-bit state in bits startBit and startBit + 1, in the order the modules count it:
// none, the lower bit, both, the upper bit.
constexpr int GetBitsState(uint8_t b, int startBit) {
  constexpr int kStateOfBits[4] = {0, 1, 3, 2};
  return kStateOfBits[(b >> startBit) & 3];
}
// A state outside 0..3 (a radio group without a selection) leaves both bits as they are.
constexpr uint8_t PutBitsState(uint8_t b, int startBit, int state) {
  constexpr unsigned kBitsOfState[4] = {0, 1, 3, 2};
  if (state < 0 || state > 3) return b;
  const unsigned mask = 3u << startBit;
  return static_cast<uint8_t>((b & ~mask) | ((kBitsOfState[state] << startBit) & 0xFFu));
}

constexpr int GetLowHalf(uint8_t b) {
  return b & 0x0F;
}
constexpr int GetHighHalf(uint8_t b) {
  return b >> 4;
}
constexpr uint8_t PutLowHalf(uint8_t b, int v) {
  return static_cast<uint8_t>((b & 0xF0) | (v & 0x0F));
}
constexpr uint8_t PutHighHalf(uint8_t b, int v) {
  return static_cast<uint8_t>((b & 0x0F) | ((v & 0x0F) << 4));
}

// `count` bits from startBit; bits beyond bit 7 do not exist and read as 0.
constexpr int GetBitField(uint8_t b, int startBit, int count) {
  return static_cast<int>((b >> startBit) & ((1u << count) - 1u));
}
constexpr uint8_t PutBitField(uint8_t b, int startBit, int count, int v) {
  const unsigned mask = ((1u << count) - 1u) << startBit;
  return static_cast<uint8_t>((b & ~mask) | ((static_cast<unsigned>(v) << startBit) & mask));
}

// Low byte first.
constexpr int Decode2Bytes(uint8_t b, uint8_t b1) {
  return b + 256 * b1;
}
// High byte first.
constexpr int DecodeHL(uint8_t b, uint8_t b1) {
  return 256 * b + b1;
}

// Unsigned fixed point with four fraction bits: the high half counts wholes, the low half
// sixteenths.
constexpr double FloatValue(uint8_t raw) {
  return raw / 16.0;
}

// Text of a cell: Windows-1251 bytes up to the first 0.
QString DecodeString(const QByteArray& bytes);
// Exactly maxVal bytes: the text cut to maxVal characters, padded with 0 bytes.
QByteArray EncodeString(const QString& text, int maxVal);

// The codings that carry one integer: every type but stString, stDate and stArray.
bool IsIntegerType(TDataType dataType);
// The integer of the binding's cell (stFloat: the raw byte; stBitArray: the field of MaxVal
// bits from StartBit). Only for integer types.
int LoadValue(TBaseDeviceMemoryItem& mem, const TComponentData& data);
// Puts v into the cell; bit-coded types keep the other bits of their byte.
void StoreValue(TBaseDeviceMemoryItem& mem, const TComponentData& data, int v);

QString LoadString(TBaseDeviceMemoryItem& mem, const TComponentData& data);
void StoreString(TBaseDeviceMemoryItem& mem, const TComponentData& data, const QString& text);
