#include "pages/extension/slave_events.h"

#include "pages/extension/line_bits.h"

namespace {

constexpr int kVersionWithSource = 0x050F;

}  // namespace

const std::array<uint8_t, 1> TSlaveEvents::kFactoryUpDown = {0x0F};
const std::array<uint8_t, 8> TSlaveEvents::kFactoryMasks = {63, 63, 63, 63, 63, 63, 63, 63};
const std::array<uint8_t, 8> TSlaveEvents::kFactoryCommands = {
    98, 100, kNoCommand, kNoCommand, kNoCommand, kNoCommand, kNoCommand, kNoCommand};

int TSlaveEvents::Polarity(int input) const {
  if (PolarityFixed(input)) return 1;
  return LineBit(UpDown[0], input) ? 0 : 1;
}

bool TSlaveEvents::Active(int input, uint8_t levels) const {
  return (LineBit(levels, input) ? 1 : 0) == Polarity(input);
}

bool TSlaveEvents::HasSourceFeature(bool unknownCounts) const {
  const int word = Version[0] * 256 + Version[1];
  return word > kVersionWithSource || (unknownCounts && word == 0);
}

bool TSlaveEvents::SequenceSource(int event, bool unknownCounts) const {
  return HasSourceFeature(unknownCounts) && (Sources[0] >> (event - 1) & 1) != 0;
}

bool TSlaveEvents::Counts(int event, int input) const {
  return LineBit(Masks.at(static_cast<std::size_t>(event - 1)), input);
}

void TSlaveEvents::TogglePolarity(int input) {
  if (PolarityFixed(input)) return;
  UpDown[0] = static_cast<uint8_t>(WithLineBit(UpDown[0], input, !LineBit(UpDown[0], input)) |
                                   kUnusedHighBits);
}

void TSlaveEvents::ToggleMask(int event, int input) {
  auto& mask = Masks.at(static_cast<std::size_t>(event - 1));
  mask = WithLineBit(mask, input, !LineBit(mask, input));
}

void TSlaveEvents::ToggleSource(int event) {
  Sources[0] = static_cast<uint8_t>(Sources[0] ^ (1u << (event - 1)));
}

void TSlaveEvents::ToggleEnabled(int event) {
  Learned[0] = static_cast<uint8_t>(Learned[0] ^ (1u << (event - 1)));
}

void TSlaveEvents::SetCommand(int event, uint8_t code) {
  Commands.at(static_cast<std::size_t>(event - 1)) = code;
}

std::array<int, TSlaveEvents::kSamples> TSlaveEvents::Pictures(int event, int input,
                                                               int column) const {
  std::array<int, kSamples> pictures{};
  const bool counted = Counts(event, input);
  const auto e = static_cast<std::size_t>(event - 1);
  if (SequenceSource(event, false)) {
    const int steps = SequenceLengths[e];
    int picture = 2;
    if (column <= steps && column <= kSlaveSequenceBytes) {
      const uint8_t step = Sequences[e][static_cast<std::size_t>(column - 1)];
      picture = Active(input, step) ? (counted ? 3 : 2) : 0;
    }
    pictures.fill(picture);
    return pictures;
  }
  // Byte k holds eight samples of the input in row k mod 6 + 1 at time column k div 6 + 1.
  const auto byte = Recordings[e][static_cast<std::size_t>((column - 1) * kInputs + input - 1)];
  for (int sample = 0; sample < kSamples; ++sample) {
    const bool level = (byte >> sample & 1) != 0;
    const bool active = (level ? 1 : 0) == Polarity(input);
    pictures[static_cast<std::size_t>(sample)] = active ? (counted ? 1 : 2) : 0;
  }
  return pictures;
}
