#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The engine start module's four inputs, its analog buttons on inputs 1 to 3 and its eight
// button combinations, held as the module's bytes. Input n has bit n − 1; every input's
// polarity may be changed; inputs 1 to 3 may read a ladder of eight buttons.
class TRelayIOInputs {
 public:
  static constexpr int kInputs = 4;
  static constexpr int kCombinations = 8;
  static constexpr int kButtons = 8;

  std::array<uint8_t, 1> UpDown{};
  std::array<uint8_t, 8> Commands{};
  std::array<uint8_t, 1> Inv{};
  std::array<uint8_t, 1> AnalogDigit{};
  std::array<uint8_t, 3> AnalogLearned{};
  // Modules before version 262: one bit per learned combination, and an input mask each.
  std::array<uint8_t, 1> LearnedBits{};
  std::array<uint8_t, 8> InputMasks{};
  std::array<uint8_t, 2> AnalogMask{};
  // Modules from version 262: one byte per combination, non-zero when learned.
  std::array<uint8_t, 8> LearnedBytes{};
  uint8_t Inputs = 0;
  std::array<uint8_t, 3> Pressed{};
  bool DirectControl = false;
  bool Newer = false;

  static bool MayBeAnalog(int input) { return input >= 1 && input <= 3; }

  int Polarity(int input) const { return (UpDown[0] >> (input - 1) & 1) != 0 ? 0 : 1; }
  bool Active(int input) const { return ((Inputs >> (input - 1)) & 1) == Polarity(input); }
  int TriggerMode(int input) const { return (Inv[0] >> (input - 1)) & 1; }
  bool Analog(int input) const {
    return MayBeAnalog(input) && ((AnalogDigit[0] >> (input - 1)) & 1) != 0;
  }
  bool ButtonLearned(int input, int button) const {
    return ((AnalogLearned.at(static_cast<std::size_t>(input - 1)) >> (button - 1)) & 1) != 0;
  }
  bool CombinationLearned(int combination) const;
  // Whether combination c uses input n; never an analog input, nor input 4 under direct
  // control of the starter.
  bool MaskAvailable(int input) const;
  bool UsesInput(int combination, int input) const;

  bool TogglePolarity(int input);
  bool ToggleTriggerMode(int input);
  bool ToggleAnalog(int input);
  bool ToggleUse(int combination, int input);
  void ClearCombinationLearned(int combination);
  void ClearButtonLearned(int input, int button);
  void SetCommand(int combination, uint8_t code);

  static const std::array<uint8_t, 8> kFactoryCommands;
};

// The converter reading of an analog input in volts, as the page shows it.
QString AdcVoltageText(uint8_t reading);
