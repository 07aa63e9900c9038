#include "pages/main/tx_table.h"

#include "link/lan_msg.h"

namespace {

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Штатный брелок автомобиля (CAN)"},
    {.Name = "vdDoubleArmCan", .Kind = ckData, .Mem = mlExt, .Addr = 560, .Type = stArray, .Max = 1},
    {.Name = "vdDoubleDisarmCAN", .Kind = ckData, .Mem = mlExt, .Addr = 561, .Type = stArray, .Max = 1},
    {.Kind = ckHeading, .Caption = "Функции брелоков и меток"},
    {.Kind = ckCheckBox, .Caption = "Включить расширенный функционал однокнопочной метки",
     .Mem = mlExt, .Addr = 130, .Type = stBit, .Bit = 7, .Hint = "По умолчанию включено снять / поставить, вход в автосервис / программирование"},
    {.Kind = ckCheckBox, .Caption = "Запрет обработки команд от кнопки метки",
     .Mem = mlExt, .Addr = 129, .Type = stBit, .Bit = 7, .Hint = "Главный модуль не реагирует на нажатия кнопки однокнопочной метки"},
    {.Kind = ckCheckBox, .Caption = "Запретить Постановку в Охрану брелоком Sorvan, если открыта дверь водителя",
     .Mem = mlExt, .Addr = 128, .Type = stBit, .Bit = 6, .Hint = "Постановка в Охрану будет запрещена, если открыты дверь водителя, капот, нажат тормоз (зажигание/поддержка вкл) "},
    {.Name = "VDCheckBox35", .Kind = ckCheckBox, .Caption = "Разрешить вход в Автомойку с брелока / метки (только с включенным зажиганием, ПАРК, Скорость=0)",
     .Mem = mlExt, .Addr = 128, .Type = stBit, .Bit = 2,
     .Hint = "Вход/выход в режим Автомойка с помощью кнопки №2 брелока долго / кнопки метки долго);\r\nЕсли функция спидометра не назначена, то выход из Автомойки автоматически по пробегу невозможен;\r\nIMMO выключен, Повторная авторизация пройдена, опознание метки не запущено (AHJ)"},
    {.Kind = ckCheckBox, .Caption = "Запретить Дистанционный Запуск двигателя брелоком/меткой в Охране",
     .Mem = mlExt, .Addr = 139, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Разрешить Дневной режим (без датчиков) при постановке двойным нажатием штатного брелока",
     .Mem = mlExt, .Addr = 83, .Type = stBit, .Bit = 0},
    {.Kind = ckCheckBox, .Caption = "Увеличить время ожидания повторного нажатия кнопки метки с 0.6сек до 1сек",
     .Mem = mlExt, .Addr = 136, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Не выключать поддержку зажигания при Постановке в Охрану кнопкой 1 брелока",
     .Mem = mlExt, .Addr = 87, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Разрешить Постановку в Охрану с включенным зажиганием: брелоком - кнопкой №1, меткой - однокр. нажатием",
     .Mem = mlExt, .Addr = 87, .Type = stBit, .Bit = 6, .Hint = "При установленной функции для включения поддержки команда 1-1 заменяется на 3-3"},
    {.Kind = ckCheckBox, .Caption = "Отмена Тревоги двойным нажатием штатного брелока \"Поставить в Охрану\"",
     .Mem = mlExt, .Addr = 86, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Игнорировать CAN-команду \"Поставить в Охрану\" в Тревоге по окончании ДЗ/ТТ в первые 10 сек",
     .Mem = mlExt, .Addr = 687, .Type = stBit, .Bit = 3, .Hint = "Отмена тревоги в первые 10с будет проигнорирована"},
    {.Kind = ckCheckBox, .Caption = "Ограничить функционал кнопки метки",
     .Mem = mlExt, .Addr = 688, .Type = stBit, .Bit = 2, .Hint = "Сохраняется управление входом в программирование, автосервис, автомойку"},
    {.Kind = ckCheckBox, .Caption = "Запретить выход из мойки при получении команды \"Встать в охрану\" по CAN дважды",
     .Mem = mlExt, .Addr = 131, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Запретить Постановку в Охрану по CAN, если открыта дверь водителя",
     .Mem = mlExt, .Addr = 689, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Разрешить запуск двигателя в режиме Снято брелоком Sorvan кнопкой 3 дважды, меткой двукратным нажатием",
     .Mem = mlExt, .Addr = 686, .Type = stBit, .Bit = 5, .Hint = "Запуск требует дополнительных настроек; Наличие метки обязательно."},
    {.Kind = ckCheckBox, .Caption = "Отпирать все двери при двукратном нажатии кнопки №2 брелока Sorvan в режиме Снято с охраны",
     .Mem = mlExt, .Addr = 689, .Type = stBit, .Bit = 5, .Hint = "Если при снятии с охраны отпирается только дверь водителя, то первое двукратное нажатие будет отпирать все двери"},
    {.Kind = ckCheckBox, .Caption = "Разрешить управление ЦЗ дверей в режимах Автосервис/Автомойка/AHJ кнопками брелока/кнопкой метки",
     .Mem = mlExt, .Addr = 83, .Type = stBit, .Bit = 2, .Hint = "Кн. №1 - запереть ЦЗ, кн. №3 - отпереть ЦЗ (брелок); 1 нажатие - запереть ЦЗ, 2 нажатия - отпереть ЦЗ (метка)"},
    {.Kind = ckCheckBox, .Caption = "Разрешить останавливать ДЗ/ТТ со штатного брелока в режиме Охрана (дважды поставить)",
     .Mem = mlExt, .Addr = 132, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Разрешить снятие в процедуре запуска в Охране (брелоком Sorvan, кн.  №2; меткой, двукратное нажатие; GSM)",
     .Mem = mlExt, .Addr = 133, .Type = stBit, .Bit = 7},
    {.Kind = ckCheckBox, .Caption = "Разрешить отмену штатной Тревоги в режиме Снято (брелоком Sorvan, кн.  №2; меткой, двукратное нажатие)",
     .Mem = mlExt, .Addr = 549, .Type = stBit, .Bit = 0, .Hint = "В случае, когда снятие производилось Sorvan'ом, но штатная сигнализация с Охраны НЕ снялась"},
    {.Kind = ckCheckBox, .Caption = "Разрешить переход в режим \"Автосервис\" с включенным зажиганием и нажатой педалью тормоза",
     .Mem = mlExt, .Addr = 196, .Type = stBit, .Bit = 5, .Guard = {256, 5}, .Hint = "IMMO выключен, Повторная авторизация пройдена, АКП в Парк, опознание метки не запущено (AHJ)"},
    {.Kind = ckCheckBox, .Caption = "Запретить Постановку в Охрану брелоком/меткой Sorvan с включенным зажиганием (поддержка выключена)",
     .Mem = mlExt, .Addr = 692, .Type = stBit, .Bit = 5, .Guard = {256, 5}},
    {.Kind = ckCheckBox, .Caption = "Разрешить управление ЦЗ через GSM в режимах Автосервис/Автомойка",
     .Mem = mlExt, .Addr = 88, .Type = stBit, .Bit = 3, .Guard = {256, 3}},
    {.Kind = ckCheckBox, .Caption = "Активация/Деактивация охраны без датчиков",
     .Mem = mlExt, .Addr = 88, .Type = stBit, .Bit = 1, .Guard = {256, 1}, .Hint = "Удержание пин-кнопки при включенном зажигании"},
    {.Kind = ckData, .Mem = mlMsg, .Addr = 130, .Type = stArray, .Max = 5, .Live = true},
};
static_assert(CheckTable(kRows).Row == -1);
// clang-format on

}  // namespace

const TPageTable& MainTXTable() {
  static constexpr TPageTable kTable = {.Name = "MainTX",
                                        .LanAddr = kMainModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Брелоки",
                                        .HelpTopic = "main_tx"};
  return kTable;
}
