#include "pages/extension/remote_inputs_lines.h"

#include "pages/extension/line_bits.h"
#include "pages/extension/slave_commands.h"

namespace {

// clang-format off
constexpr TInputFunction kFunctions[] = {
    {1, "Датчик открытия дверей"},
    {2, "Датчик открытия багажника"},
    {3, "Датчик открытия капота"},
    {5, "Кнопка ПИН"},
    {7, "Датчик положения ПАРК/ручник"},
    {8, "Датчик заряда аккумулятора"},
    {11, "Кнопка управления центральным замком"},
    {13, "Сигнал включения противоразбойного режима"},
    {14, "Блок аналоговых кнопок"},
    {15, "Датчик открытия дверей пассажиров"},
    {16, "Ключ в замке"},
    {17, "Стоп сигнал"},
    {12, "Импульсное управление №1"},
    {19, "Импульсное управление №2"},
    {6, "Импульсное управление №3"},
    {22, "Доп. датчик"},
};
// clang-format on

std::size_t FunctionByte(int input) {
  return static_cast<std::size_t>(TRemoteInputs::kInputs - input);
}

// The trigger modes use bits 0 to 5; the module expects bits 6 and 7 set.
constexpr uint8_t kUnusedModeBits = 0xC0;

}  // namespace

std::span<const TInputFunction> RemoteInputFunctions() {
  return kFunctions;
}

const std::array<uint8_t, 8> TRemoteInputs::kFactoryCommands = {
    SlaveCommandCode(10), SlaveCommandCode(1), SlaveCommandCode(2), SlaveCommandCode(3),
    SlaveCommandCode(4),  SlaveCommandCode(5), SlaveCommandCode(6), SlaveCommandCode(7)};
// Inputs 1 to 3 the door, trunk and hood switches, inputs 4 to 6 free; byte 0 is input 6.
const std::array<uint8_t, 6> TRemoteInputs::kFactoryFunctions = {
    kNoFunction, kNoFunction, kNoFunction, 2, 1, 0};

int TRemoteInputs::Function(int input) const {
  const uint8_t stored = Functions.at(FunctionByte(input));
  return stored == kNoFunction ? 0 : stored + 1;
}

bool TRemoteInputs::PolarityFixed(int input) const {
  return input == 1 || input == 6 || (input == 2 && Version >= TModuleVersion{1, 3});
}

int TRemoteInputs::Polarity(int input) const {
  if (input == 1 || input == 6) return 1;
  return LineBit(UpDown[0], input) ? 0 : 1;
}

int TRemoteInputs::TriggerMode(int input) const {
  return LineBit(Inv[0], input) ? 1 : 0;
}

bool TRemoteInputs::EventUses(int event, int button) const {
  return (EventMasks.at(static_cast<std::size_t>(event - 1)) >> (button - 1) & 1) != 0;
}

void TRemoteInputs::ClickFunction(int input, int id) {
  Functions.at(FunctionByte(input)) =
      Function(input) == id ? kNoFunction : static_cast<uint8_t>(id - 1);
}

bool TRemoteInputs::TogglePolarity(int input) {
  if (PolarityFixed(input)) return false;
  UpDown[0] = static_cast<uint8_t>(WithLineBit(UpDown[0], input, !LineBit(UpDown[0], input)) |
                                   kUnusedHighBits);
  return true;
}

void TRemoteInputs::ToggleTriggerMode(int input) {
  Inv[0] =
      static_cast<uint8_t>(WithLineBit(Inv[0], input, !LineBit(Inv[0], input)) | kUnusedModeBits);
}

void TRemoteInputs::ToggleEventButton(int event, int button) {
  auto& mask = EventMasks.at(static_cast<std::size_t>(event - 1));
  mask = static_cast<uint8_t>(mask ^ (1u << (button - 1)));
}

void TRemoteInputs::ClearButtonLearned(int button) {
  ButtonsLearned[0] = static_cast<uint8_t>(ButtonsLearned[0] & ~(1u << (button - 1)));
}

void TRemoteInputs::ClearEventLearned(int event) {
  EventsLearned.at(static_cast<std::size_t>(event - 1)) = 0;
}

void TRemoteInputs::SetCommand(int event, uint8_t code) {
  Commands.at(static_cast<std::size_t>(event - 1)) = code;
}
