#include "link/lan_msg.h"
#include "pages/can/can_tables.h"

namespace {

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Выходы"},
    {.Kind = ckHeading, .Caption = "Взаимодействие со штатной системой"},
    {.Name = "VDCheckBox4", .Kind = ckCheckBox, .Caption = "Выключать штатную систему при снятии", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 7, .Hidden = true, .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Управление ГМ штатным брелоком/Keyless по CAN (Постановка в Охрану, Slave)", .Mem = mlExt, .Addr = 547, .Type = stBit, .Bit = 1},
    {.Kind = ckCheckBox, .Caption = "Управление ГМ штатным брелоком/Keyless по CAN (Снятие с Охраны, Slave)", .Mem = mlExt, .Addr = 555, .Type = stBit, .Bit = 7},
    {.Name = "VDCheckBox3", .Kind = ckCheckBox, .Caption = "Включать штатную систему при постановке", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 6, .Hidden = true, .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Управление ГМ штатным брелоком/Keyless по CAN (Отпирание крышки багажника, Slave)", .Mem = mlExt, .Addr = 129, .Type = stBit, .Bit = 2},
    {.Name = "VDCheckBox6", .Kind = ckCheckBox, .Caption = "Игнорировать снятие с охраны по CAN (если был открыт багажник; время задаётся ползунком)", .Mem = mlExt, .Addr = 129, .Type = stBit, .Bit = 1,
     .Hint = "Вырыбатывается событие №119"},
    {.Name = "CanSlaveSystem2", .Kind = ckCheckBox, .Caption = "Разрешить снятие по CAN в ДЗ и ТТ по статусу штатной сигнализации  ", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 5,
     .Hint = "Следить за состоянием штатной системы", .Hidden = true},
    {.Name = "VDCheckBox32", .Kind = ckCheckBox, .Caption = "Игнорировать снятие с охраны по CAN (если был открыт багажник; время задаётся ползунком; учитывается статус ЦЗ)", .Mem = mlExt, .Addr = 87, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Игнорировать снятие с охраны по CAN 1.5 секунды с момента открытия двери (в диагностике)", .Mem = mlExt, .Addr = 139, .Type = stBit, .Bit = 6,
     .Hint = "Вырабатывается событие №171"},
    {.Kind = ckCheckBox, .Caption = "Игнорировать постановку в охрану по CAN (2.1 секунды после снятия по CAN)", .Mem = mlExt, .Addr = 555, .Type = stBit, .Bit = 6},
    {.Kind = ckCheckBox, .Caption = "Использовать статус ЦЗ по CAN для синхронизации", .Mem = mlExt, .Addr = 130, .Type = stBit, .Bit = 0},
    {.Kind = ckCheckBox, .Caption = "Заменять CAN команду при Постановке в охрану с включенным зажиганием на \"Запереть все двери\"", .Mem = mlExt, .Addr = 130, .Type = stBit, .Bit = 6,
     .Hint = "Если галочка не установлена, то в соответствии с выбором в поле \"Постановка в охрану\""},
    {.Kind = ckCheckBox, .Caption = "Заменять CAN команду при Снятии с охраны с включенным зажиганием на \"Отпереть все двери\"", .Mem = mlExt, .Addr = 131, .Type = stBit, .Bit = 0,
     .Hint = "Если галочка не установлена, то в соответствии с выбором в поле \"Снятие с охраны\""},
    {.Kind = ckCheckBox, .Caption = "Игнорировать тревогу штатной сигнализации", .Mem = mlExt, .Addr = 133, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Игнорировать вход \"Дверь водителя\" 1.5 секунды при постановке в охрану (в диагностике)", .Mem = mlExt, .Addr = 139, .Type = stBit, .Bit = 7},
    {.Name = "VDCheckBox15", .Kind = ckCheckBox, .Caption = "Запретить снятие с охраны по CAN после постановки в охрану (1 секунда), если включено зажигание", .Mem = mlExt, .Addr = 141, .Type = stBit, .Bit = 3,
     .Hint = "Вырабатывается событие №171"},
    {.Kind = ckCheckBox, .Caption = "Добавить одну вспышку сигналами поворотников, когда CAN-шина неактивна", .Mem = mlExt, .Addr = 83, .Type = stBit, .Bit = 4},
    {.Name = "VDCheckBox17", .Kind = ckCheckBox, .Caption = "Исключить вход зажигания из функции запрета Снятия с Охраны (см. выше)", .Mem = mlExt, .Addr = 86, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Разрешить снятие в процедуре запуска по CAN (запуск в Охране)", .Mem = mlExt, .Addr = 690, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Разрешить отмену Пляжной Диагностики при получении CAN-команды \"Снять с Охраны\"", .Mem = mlExt, .Addr = 196, .Type = stBit, .Bit = 6,
     .Hint = "Находясь в режиме Пляж (охрана), при получении CAN-команды \"Снять с Охраны\" будет выработано событие №123  и выдано сообщение \"Попытка Снятия с Охраны\" (GSM)"},
    {.Kind = ckHeading, .Caption = "Таймеры"},
    {.Name = "VDTrackBar12", .Kind = ckTrackBar, .Caption = "Таймер игнорирования снятия с охраны по CAN (если был открыт багажник)", .Mem = mlExt, .Addr = 675, .Type = stByte, .Max = 255, .Range = {1, 50}, .Guard = {270, 1}, .Default = 21,
     .Hint = "Регулирует время 4-й функции сверху (см. выше)"},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Игнорировать \"эхо\" от CAN команд Снятия или Постановки в случае отправки любой из команд отпирания-запирания ЦЗ", .Mem = mlExt, .Addr = 697, .Type = stByte, .Max = 255, .Range = {0, 60}, .Guard = {270, 1}, .Default = 0,
     .Hint = "Также касается любой команды (ЦЗ), отправляемой через программируемые выходы. "},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "Снятие с Охраны по CAN", .Mem = mlExt, .Addr = 704, .Type = stByte, .Max = 255, .Range = {0, 60}, .Guard = {270, 1}, .Default = 32},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Постановка в Охрану по CAN", .Mem = mlExt, .Addr = 705, .Type = stByte, .Max = 255, .Range = {0, 60}, .Guard = {270, 1}, .Default = 32},
    {.Kind = ckHeading, .Caption = "Управление CAN командами по событиям"},
    // The main firmware's version, which enables the sections that it knows.
    {.Name = "vddMainVersion", .Kind = ckData, .Mem = mlMsg, .Addr = 130, .Type = stArray, .Max = 5, .Live = true},
    // The CAN outputs byte of the outputs page, whose bits the arming and disarming choices set.
    {.Name = "vddCanOuts", .Kind = ckData, .Mem = mlExt, .Addr = 548, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    // Switch-on event, delay, pause and repeat count of the 16 programs.
    {.Name = "vddEvents", .Kind = ckData, .Mem = mlExt, .Addr = 896, .Type = stArray, .Max = 64},
    // The command of each program.
    {.Name = "vddEventFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 64256, .Type = stArray, .Max = 16},
    // The four switch-off events of each program.
    {.Name = "VDData1", .Kind = ckData, .Mem = mlExt, .Addr = 960, .Type = stArray, .Max = 64},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr TValueLabelRow kValueLabels[] = {
    {.Name = "VDTrackBar12", .Scale = 0.1, .Format = "%4.1f с"},
    {.Name = "VDTrackBar1", .Scale = 50, .Format = "%d мс", .SpecialPosition = 0, .SpecialText = "ВЫКЛ"},
    {.Name = "VDTrackBar2", .Scale = 50, .Format = "%d мс", .SpecialPosition = 0, .SpecialText = "ВЫКЛ"},
    {.Name = "VDTrackBar3", .Scale = 50, .Format = "%d мс", .SpecialPosition = 0, .SpecialText = "ВЫКЛ"},
};
static_assert(CheckValueLabels(kValueLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& CanOutTable() {
  static constexpr TPageTable kTable = {.Name = "CanOut",
                                        .LanAddr = kMainModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Выходы",
                                        .HelpTopic = "can_outputs",
                                        .Labels = kValueLabels};
  return kTable;
}
