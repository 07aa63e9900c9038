#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The validator's six lines, its code and its two ladders of analog buttons, held as the
// module's bytes so that the page's grids show and edit exactly what is stored. Line 1 and 6
// are its outputs, lines 2 to 5 its inputs, lines 3 and 4 may read an analog ladder.
class TValidatorLines {
 public:
  // The functions of lines 2 to 5 other than "Цифровой код" belong to one line each, and the
  // module keeps that line (line − 2) in one byte per function, 4 for none.
  enum TInputFunction : int { kDigitalCode = 0, kCodeRequest = 1, kDelayRequest = 2, kPinCopy = 3 };
  static constexpr uint8_t kNoLine = 4;

  // The bytes as the page's data items hold them (one array per item).
  std::array<uint8_t, 1> UpDown{};
  std::array<uint8_t, 1> Learned{};
  std::array<uint8_t, 8> Mask{};
  std::array<uint8_t, 1> SeqEvent{};
  std::array<uint8_t, 3> Pin{};
  std::array<uint8_t, 1> PinCopy{};
  std::array<uint8_t, 1> TypeBlock{};
  std::array<uint8_t, 1> Inv{};
  std::array<uint8_t, 1> Status{};
  std::array<uint8_t, 1> Vix6{};
  std::array<uint8_t, 1> StatusEn{};
  std::array<uint8_t, 1> AnalogDigit{};
  std::array<uint8_t, 2> AnalogMask{};
  std::array<uint8_t, 2> AnalogLearned{};
  uint8_t Inputs = 0;

  static bool IsInput(int line) { return line >= 2 && line <= 5; }
  static bool MayBeAnalog(int line) { return line == 3 || line == 4; }

  int Polarity(int line) const;
  bool Active(int line) const;
  int TriggerMode(int line) const;
  bool Analog(int line) const;
  // The function of a line: lines 2 to 5 as TInputFunction (an analog line has 0), line 1
  // the blocking kind, line 6 its output role.
  int Function(int line) const;
  QString FunctionCaption(int line) const;
  bool InCode(int line) const;
  bool CodeEnabled() const { return (Learned[0] & 1) != 0; }
  bool ButtonLearned(int ladder, int button) const;

  // The edits the grids offer; each returns false when the line does not allow it.
  bool TogglePolarity(int line);
  bool ToggleTriggerMode(int line);
  bool ToggleAnalog(int line);
  bool ToggleInCode(int line);
  // `codeTime` is "Время на ввод кода": a request cannot be put off without it.
  bool ChooseFunction(int line, int function, int codeTime);
  void SwitchCodeOff() { Learned[0] = static_cast<uint8_t>(Learned[0] & ~1u); }
  void ClearButtonLearned(int ladder, int button);

  // The factory bytes of the page's items, each as long as its item.
  static const std::array<uint8_t, 1> kFactoryUpDown;
  static const std::array<uint8_t, 8> kFactoryMask;
  static const std::array<uint8_t, 3> kFactoryPin;

 private:
  uint8_t* FunctionLineByte(int function);
  void SetFunctionLine(int function, uint8_t line);
};

// The journal notes (data bytes of a note with command 3) about a change of the live line
// levels: the levels with bits 0 to 3 standing for whether lines 5, 4, 3 and 2 are active,
// and the changed bits; one note for the outputs, one (with bit 7 set) for the inputs.
std::vector<std::array<uint8_t, 3>> LevelNotes(const TValidatorLines& lines, uint8_t before,
                                               uint8_t now);
// The note about a change of a ladder's pressed buttons; none when nothing changed.
std::optional<std::array<uint8_t, 3>> LadderNote(int ladder, uint8_t before, uint8_t now);

// The overload record as the page tells it.
QString OverloadText(uint8_t record, int firstBit, int firstOutput, int secondOutput);
