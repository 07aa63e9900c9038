#pragma once

#include "binding/control_table.h"

// A small settings page of the main module (bus address 2) in the form every product page
// takes: two sections, every control kind, a guard, a live label, a module override, twins.
inline constexpr uint8_t kExampleLanAddr = 2;

// clang-format off
inline constexpr TRadioItem kArmModeItems[] = {
    {0, "обычная"}, {1, "тихая"}, {2, "автоматическая"}, {3, "пассивная"}};
inline constexpr TRadioItem kSignalItems[] = {
    {0, "выкл"}, {1, "короткий"}, {2, "длинный"}, {3, "двойной"}, {4, "серия"}};
inline constexpr TRadioItem kChannelItems[] = {
    {0, "канал 1"}, {1, "канал 2"}, {2, "канал 3"}, {3, "канал 4"}};

inline constexpr TControlRow kExampleRows[] = {
    {.Kind = ckHeading, .Caption = "Охрана"},
    {.Name = "cbSiren", .Kind = ckCheckBox, .Caption = "Включить сирену при тревоге",
     .Mem = mlExt, .Addr = 82, .Type = stBit, .Bit = 5, .Default = 1,
     .Hint = "Сирена звучит 30 секунд"},
    {.Name = "cbNoSensors", .Kind = ckCheckBox, .Caption = "Охрана без датчиков",
     .Mem = mlExt, .Addr = 88, .Type = stBit, .Bit = 1, .Guard = {267, 1}},
    {.Name = "rgArmMode", .Kind = ckRadioGroup, .Caption = "Постановка", .Mem = mlExt,
     .Addr = 90, .Type = stBits, .Bit = 3, .Max = 3, .Items = kArmModeItems, .Columns = 2},
    {.Name = "rgSignal", .Kind = ckRadioGroup, .Caption = "Сигнал", .Mem = mlExt, .Addr = 91,
     .Type = stByte, .Max = 4, .Items = kSignalItems, .Default = 1, .Columns = 2},
    {.Name = "tbAlarm", .Kind = ckTrackBar, .Caption = "Зона тревоги", .Mem = mlExt,
     .Addr = 198, .Type = stByteHi, .Max = 15, .Guard = {260, 0}},
    {.Name = "tbWarn", .Kind = ckTrackBar, .Caption = "Зона предупреждения", .Mem = mlExt,
     .Addr = 198, .Type = stByteLo, .Max = 15, .Default = 4},
    {.Kind = ckHeading, .Caption = "Время и сервис"},
    {.Name = "tbDelay", .Kind = ckTrackBar, .Caption = "Задержка автозапуска, с",
     .Mem = mlExt, .Addr = 242, .Type = st2Bytes, .Max = 3600, .Default = 600},
    {.Name = "mmOwner", .Kind = ckLabeledMemo, .Caption = "Владелец", .Mem = mlExt,
     .Addr = 300, .Type = stString, .Max = 16},
    {.Name = "vdKeys", .Kind = ckData, .Mem = mlExt, .Addr = 320, .Type = stArray, .Max = 2},
    {.Name = "lbIgnition", .Kind = ckLabel, .Caption = "Зажигание", .Mem = mlMsg, .Addr = 5,
     .Type = stBit, .Bit = 0, .Live = true, .Interval = 500},
    {.Name = "cbShockOn", .Kind = ckCheckBox, .Caption = "Датчик удара включён", .Mem = mlInt,
     .Addr = 3, .Type = stBit, .Bit = 0, .Module = 20},
    {.Name = "rgChannel", .Kind = ckRadioGroup, .Caption = "Радиоканал", .Mem = mlExt,
     .Addr = 92, .Type = stBitArray, .Bit = 4, .Max = 2, .Items = kChannelItems},
};
static_assert(CheckTable(kExampleRows).Row == -1);
// clang-format on
