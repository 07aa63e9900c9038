#include "pages/gsm/telematic_table.h"

#include "pages/gsm/gsm_address.h"

namespace {

// clang-format off
// The module counts the ping interval in 2-second units; the page shows whole minutes.
constexpr TPositionCoding kPingMinutes{.Kind = pcScaled, .LoadFactor = 1.0 / 30, .StoreFactor = 30};
constexpr TRadioItem kTelItems1[] = {{0, "Yandex-карты"}, {1, "Google-maps"}};

constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Настройки"},
    {.Kind = ckCheckBox, .Caption = "Работать в роуминге", .Mem = mlInt, .Addr = 1024, .Type = stBit, .Bit = 1},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Время пинга", .Mem = mlInt, .Addr = 1138, .Type = stByte, .Range = {1, 8}, .Default = 5, .Hint = "Время пинга между GSM устройством и сервером", .Coding = &kPingMinutes},
    {.Name = "VDLabel1", .Kind = ckLabel, .Caption = "Передача данных по GPRS", .Mem = mlMsg, .Addr = 58, .Type = stBit, .Bit = 5, .Hint = "Передача данных по GPRS", .Live = true},
    {.Name = "VDCheckBox2", .Kind = ckCheckBox, .Caption = "Регистрация пройдена", .Mem = mlInt, .Addr = 1024, .Type = stBit, .Bit = 0, .Hint = "Только для удаления регистрации. Затем необходимо перезагрузить модем."},
    {.Kind = ckHeading, .Caption = "Геолокация"},
    {.Kind = ckCheckBox, .Caption = "Использовать GPS", .Mem = mlInt, .Addr = 47, .Type = stBit, .Bit = 0},
    {.Kind = ckRadioGroup, .Caption = "Сервис карт для СМС-запроса", .Mem = mlInt, .Addr = 47, .Type = stBit, .Bit = 1, .Items = kTelItems1, .Columns = 2},
    {.Name = "vddAPN", .Kind = ckData, .Mem = mlInt, .Addr = 1054, .Type = stArray, .Max = 30},
    {.Name = "vddDomen", .Kind = ckData, .Mem = mlInt, .Addr = 1084, .Type = stArray, .Max = 50},
    {.Name = "vddPort", .Kind = ckData, .Mem = mlInt, .Addr = 1134, .Type = stArray, .Max = 4},
    {.Name = "vddGPSCoordValidity", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 1, .Module = kGpsModuleAddr},
    {.Name = "vddGPSCoord", .Kind = ckData, .Mem = mlMsg, .Addr = 59, .Type = stArray, .Max = 10},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr TValueLabelRow kValueLabels[] = {
    {.Name = "VDTrackBar3", .Format = "%d мин"},
};
static_assert(CheckValueLabels(kValueLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& GsmTelematicTable() {
  static constexpr TPageTable kTable = {.Name = "GSMTelematic",
                                        .LanAddr = kGsmModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Телематика",
                                        .Labels = kValueLabels};
  return kTable;
}
