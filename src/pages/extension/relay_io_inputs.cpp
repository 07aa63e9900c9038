#include "pages/extension/relay_io_inputs.h"

#include "pages/extension/line_bits.h"
#include "pages/extension/slave_commands.h"

namespace {

uint8_t Toggled(uint8_t byte, int input) {
  return static_cast<uint8_t>((byte ^ (1u << (input - 1))) | kUnusedHighBits);
}

}  // namespace

// Combinations 1 to 8 leave the factory with these commands of the command menu.
const std::array<uint8_t, 8> TRelayIOInputs::kFactoryCommands = {
    SlaveCommandCode(10), SlaveCommandCode(1), SlaveCommandCode(2), SlaveCommandCode(3),
    SlaveCommandCode(19), SlaveCommandCode(5), SlaveCommandCode(6), SlaveCommandCode(7)};

bool TRelayIOInputs::CombinationLearned(int combination) const {
  if (Newer) return LearnedBytes.at(static_cast<std::size_t>(combination - 1)) != 0;
  return ((LearnedBits[0] >> (combination - 1)) & 1) != 0;
}

bool TRelayIOInputs::MaskAvailable(int input) const {
  return !Analog(input) && !(input == 4 && DirectControl);
}

bool TRelayIOInputs::UsesInput(int combination, int input) const {
  return MaskAvailable(input) &&
         ((InputMasks.at(static_cast<std::size_t>(combination - 1)) >> (input - 1)) & 1) != 0;
}

bool TRelayIOInputs::TogglePolarity(int input) {
  if (input < 1 || input > kInputs || Analog(input)) return false;
  UpDown[0] = Toggled(UpDown[0], input);
  return true;
}

bool TRelayIOInputs::ToggleTriggerMode(int input) {
  if (input < 1 || input > kInputs || Analog(input)) return false;
  Inv[0] = Toggled(Inv[0], input);
  return true;
}

bool TRelayIOInputs::ToggleAnalog(int input) {
  if (!MayBeAnalog(input)) return false;
  AnalogDigit[0] = Toggled(AnalogDigit[0], input);
  return true;
}

// A changed combination must be learned again.
bool TRelayIOInputs::ToggleUse(int combination, int input) {
  if (!MaskAvailable(input)) return false;
  auto& mask = InputMasks.at(static_cast<std::size_t>(combination - 1));
  mask = static_cast<uint8_t>(mask ^ (1u << (input - 1)));
  ClearCombinationLearned(combination);
  return true;
}

void TRelayIOInputs::ClearCombinationLearned(int combination) {
  if (Newer) {
    LearnedBytes.at(static_cast<std::size_t>(combination - 1)) = 0;
  } else {
    LearnedBits[0] = static_cast<uint8_t>(LearnedBits[0] & ~(1u << (combination - 1)));
  }
}

void TRelayIOInputs::ClearButtonLearned(int input, int button) {
  auto& learned = AnalogLearned.at(static_cast<std::size_t>(input - 1));
  learned = static_cast<uint8_t>(learned & ~(1u << (button - 1)));
}

void TRelayIOInputs::SetCommand(int combination, uint8_t code) {
  Commands.at(static_cast<std::size_t>(combination - 1)) = code;
}

QString AdcVoltageText(uint8_t reading) {
  return QStringLiteral(" %1 [В]").arg(reading * 0.01953125 / 0.7547, 5, 'f', 2);
}
