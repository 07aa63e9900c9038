#include "pages/extension/validator_lines.h"

#include "pages/extension/line_bits.h"

namespace {

constexpr const char* kInputFunctions[] = {"Цифровой код", "Запрос ввода кода", "Отложить запрос",
                                           "Дублёр кнопки ПИН"};
constexpr const char* kLine1Functions[] = {"Пассивная блокировка", "Активная блокировка"};
constexpr const char* kLine6Functions[] = {"Реле сирены", "Реле клаксона",
                                           "Дополнительная блокировка", "Импульс на подтверждение ",
                                           "Инверсия основной блокировки"};

template <std::size_t N>
QString Caption(const char* const (&texts)[N], int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return QStringLiteral("%1").arg(index);
  return QString::fromUtf8(texts[index]);
}

}  // namespace

const std::array<uint8_t, 1> TValidatorLines::kFactoryUpDown = {0xFA};
const std::array<uint8_t, 8> TValidatorLines::kFactoryMask = {0xF6, 0xF6, 0xF6, 0xF6,
                                                              0xF6, 0xF6, 0xF6, 0xF6};
// The service PIN the validator leaves the factory with.
const std::array<uint8_t, 3> TValidatorLines::kFactoryPin = {1, 2, 3};

int TValidatorLines::Polarity(int line) const {
  if (!IsInput(line)) return 1;
  return LineBit(UpDown[0], line) ? 0 : 1;
}

bool TValidatorLines::Active(int line) const {
  return (LineBit(Inputs, line) ? 1 : 0) == Polarity(line);
}

int TValidatorLines::TriggerMode(int line) const {
  return IsInput(line) && LineBit(Inv[0], line) ? 1 : 0;
}

bool TValidatorLines::Analog(int line) const {
  return MayBeAnalog(line) && LineBit(AnalogDigit[0], line);
}

int TValidatorLines::Function(int line) const {
  if (line == 1) return TypeBlock[0];
  if (line == 6) return Vix6[0];
  if (Analog(line)) return kDigitalCode;
  const auto lineByte = static_cast<uint8_t>(line - 2);
  if (Status[0] == lineByte) return kCodeRequest;
  if (StatusEn[0] == lineByte) return kDelayRequest;
  if (PinCopy[0] == lineByte) return kPinCopy;
  return kDigitalCode;
}

QString TValidatorLines::FunctionCaption(int line) const {
  if (line == 1) return Caption(kLine1Functions, Function(line));
  if (line == 6) return Caption(kLine6Functions, Function(line));
  if (Analog(line))
    return line == 3 ? QStringLiteral("Аналоговый код 1") : QStringLiteral("Аналоговый код 2");
  return Caption(kInputFunctions, Function(line));
}

bool TValidatorLines::InCode(int line) const {
  return IsInput(line) && !Analog(line) && Function(line) == kDigitalCode && LineBit(Mask[0], line);
}

bool TValidatorLines::ButtonLearned(int ladder, int button) const {
  return ((AnalogLearned.at(static_cast<std::size_t>(ladder - 1)) >> (button - 1)) & 1) != 0;
}

bool TValidatorLines::TogglePolarity(int line) {
  if (!IsInput(line) || Analog(line)) return false;
  UpDown[0] = static_cast<uint8_t>(WithLineBit(UpDown[0], line, !LineBit(UpDown[0], line)) |
                                   kUnusedHighBits);
  return true;
}

bool TValidatorLines::ToggleTriggerMode(int line) {
  if (!IsInput(line) || Analog(line)) return false;
  Inv[0] =
      static_cast<uint8_t>(WithLineBit(Inv[0], line, !LineBit(Inv[0], line)) | kUnusedHighBits);
  return true;
}

// An analog line is a ladder of buttons, no longer a wire: it drops its function and its place
// in the code, and reads with polarity 1 and on closing.
bool TValidatorLines::ToggleAnalog(int line) {
  if (!MayBeAnalog(line)) return false;
  const bool analog = !Analog(line);
  if (analog) {
    const int function = Function(line);
    if (function != kDigitalCode) SetFunctionLine(function, kNoLine);
    Mask[0] = WithLineBit(Mask[0], line, false);
    UpDown[0] = static_cast<uint8_t>(WithLineBit(UpDown[0], line, false) | kUnusedHighBits);
    Inv[0] = static_cast<uint8_t>(WithLineBit(Inv[0], line, false) | kUnusedHighBits);
  }
  AnalogDigit[0] =
      static_cast<uint8_t>(WithLineBit(AnalogDigit[0], line, analog) | kUnusedHighBits);
  return true;
}

