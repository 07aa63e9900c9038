#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <span>

#include "pages/extension/extension_modules.h"

// One function of the main module's input vocabulary that an extender input may carry.
struct TInputFunction {
  int Id = 0;
  const char* Caption = "";
};

// The functions, in the order of the input grid's columns.
std::span<const TInputFunction> RemoteInputFunctions();

// The input extender's six inputs and the analog ladder of its input 2 with eight events,
// held as the module's bytes.
class TRemoteInputs {
 public:
  static constexpr int kInputs = 6;
  static constexpr int kEvents = 8;
  static constexpr int kButtons = 8;
  static constexpr uint8_t kNoFunction = 33;
  static constexpr int kAnalogButtons = 14;

  std::array<uint8_t, 1> UpDown{};
  std::array<uint8_t, 8> Commands{};
  // Byte i belongs to input 6 − i: identifier − 1, 33 for none.
  std::array<uint8_t, 6> Functions{};
  std::array<uint8_t, 1> Inv{};
  std::array<uint8_t, 1> ButtonsLearned{};
  std::array<uint8_t, 8> EventMasks{};
  std::array<uint8_t, 8> EventsLearned{};
  uint8_t Pressed = 0;
  TModuleVersion Version;

  // The function identifier of an input; 0 for none.
  int Function(int input) const;
  bool PolarityFixed(int input) const;
  int Polarity(int input) const;
  int TriggerMode(int input) const;
  // The analog ladder works while input 2 carries "Блок аналоговых кнопок".
  bool AnalogInUse() const { return Function(2) == kAnalogButtons; }
  // From firmware 1.4 on input 2 reads an analog ladder.
  bool HasAnalogInput() const { return Version >= TModuleVersion{1, 4}; }
  bool EventUses(int event, int button) const;
  bool ButtonLearned(int button) const { return (ButtonsLearned[0] >> (button - 1) & 1) != 0; }
  bool EventLearned(int event) const {
    return EventsLearned.at(static_cast<std::size_t>(event - 1)) != 0;
  }

  // A click on the input's function column: gives it, takes it away or replaces it.
  void ClickFunction(int input, int id);
  bool TogglePolarity(int input);
  void ToggleTriggerMode(int input);
  void ToggleEventButton(int event, int button);
  void ClearButtonLearned(int button);
  void ClearEventLearned(int event);
  void SetCommand(int event, uint8_t code);

  static const std::array<uint8_t, 8> kFactoryCommands;
  static const std::array<uint8_t, 6> kFactoryFunctions;
};
