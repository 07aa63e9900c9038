#pragma once

#include <cstdint>

// The board configuration byte: byte 0 of the main module's settings image.
class TBoardConfig {
 public:
  constexpr TBoardConfig() = default;
  constexpr explicit TBoardConfig(uint8_t byte) : byte_(byte) {}

  // Bit 3 has no meaning for the wiring; it is kept with the rest of the byte.
  constexpr uint8_t Byte() const { return byte_; }
  constexpr bool ThirdGeneration() const { return (byte_ & kThirdGenerationBit) != 0; }
  // Counts only while ThirdGeneration() is false.
  constexpr bool SecondGeneration() const { return (byte_ & kSecondGenerationBit) != 0; }
  // On first- and second-generation boards the pager output and a few pins differ.
  constexpr bool Pager() const { return (byte_ & kPagerBit) != 0; }
  // Moves the siren (or pager) pin of a second-generation board.
  constexpr bool SirenMoved() const { return (byte_ & kSirenMovedBit) != 0; }

 private:
  static constexpr uint8_t kPagerBit = 1 << 1;
  static constexpr uint8_t kThirdGenerationBit = 1 << 2;
  static constexpr uint8_t kSecondGenerationBit = 1 << 5;
  static constexpr uint8_t kSirenMovedBit = 1 << 6;

  uint8_t byte_ = 0;
};

// Bus addresses of the modules whose relays and inputs extend the board.
inline constexpr int kStartModuleAddress = 13;
inline constexpr int kOutputExtenderAddress = 14;

// Which of those modules answer; entries of absent modules are hidden, not removed.
struct TBoardPresence {
  bool StartModule = false;
  bool OutputExtender = false;
};
