#include "pages/extension/remote_inputs_table.h"

#include "pages/extension/extension_modules.h"

namespace {

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Параметры аналоговых событий"},
    {.Kind = ckCheckBox, .Caption = "Распознавание цифрового сигнала входа №2 (обучение входу не требуется)",
     .Mem = mlInt, .Addr = 52, .Type = stBit, .Bit = 1},
    {.Name = "TBSequenseInpTimer", .Kind = ckTrackBar, .Caption = "Время между нажатиями кнопок на руле",
     .Mem = mlInt, .Addr = 74, .Type = stByte, .Max = 48, .Range = {4, 48}, .Default = 48},
    {.Kind = ckCheckBox, .Caption = "Защита от подбора комбинации кнопок на руле",
     .Mem = mlInt, .Addr = 52, .Type = stBit, .Bit = 0,
     .Hint = "В зависимости от состояния IMMO следить за подбором кода (кроме режимов автомойка, автосервис и введён ПИН-код)"},
    {.Name = "TBBounce", .Kind = ckTrackBar, .Caption = "Коэффициент погрешности измерения кнопок",
     .Mem = mlInt, .Addr = 72, .Type = stByteLo, .Max = 127, .Range = {0, 2}},
    {.Name = "TBSeqTry", .Kind = ckTrackBar, .Caption = "Количество попыток подбора",
     .Mem = mlInt, .Addr = 53, .Type = stByteLo, .Max = 127, .Range = {1, 4}, .Default = 4},
    // The inputs and the analog ladder: bytes the page's grids show and edit.
    {.Name = "vddUpDown", .Kind = ckData, .Mem = mlInt, .Addr = 1, .Type = stArray, .Max = 1},
    {.Name = "vdCmd", .Kind = ckData, .Mem = mlInt, .Addr = 14, .Type = stArray, .Max = 8},
    {.Name = "vddCmd", .Kind = ckData, .Mem = mlInt, .Addr = 44, .Type = stArray, .Max = 6},
    {.Name = "vddInvInp", .Kind = ckData, .Mem = mlInt, .Addr = 50, .Type = stArray, .Max = 1},
    {.Name = "AnInpLearned", .Kind = ckData, .Mem = mlInt, .Addr = 54, .Type = stArray, .Max = 1},
    {.Name = "AnalogInpMask", .Kind = ckData, .Mem = mlInt, .Addr = 76, .Type = stArray, .Max = 8},
    {.Name = "anSeqLrn", .Kind = ckData, .Mem = mlInt, .Addr = 84, .Type = stArray, .Max = 8},
    {.Name = "vddRemoteInputsV", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2, .Live = true},
    {.Name = "AnalogInpEndLearn", .Kind = ckData, .Mem = mlMsg, .Addr = 2, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vdInpStatus", .Kind = ckData, .Mem = mlMsg, .Addr = 3, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "VDDataADC", .Kind = ckData, .Mem = mlMsg, .Addr = 5, .Type = stArray, .Max = 1, .Live = true},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr TValueLabelRow kLabels[] = {
    {.Name = "TBSequenseInpTimer", .Scale = 25, .Format = "%d [мc]"},
    {.Name = "TBBounce", .Offset = 1},
    {.Name = "TBSeqTry", .Offset = 1},
};
static_assert(CheckValueLabels(kLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& RemoteInputsTable() {
  static constexpr TPageTable kTable = {.Name = "RemoteInputsProperties",
                                        .LanAddr = kRemoteInputsAddr,
                                        .Rows = kRows,
                                        .Title = "Настройки",
                                        .HelpTopic = "remote_inputs",
                                        .Labels = kLabels};
  return kTable;
}
