#include "pages/extension/validator_table.h"

#include "pages/extension/extension_modules.h"

namespace {

// clang-format off
constexpr TPositionCoding kTenths{.Kind = pcScaled, .LoadFactor = 0.1, .StoreFactor = 10};

constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Настройки Validator"},
    {.Name = "VDTrackBar5", .Kind = ckTrackBar, .Caption = "Время на ввод кода",
     .Mem = mlInt, .Addr = 66, .Type = stByte, .Max = 240, .Default = 15},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "Игнорировать  пропадание запроса",
     .Mem = mlInt, .Addr = 65, .Type = stByte, .Max = 30, .Range = {1, 30}, .Default = 10},
    {.Name = "VDTrackBar4", .Kind = ckTrackBar, .Caption = "Импульс дополнительного выхода",
     .Mem = mlInt, .Addr = 64, .Type = stByte, .Max = 30, .Default = 20},
    {.Name = "VDCheckBox1", .Kind = ckCheckBox, .Caption = "Вводить код без запроса",
     .Mem = mlInt, .Addr = 77, .Type = stBit, .Bit = 0, .Default = 1},
    {.Name = "VDCheckBox2", .Kind = ckCheckBox, .Caption = "Разблокировать без запроса",
     .Mem = mlInt, .Addr = 77, .Type = stBit, .Bit = 1},
    {.Kind = ckCheckBox, .Caption = "Не звучать при неправильно введённом коде",
     .Mem = mlInt, .Addr = 84, .Type = stBit, .Bit = 5, .Default = 1},
    {.Kind = ckCheckBox, .Caption = "Запрет программирования через кнопку ПИН",
     .Mem = mlInt, .Addr = 84, .Type = stBit, .Bit = 6, .Default = 1},
    {.Name = "VDCheckBox4", .Kind = ckCheckBox, .Caption = "Сигнализировать сиреной за 15 сек до окончания времени на ввод кода",
     .Mem = mlInt, .Addr = 84, .Type = stBit, .Bit = 0},
    {.Kind = ckHeading, .Caption = "Общие настройки Validator и Расширителя выходов"},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Дребезг по кнопкам",
     .Mem = mlInt, .Addr = 86, .Type = stByte, .Max = 20, .Range = {1, 20}, .Default = 5},
    {.Name = "VDTrackBar7", .Kind = ckTrackBar, .Caption = "Разброс от среднего значения при обучении",
     .Mem = mlInt, .Addr = 88, .Type = stByte, .Max = 8, .Range = {1, 8}, .Default = 2},
    {.Name = "VDTrackBar6", .Kind = ckTrackBar, .Caption = "Число усреднений аналогового сигнала",
     .Mem = mlInt, .Addr = 87, .Type = stByte, .Max = 6, .Range = {3, 6}, .Default = 3},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Интервал между нажатиями кнопок",
     .Mem = mlInt, .Addr = 43, .Type = stByte, .Max = 250, .Range = {10, 25}, .Default = 15, .Coding = &kTenths},
    {.Name = "VDCheckBox7", .Kind = ckCheckBox, .Caption = "Не играть мелодии датчика удара",
     .Mem = mlInt, .Addr = 90, .Type = stBit, .Bit = 0},
    // The lines, the code and the analog buttons: bytes the page's grids show and edit.
    {.Name = "vddUpDown", .Kind = ckData, .Mem = mlInt, .Addr = 1, .Type = stArray, .Max = 1},
    {.Name = "vddLearned", .Kind = ckData, .Mem = mlInt, .Addr = 2, .Type = stArray, .Max = 1},
    {.Name = "vddMask", .Kind = ckData, .Mem = mlInt, .Addr = 6, .Type = stArray, .Max = 8},
    {.Name = "vddSeqEvent", .Kind = ckData, .Mem = mlInt, .Addr = 42, .Type = stArray, .Max = 1},
    {.Name = "VDData7", .Kind = ckData, .Mem = mlInt, .Addr = 54, .Type = stArray, .Max = 3},
    {.Name = "vddPIN_copy", .Kind = ckData, .Mem = mlInt, .Addr = 57, .Type = stArray, .Max = 1},
    {.Name = "vddTypeBlock", .Kind = ckData, .Mem = mlInt, .Addr = 58, .Type = stArray, .Max = 1},
    {.Name = "vddInv", .Kind = ckData, .Mem = mlInt, .Addr = 59, .Type = stArray, .Max = 1},
    {.Name = "vddStatus", .Kind = ckData, .Mem = mlInt, .Addr = 60, .Type = stArray, .Max = 1},
    {.Name = "vddVix6", .Kind = ckData, .Mem = mlInt, .Addr = 61, .Type = stArray, .Max = 1},
    {.Name = "vddStatusEn", .Kind = ckData, .Mem = mlInt, .Addr = 69, .Type = stArray, .Max = 1},
    {.Name = "vdFuse_err", .Kind = ckData, .Mem = mlInt, .Addr = 76, .Type = stArray, .Max = 1},
    {.Name = "vddAnalogDigit", .Kind = ckData, .Mem = mlInt, .Addr = 78, .Type = stArray, .Max = 1},
    {.Name = "vddAnalogMask", .Kind = ckData, .Mem = mlInt, .Addr = 79, .Type = stArray, .Max = 2},
    {.Name = "vddAnalogInpLearn", .Kind = ckData, .Mem = mlInt, .Addr = 82, .Type = stArray, .Max = 2},
    {.Name = "vddLearnEvent", .Kind = ckData, .Mem = mlMsg, .Addr = 5, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vddAnalogInputLnd", .Kind = ckData, .Mem = mlMsg, .Addr = 6, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vddInputs", .Kind = ckData, .Mem = mlMsg, .Addr = 2, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vddAnInputs", .Kind = ckData, .Mem = mlMsg, .Addr = 3, .Type = stArray, .Max = 2, .Live = true},
    {.Name = "vddSlaveV", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2, .Live = true},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr const char* kAverages[] = {"", "1[раз]", "2[раз]", "4[раз]", "8[раз]", "16[раз]", "32[раз]"};

// Seconds up to a minute, then minutes and seconds.
QString CodeTimeText(int seconds) {
  if (seconds < 60) return QStringLiteral("%1[c]").arg(seconds);
  return QStringLiteral("%1[мин] %2[c]").arg(seconds / 60).arg(seconds % 60);
}

constexpr TValueLabelRow kLabels[] = {
    {.Name = "VDTrackBar5", .Formula = CodeTimeText},
    {.Name = "VDTrackBar2", .Format = "%d[c]"},
    {.Name = "VDTrackBar4", .Format = "%d[c]"},
    {.Name = "VDTrackBar3", .Scale = 10, .Format = "%d[мc]"},
    {.Name = "VDTrackBar7", .Scale = 20, .Format = "%d[мВ]"},
    {.Name = "VDTrackBar6", .Texts = kAverages},
    {.Name = "VDTrackBar1", .Scale = 0.1, .Format = "%3.1f [c]"},
};
static_assert(CheckValueLabels(kLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& ValidatorTable() {
  static constexpr TPageTable kTable = {.Name = "ValidatorProperties",
                                        .LanAddr = kValidatorAddr,
                                        .Rows = kRows,
                                        .Title = "Настройки",
                                        .Labels = kLabels};
  return kTable;
}
