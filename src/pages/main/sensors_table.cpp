#include "pages/main/sensors_table.h"

#include "link/lan_msg.h"

namespace {

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Общие настройки"},
    {.Name = "VDTrackBar15", .Kind = ckTrackBar, .Caption = "Задержка подключения датчиков по окончании дист. запуска, ТТ или при постановке в охрану",
     .Mem = mlExt, .Addr = 647, .Type = stByteHi, .Max = 10, .Range = {0, 9}, .Guard = {260, 5}, .Hint = "Задержка подключения датчиков по окончании дист. запуска, ТТ или при постановке в охрану"},
    {.Kind = ckCheckBox, .Caption = "Не подключать датчики через 5 минут при открытой крышке багажника (удар, наклон, радар)",
     .Mem = mlExt, .Addr = 82, .Type = stBit, .Bit = 5},
    {.Kind = ckHeading, .Caption = "Чувствительность датчика удара"},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Зона предупреждения",
     .Mem = mlExt, .Addr = 198, .Type = stByteLo, .Max = 15, .Guard = {259, 7}},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "Зона тревоги",
     .Mem = mlExt, .Addr = 198, .Type = stByteHi, .Max = 15, .Guard = {260, 0}},
    {.Kind = ckHeading, .Caption = "Чувствительность первого микроволнового датчика"},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Зона предупреждения",
     .Mem = mlExt, .Addr = 199, .Type = stByteLo, .Max = 15, .Guard = {260, 1}},
    {.Name = "VDTrackBar4", .Kind = ckTrackBar, .Caption = "Зона тревоги",
     .Mem = mlExt, .Addr = 199, .Type = stByteHi, .Max = 15, .Guard = {260, 2}},
    {.Kind = ckHeading, .Caption = "Чувствительность второго микроволнового датчика"},
    {.Name = "VDTrackBar5", .Kind = ckTrackBar, .Caption = "Зона предупреждения",
     .Mem = mlExt, .Addr = 208, .Type = stByteLo, .Max = 15, .Guard = {268, 7}},
    {.Name = "VDTrackBar6", .Kind = ckTrackBar, .Caption = "Зона тревоги",
     .Mem = mlExt, .Addr = 208, .Type = stByteHi, .Max = 15, .Guard = {269, 0}},
    {.Kind = ckHeading, .Caption = "Настройка датчика температуры"},
    {.Name = "VDTrackBar7", .Kind = ckTrackBar, .Caption = "Порог срабатывания",
     .Mem = mlExt, .Addr = 648, .Type = stByteLo, .Max = 15, .Guard = {256, 7}, .Default = 11},
    {.Kind = ckCheckBox, .Caption = "Отключить датчик температуры (на плате главного модуля)",
     .Mem = mlExt, .Addr = 559, .Type = stBit, .Bit = 7},
    {.Kind = ckCheckBox, .Caption = "Управление событиями №30 и №127 по другому алгоритму",
     .Mem = mlExt, .Addr = 690, .Type = stBit, .Bit = 7, .Hint = "Находясь в ДЗ в Охране будет выработано только одно событие, исходя из текущей температуры"},
};
static_assert(CheckTable(kRows).Row == -1);

// Off, then the sensitivity steps 2 to 15, then the most sensitive.
constexpr const char* kZoneSteps[] = {
    "выкл", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "максимум"};
constexpr const char* kConnectionDelays[] = {
    "5 секунд",  "10 секунд", "15 секунд", "20 секунд", "25 секунд",
    "30 секунд", "35 секунд", "40 секунд", "45 секунд", "50 секунд"};

constexpr TValueLabelRow kValueLabels[] = {
    {.Name = "VDTrackBar15", .Texts = kConnectionDelays},
    {.Name = "VDTrackBar1", .Texts = kZoneSteps},
    {.Name = "VDTrackBar2", .Texts = kZoneSteps},
    {.Name = "VDTrackBar3", .Texts = kZoneSteps},
    {.Name = "VDTrackBar4", .Texts = kZoneSteps},
    {.Name = "VDTrackBar5", .Texts = kZoneSteps},
    {.Name = "VDTrackBar6", .Texts = kZoneSteps},
    // Two degrees a step from −16 °C.
    {.Name = "VDTrackBar7", .Scale = 2, .Offset = -16, .Format = "%d °C"},
};
static_assert(CheckValueLabels(kValueLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& MainSensorsTable() {
  static constexpr TPageTable kTable = {.Name = "MainSensors",
                                        .LanAddr = kMainModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Датчики",
                                        .HelpTopic = "main_sensors",
                                        .Labels = kValueLabels};
  return kTable;
}
