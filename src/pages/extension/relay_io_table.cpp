#include "pages/extension/relay_io_table.h"

#include "pages/extension/extension_modules.h"

namespace {

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Назначение входов"},
    {.Name = "vdCBDirectControl", .Kind = ckCheckBox, .Caption = "Прямое управление выходом RL2 (Стартер) по входу №4",
     .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 1},
    {.Kind = ckHeading, .Caption = "Конфигурация аналоговых входов"},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Дребезг по кнопкам",
     .Mem = mlInt, .Addr = 88, .Type = stByte, .Max = 20, .Range = {1, 20}, .Default = 10},
    {.Name = "VDTrackBar7", .Kind = ckTrackBar, .Caption = "Разброс от среднего значения при обучении",
     .Mem = mlInt, .Addr = 90, .Type = stByte, .Max = 18, .Range = {1, 18}, .Default = 2},
    {.Name = "VDTrackBar6", .Kind = ckTrackBar, .Caption = "Число усреднений аналогового сигнала",
     .Mem = mlInt, .Addr = 89, .Type = stByte, .Max = 6, .Range = {3, 6}, .Default = 3},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Интервал между нажатиями кнопок",
     .Mem = mlInt, .Addr = 43, .Type = stByte, .Max = 250, .Range = {100, 250}, .Default = 150},
    // Inputs, combinations and analog buttons: bytes the page's grids show and edit.
    {.Name = "vddUpDown", .Kind = ckData, .Mem = mlInt, .Addr = 1, .Type = stArray, .Max = 1},
    {.Name = "vdCmd", .Kind = ckData, .Mem = mlInt, .Addr = 14, .Type = stArray, .Max = 8},
    {.Name = "vddInv", .Kind = ckData, .Mem = mlInt, .Addr = 59, .Type = stArray, .Max = 1},
    {.Name = "vdFuse_err", .Kind = ckData, .Mem = mlInt, .Addr = 76, .Type = stArray, .Max = 1},
    {.Name = "vddAnalogDigit", .Kind = ckData, .Mem = mlInt, .Addr = 78, .Type = stArray, .Max = 1},
    {.Name = "vddAnalogInpLearn", .Kind = ckData, .Mem = mlInt, .Addr = 82, .Type = stArray, .Max = 3},
    {.Name = "anSeqLrn", .Kind = ckData, .Mem = mlInt, .Addr = 2, .Type = stArray, .Max = 1},
    {.Name = "vdInpMask", .Kind = ckData, .Mem = mlInt, .Addr = 6, .Type = stArray, .Max = 8},
    {.Name = "vddAnalogMask", .Kind = ckData, .Mem = mlInt, .Addr = 79, .Type = stArray, .Max = 2},
    {.Name = "vddSlaveV", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2, .Live = true},
    {.Name = "vddLearnEvent", .Kind = ckData, .Mem = mlMsg, .Addr = 5, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vddAnalogInputLnd", .Kind = ckData, .Mem = mlMsg, .Addr = 6, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vddInputs", .Kind = ckData, .Mem = mlMsg, .Addr = 2, .Type = stArray, .Max = 1, .Live = true},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr const char* kAverages[] = {"", "1[раз]", "2[раз]", "4[раз]", "8[раз]", "16[раз]", "32[раз]"};

constexpr TValueLabelRow kLabels[] = {
    {.Name = "VDTrackBar3", .Scale = 10, .Format = "%d[мc]"},
    {.Name = "VDTrackBar7", .Scale = 20, .Format = "%d[мВ]"},
    {.Name = "VDTrackBar6", .Texts = kAverages},
    {.Name = "VDTrackBar1", .Scale = 10, .Format = "%d [мc]"},
};
static_assert(CheckValueLabels(kLabels) == -1);

