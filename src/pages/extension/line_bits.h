#pragma once

#include <array>
#include <cstdint>

// The six wires of the slave module, the validator and the input extender, numbered 1 to 6
// on screen: the bit that stands for each in the module's bytes. Lines 1 and 6 have a fixed
// polarity.
inline constexpr std::array<int, 6> kSixLineBits = {4, 3, 2, 1, 0, 5};

constexpr uint8_t LineMask(int line) {
  return static_cast<uint8_t>(1u << kSixLineBits.at(static_cast<std::size_t>(line - 1)));
}
constexpr bool LineBit(uint8_t byte, int line) {
  return (byte & LineMask(line)) != 0;
}
constexpr uint8_t WithLineBit(uint8_t byte, int line, bool set) {
  return static_cast<uint8_t>(set ? (byte | LineMask(line)) : (byte & ~LineMask(line)));
}

// Polarity bytes hold a set bit for polarity 0, a clear bit for polarity 1, and the module
// expects the unused upper bits set.
inline constexpr uint8_t kUnusedHighBits = 0xF0;