bool TValidatorLines::ToggleInCode(int line) {
  if (!IsInput(line) || Analog(line) || Function(line) != kDigitalCode) return false;
  Mask[0] = WithLineBit(Mask[0], line, !LineBit(Mask[0], line));
  return true;
}

bool TValidatorLines::ChooseFunction(int line, int function, int codeTime) {
  if (line == 1) {
    TypeBlock[0] = static_cast<uint8_t>(function);
    return true;
  }
  if (line == 6) {
    Vix6[0] = static_cast<uint8_t>(function);
    return true;
  }
  if (!IsInput(line) || Analog(line) || function < kDigitalCode || function > kPinCopy) {
    return false;
  }
  const int current = Function(line);
  if (function == current) return false;
  if (function == kDelayRequest && codeTime <= 0) return false;
  if (current != kDigitalCode) SetFunctionLine(current, kNoLine);
  // Taking a function from another line leaves that line a code button again.
  if (function != kDigitalCode) {
    SetFunctionLine(function, static_cast<uint8_t>(line - 2));
    Mask[0] = WithLineBit(Mask[0], line, false);
  }
  return true;
}

void TValidatorLines::ClearButtonLearned(int ladder, int button) {
  auto& learned = AnalogLearned.at(static_cast<std::size_t>(ladder - 1));
  learned = static_cast<uint8_t>(learned & ~(1u << (button - 1)));
}

uint8_t* TValidatorLines::FunctionLineByte(int function) {
  switch (function) {
    case kCodeRequest:
      return &Status[0];
    case kDelayRequest:
      return &StatusEn[0];
    case kPinCopy:
      return &PinCopy[0];
    default:
      return nullptr;
  }
}

void TValidatorLines::SetFunctionLine(int function, uint8_t line) {
  if (uint8_t* byte = FunctionLineByte(function)) *byte = line;
}

QString OverloadText(uint8_t record, int firstBit, int firstOutput, int secondOutput) {
  const bool first = ((record >> firstBit) & 1) != 0;
  const bool second = ((record >> (firstBit + 1)) & 1) != 0;
  if (first && second) {
    return QStringLiteral("Были перегрузки на выходах %1 и %2").arg(firstOutput).arg(secondOutput);
  }
  if (second) return QStringLiteral("Были перегрузки на выходе %1").arg(secondOutput);
  if (first) return QStringLiteral("Были перегрузки на выходе %1").arg(firstOutput);
  return {};
}

std::vector<std::array<uint8_t, 3>> LevelNotes(const TValidatorLines& lines, uint8_t before,
                                               uint8_t now) {
  constexpr uint8_t kOutputBits = 0x30;
  constexpr uint8_t kInputBits = 0x0F;
  constexpr uint8_t kInputsMark = 0x80;
  const auto changed = static_cast<uint8_t>(before ^ now);
  TValidatorLines shown = lines;
  shown.Inputs = now;
  auto levels = static_cast<uint8_t>(now & ~kInputBits);
  for (int line = 2; line <= 5; ++line) {
    if (shown.Active(line)) levels = static_cast<uint8_t>(levels | LineMask(line));
  }
  std::vector<std::array<uint8_t, 3>> notes;
  if ((changed & kOutputBits) != 0) notes.push_back({1, levels, changed});
  if ((changed & kInputBits) != 0) {
    notes.push_back({1, levels, static_cast<uint8_t>(changed | kInputsMark)});
  }
  return notes;
}

std::optional<std::array<uint8_t, 3>> LadderNote(int ladder, uint8_t before, uint8_t now) {
  if (before == now) return std::nullopt;
  return std::array<uint8_t, 3>{static_cast<uint8_t>(ladder == 1 ? 2 : 4), now,
                                static_cast<uint8_t>(before ^ now)};
}