constexpr TControlRow kNewRows[] = {
    {.Kind = ckHeading, .Caption = "Назначение входов"},
    {.Name = "vdCBDirectControl", .Kind = ckCheckBox, .Caption = "Прямое управление выходом RL2 (Стартер) по входу №4",
     .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 1},
    {.Kind = ckHeading, .Caption = "Настройки"},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Дребезг цифровых входов",
     .Mem = mlInt, .Addr = 91, .Type = stByte, .Max = 6, .Range = {1, 6}, .Default = 4},
    {.Name = "VDTrackBar4", .Kind = ckTrackBar, .Caption = "Интервал между нажатиями кнопок",
     .Mem = mlInt, .Addr = 105, .Type = stByte, .Max = 48, .Range = {8, 48}, .Default = 48},
    {.Kind = ckCheckBox, .Caption = "Защита от подбора комбинации кнопок на руле",
     .Mem = mlInt, .Addr = 107, .Type = stBit, .Bit = 0,
     .Hint = "В зависимости от состояния IMMO следить за подбором кода (кроме режимов автомойка, автосервис и введён ПИН-код)"},
    {.Name = "TBBounce", .Kind = ckTrackBar, .Caption = "Коэффициент погрешности измерения кнопок",
     .Mem = mlInt, .Addr = 104, .Type = stByteLo, .Max = 127, .Range = {0, 4}},
    {.Name = "TBSeqTry", .Kind = ckTrackBar, .Caption = "Количество попыток подбора",
     .Mem = mlInt, .Addr = 106, .Type = stByteLo, .Max = 127, .Range = {1, 4}, .Default = 4},
    // Inputs, combinations and analog buttons: bytes the page's grids show and edit.
    {.Name = "vddUpDown", .Kind = ckData, .Mem = mlInt, .Addr = 1, .Type = stArray, .Max = 1},
    {.Name = "vdCmd", .Kind = ckData, .Mem = mlInt, .Addr = 14, .Type = stArray, .Max = 8},
    {.Name = "vddInv", .Kind = ckData, .Mem = mlInt, .Addr = 59, .Type = stArray, .Max = 1},
    {.Name = "vdFuse_err", .Kind = ckData, .Mem = mlInt, .Addr = 76, .Type = stArray, .Max = 1},
    {.Name = "vddAnalogDigit", .Kind = ckData, .Mem = mlInt, .Addr = 78, .Type = stArray, .Max = 1},
    {.Name = "vddAnalogInpLearn", .Kind = ckData, .Mem = mlInt, .Addr = 82, .Type = stArray, .Max = 3},
    {.Name = "anSeqLrn", .Kind = ckData, .Mem = mlInt, .Addr = 46, .Type = stArray, .Max = 8},
    {.Name = "vddSlaveV", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2, .Live = true},
    {.Name = "VDDataADC", .Kind = ckData, .Mem = mlMsg, .Addr = 7, .Type = stArray, .Max = 3, .Live = true},
    {.Name = "AnalogInpEndLearn", .Kind = ckData, .Mem = mlMsg, .Addr = 10, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vdInp3Status", .Kind = ckData, .Mem = mlMsg, .Addr = 11, .Type = stArray, .Max = 3, .Live = true},
};
static_assert(CheckTable(kNewRows).Row == -1);

constexpr TValueLabelRow kNewLabels[] = {
    {.Name = "VDTrackBar3", .Scale = 25, .Format = "%d [мc]"},
    {.Name = "VDTrackBar4", .Scale = 25, .Format = "%d [мc]"},
    {.Name = "TBBounce", .Offset = 1},
    {.Name = "TBSeqTry", .Offset = 1},
};
static_assert(CheckValueLabels(kNewLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& RelayIOTable() {
  static constexpr TPageTable kTable = {.Name = "RelayIOProperties",
                                        .LanAddr = kRelayIOAddr,
                                        .Rows = kRows,
                                        .Title = "Настройки",
                                        .Labels = kLabels};
  return kTable;
}

const TPageTable& RelayIONewTable() {
  static constexpr TPageTable kTable = {.Name = "RelayIOPropertiesNew",
                                        .LanAddr = kRelayIOAddr,
                                        .Rows = kNewRows,
                                        .Title = "Настройки",
                                        .Labels = kNewLabels};
  return kTable;
}
