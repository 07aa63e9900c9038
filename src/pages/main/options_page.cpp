#include "pages/main/options_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "binding/pin_coding.h"
#include "binding/ui/check_rules.h"
#include "binding/ui/context_help.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/pin_edit.h"
#include "binding/ui/pin_field.h"
#include "binding/ui/track_bar_setup.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_track_bar.h"
#include "link/bus_requests.h"
#include "link/lan_msg.h"

namespace {

// clang-format off
constexpr TRadioItem kSirenVolumeItems[] = {{0, "тихо"}, {1, "средне"}, {2, "норма"}, {3, "громко"}};
constexpr TRadioItem kAlarmTypeItems[] = {{0, "полная"}, {1, "беззвучная"}, {2, "скрытая"}};
constexpr TRadioItem kSelfArmItems[] = {{0, "нет"}, {1, "метка"}};

constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Подсветка салона"},
    {.Kind = ckCheckBox, .Caption = "Подсветка салона",
     .Mem = mlExt, .Addr = 193, .Type = stBit, .Bit = 1, .Guard = {257, 7}, .Hint = "Задержка тревоги по дверям при подключении к лампе салона"},
    {.Kind = ckHeading, .Caption = "Звуковые и световые сигналы"},
    {.Kind = ckRadioGroup, .Caption = "Громкость сирены",
     .Mem = mlExt, .Addr = 204, .Type = stByteLo, .Max = 3, .Items = kSirenVolumeItems, .Guard = {256, 2}, .Default = 3, .Hint = "Громкость сигналов постановки и снятия для сирены Brevant", .Hidden = true, .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Отключить звуковое подтверждение при Постановке/Снятии",
     .Mem = mlExt, .Addr = 193, .Type = stBit, .Bit = 0, .Guard = {256, 0}, .Hint = "Если есть важное сообщение, то при Снятии будет звуковое оповещение"},
    {.Kind = ckCheckBox, .Caption = "Отключить звуковое подтверждение \"Автосервис\" (вход/выход)",
     .Mem = mlExt, .Addr = 139, .Type = stBit, .Bit = 1, .Guard = {256, 1}},
    {.Kind = ckCheckBox, .Caption = "Запретить работу зуммера в датчике удара (выносной)",
     .Mem = mlExt, .Addr = 553, .Type = stBit, .Bit = 7, .Guard = {256, 1}},
    {.Kind = ckCheckBox, .Caption = "Запретить работу зуммера в трансивере ",
     .Mem = mlExt, .Addr = 693, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Выключить оповещение сиреной об отключенных входах (например, открыт багажник)",
     .Mem = mlExt, .Addr = 135, .Type = stBit, .Bit = 4, .Hint = "Как только вход будет восстановлен, система вновь возьмет их под охрану (двери, багажник)"},
    {.Kind = ckCheckBox, .Caption = "Запретить работу зуммера при нажатии на кнопку при вводе ПИН-кода",
     .Mem = mlExt, .Addr = 136, .Type = stBit, .Bit = 6},
    {.Kind = ckCheckBox, .Caption = "Включить оповещение зуммером \"Повторная авторизация требуется\"",
     .Mem = mlExt, .Addr = 138, .Type = stBit, .Bit = 0},
    {.Kind = ckCheckBox, .Caption = "Запретить оповещение зуммером: \"старт повторки\", \"ИММО включен\", \"старт AHJ\"",
     .Mem = mlExt, .Addr = 138, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Включить оповещение зуммером при вкл/выкл зажигания в режиме автосервис",
     .Mem = mlExt, .Addr = 143, .Type = stBit, .Bit = 2, .Hint = "Оповещения не будет, если с последнего изменения зажигания не прошло 15 секунд"},
    {.Kind = ckCheckBox, .Caption = "Запретить оповещение при постановке в охрану, если открыт багажник",
     .Mem = mlExt, .Addr = 688, .Type = stBit, .Bit = 5, .Hint = "Через пять минут в охране, если метка не опознана, будет сообщение"},
    {.Kind = ckCheckBox, .Caption = "Включать Панику по команде",
     .Mem = mlExt, .Addr = 82, .Type = stBit, .Bit = 2, .Hint = "Отменяет принудительный AHJ в режимах Охрана, Тревога, ДЗ в охране"},
    {.Kind = ckCheckBox, .Caption = "Запретить звуковое оповещение о срабатывании зон предупреждения (любых)",
     .Mem = mlExt, .Addr = 84, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Отключить звуковое оповещение сиреной о тревожных событиях при Снятии с охраны",
     .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 3, .Hint = "Функция актуальна, если подключен GSM и/или установлена функция \"Беззвучная Постановка/Снятие\""},
    {.Kind = ckCheckBox, .Caption = "Не играть мелодию IMMO/DBL/AHJ при выключении меткой",
     .Mem = mlExt, .Addr = 689, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Отключить звуковое подтверждение при Снятии с Охраны, если метка опознана",
     .Mem = mlExt, .Addr = 691, .Type = stBit, .Bit = 6, .Hint = "RSSI не учитывается"},
    {.Kind = ckCheckBox, .Caption = "Включить звуковое оповещение зуммером при Снятии с Охраны, если была Тревога, разряжена батарейка и т.д.",
     .Mem = mlExt, .Addr = 693, .Type = stBit, .Bit = 1, .Hint = "После Снятия с Охраны мелодия включится через 3-3,5 секунды"},
    {.Kind = ckCheckBox, .Caption = "Не управлять светодиодом при открытых дверях, капоте и багажнике",
     .Mem = mlExt, .Addr = 688, .Type = stBit, .Bit = 7, .Guard = {256, 7}},
    {.Kind = ckCheckBox, .Caption = "Импульсное управление левым поворотником (только выходы Главного Модуля)",
     .Mem = mlExt, .Addr = 553, .Type = stBit, .Bit = 0, .Hint = "Работает только с выходами на плате!!! Выход включается при включении и при выключении поворотников. Длительность назначается в меню Времена."},
    {.Kind = ckCheckBox, .Caption = "Отключить контроль статуса поворотников по CAN (независимо от его наличия)",
     .Mem = mlExt, .Addr = 132, .Type = stBit, .Bit = 2, .Hint = "Для определения наличия статуса в CAN нажмите кнопку аварийки отображения в журнале ВД"},
    {.Kind = ckCheckBox, .Caption = "Отключить контроль статуса поворотников по CAN при постановке/снятии (Slave)",
     .Mem = mlExt, .Addr = 84, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Выключать светодиод трансивера в Снято, когда CAN-шина \"уснула\" (ACC OFF)",
     .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 6, .Hint = "Функция энергосбережения"},
    {.Kind = ckCheckBox, .Caption = "Включить оповещение светодиодом: включена поддержка зажигания при Снятии с Охраны",
     .Mem = mlExt, .Addr = 85, .Type = stBit, .Bit = 5, .Hint = "Оповещение включится после открытия двери водителя"},
    {.Kind = ckCheckBox, .Caption = "Включить оповещение светодиодом: повторная авторизация требуется",
     .Mem = mlExt, .Addr = 85, .Type = stBit, .Bit = 7},
    {.Kind = ckCheckBox, .Caption = "Запретить Sorvan управление поворотниками в определённых случаях",
     .Mem = mlExt, .Addr = 85, .Type = stBit, .Bit = 6, .Hint = "Снятие/Постановка Sorvan'ом, отпирание/запирание багажника Sorvan'ом и т.д."},
    {.Kind = ckCheckBox, .Caption = "Индикация светодиодом только при включенном зажигании",
     .Mem = mlExt, .Addr = 88, .Type = stBit, .Bit = 4, .Hint = "Индикация состояния ИММ и т.д ."},
    {.Name = "VDTrackBar17", .Kind = ckTrackBar, .Caption = "При Снятии с Охраны",
     .Mem = mlExt, .Addr = 658, .Type = stByteHi, .Max = 10, .Guard = {268, 0}, .Default = 4},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "При постановке в Охрану",
     .Mem = mlExt, .Addr = 659, .Type = stByteLo, .Max = 10, .Guard = {268, 0}, .Default = 4},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "При открытии/закрытии багажника",
     .Mem = mlExt, .Addr = 659, .Type = stByteHi, .Max = 10, .Guard = {268, 0}, .Default = 4},
    {.Name = "VDTrackBar6", .Kind = ckTrackBar, .Caption = "При переходе в Тревогу",
     .Mem = mlExt, .Addr = 680, .Type = stByteLo, .Max = 10, .Guard = {268, 0}, .Default = 4},
    {.Kind = ckHeading, .Caption = "Индикация тревоги"},
    {.Kind = ckRadioGroup, .Caption = "Тип тревоги",
     .Mem = mlExt, .Addr = 193, .Type = stBits, .Bit = 3, .Max = 3, .Items = kAlarmTypeItems, .Guard = {256, 3}, .Hint = "Способ оповещения о тревоге"},
    {.Kind = ckTrackBar, .Caption = "Мелодия тревоги",
     .Mem = mlExt, .Addr = 204, .Type = stByteHi, .Max = 14, .Guard = {256, 4}, .Hint = "Номер мелодии тревоги для сирены Brevant", .Hidden = true, .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Клаксон",
     .Mem = mlExt, .Addr = 196, .Type = stBit, .Bit = 3, .Hint = "Прерывистый сигнал сирены или клаксона в тревоге"},
    {.Kind = ckCheckBox, .Caption = "Не включать выходы ГМ на сирену/поворотники при тревоге штатной сигнализации",
     .Mem = mlExt, .Addr = 83, .Type = stBit, .Bit = 7, .Hint = "В целях энергосбережения и избавления от дублирования штатной сирены и поворотников"},
    {.Kind = ckHeading, .Caption = "Персональный ПИН-код Главного Модуля"},
    {.Kind = ckCheckBox, .Caption = "Запрет генерации и изменения ПИН-кода средствами GSM",
     .Mem = mlExt, .Addr = 557, .Type = stBit, .Bit = 1},
    {.Kind = ckCheckBox, .Caption = "Запретить индикацию светодиодом при вводе ПИН-кода",
     .Mem = mlExt, .Addr = 688, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Запретить ввод ПИН-кода в принудительном AHJ",
     .Mem = mlExt, .Addr = 82, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Запретить Постановку в Охрану ПИН-кнопкой (долгое удержание, зажигание выключено)",
     .Mem = mlExt, .Addr = 688, .Type = stBit, .Bit = 4, .Hint = "Обучение брелокам и/или вход в программирование не отменяется; защита от случайной постановки в Охрану"},
    {.Kind = ckHeading, .Caption = "Управление приводами"},
    {.Kind = ckCheckBox, .Caption = "Принудительное отпирание замков дверей",
     .Mem = mlExt, .Addr = 194, .Type = stBit, .Bit = 7, .Guard = {258, 7}, .Hint = "Подавать импульс на отпирание при срабатывании датчика открытия дверей"},
    {.Kind = ckCheckBox, .Caption = "Запирание замков дверей после тревоги",
     .Mem = mlExt, .Addr = 196, .Type = stBit, .Bit = 2, .Guard = {259, 0}, .Hint = "Запирания ЦЗ не будет, если открыта дверь водителя или включено зажигание, а также если ЦЗ не отпирался"},
    {.Kind = ckCheckBox, .Caption = "Двойной импульс на запирание замков дверей",
     .Mem = mlExt, .Addr = 193, .Type = stBit, .Bit = 2, .Guard = {259, 1}, .Hint = "Длина первого импульса равна времни отпирания"},
    {.Kind = ckCheckBox, .Caption = "Отпирание замков дверей при включении турбо-таймера",
     .Mem = mlExt, .Addr = 196, .Type = stBit, .Bit = 4, .Guard = {261, 2}, .Hint = "Подавать импульс на отпирание дверей при включении ТТ"},
    {.Kind = ckCheckBox, .Caption = "Отпирать замок капота при запуске двигателя (в охране)",
     .Mem = mlExt, .Addr = 197, .Type = stBit, .Bit = 2, .Guard = {269, 4}, .Default = 1, .Hint = "Подавать импульс на отпирание при дистанционном запуске"},
    {.Name = "cbHoodUnlockImmoOff", .Kind = ckCheckBox, .Caption = "Отпирать замок капота при выключении иммобилайзера / повторная авторизация пройдена",
     .Mem = mlExt, .Addr = 192, .Type = stBit, .Bit = 4},
    {.Name = "cbHoodLockImmoOn", .Kind = ckCheckBox, .Caption = "Запирать замок капота при включении иммобилайзера / повторная авторизация не пройдена по времени",
     .Mem = mlExt, .Addr = 547, .Type = stBit, .Bit = 5, .Hint = "Запирать замок капота при активизации иммобилайзера"},
    {.Kind = ckCheckBox, .Caption = "Запирать замок капота после переподключения повторки и в AHJ независимо от скорости безопасного глушения",
     .Mem = mlExt, .Addr = 132, .Type = stBit, .Bit = 3},
    {.Name = "VDCheckBox26", .Kind = ckCheckBox, .Caption = "Отпирать замок капота только после выключения повторной авторизации",
     .Mem = mlExt, .Addr = 139, .Type = stBit, .Bit = 0},
    {.Name = "VDCheckBox33", .Kind = ckCheckBox, .Caption = "Разрешить однократное включение зажигания при постановке в охрану",
     .Mem = mlExt, .Addr = 82, .Type = stBit, .Bit = 7, .Hint = "Включение зажигания допускается ТОЛЬКО в Диагностике"},
    {.Name = "VDCheckBox80", .Kind = ckCheckBox, .Caption = "Отпирать замок капота при наличии метки в Снято с охраны",
     .Mem = mlExt, .Addr = 688, .Type = stBit, .Bit = 1, .Hint = "Функция работает только совместно с \"Отпирать замок капота при выключении иммо / повторная авторизация пройдена\""},
    {.Name = "VDCheckBox95", .Kind = ckCheckBox, .Caption = "Двойной импульс на отпирание ЦЗ",
     .Mem = mlExt, .Addr = 89, .Type = stBit, .Bit = 0, .Hint = "Только в режиме снято, Кнопка 2 нажата дважды"},
    {.Kind = ckHeading, .Caption = "Совместимость с сетевыми устройствами"},
    {.Kind = ckCheckBox, .Caption = "Включить световое подтверждение при постановке/снятии (Slave)",
     .Mem = mlExt, .Addr = 197, .Type = stBit, .Bit = 4, .Guard = {269, 7}, .Hint = "Разрешает световые сигналы системы при управлении штатным брелком"},
    {.Kind = ckCheckBox, .Caption = "Управление центральным замком дверей при постановке/снятии (Slave)",
     .Mem = mlExt, .Addr = 690, .Type = stBit, .Bit = 0, .Guard = {269, 0}},
    {.Kind = ckCheckBox, .Caption = "Управление центральным замком дверей только с включенным зажиганием (Slave)",
     .Mem = mlExt, .Addr = 690, .Type = stBit, .Bit = 1, .Guard = {269, 1}},
    {.Kind = ckCheckBox, .Caption = "Учитывать задержку тревоги по дверям только при наличии метки или команды снятия с охраны (Slave)",
     .Mem = mlExt, .Addr = 690, .Type = stBit, .Bit = 2, .Guard = {269, 2}, .Hint = "А также если крышка багажника отперта санкционированно; Наличие метки: в зоне/не в зоне."},
    {.Kind = ckCheckBox, .Caption = "Запрет снятия с охраны по CAN, если постановка была с брелока Sorvan ",
     .Mem = mlExt, .Addr = 552, .Type = stBit, .Bit = 7, .Max = 1},
    {.Name = "VDCheckBox35", .Kind = ckCheckBox, .Caption = "Slave по концевикам дверей, статусу ЦЗ (CAN) (только Снятие с охраны)",
     .Mem = mlExt, .Addr = 142, .Type = stBit, .Bit = 6, .Hint = "Открытие любой двери или отпирание ЦЗ"},
    {.Name = "VDCheckBox78", .Kind = ckCheckBox, .Caption = "Slave по концевикам дверей, статусу ЦЗ (CAN) (только с включенным зажиганием, ИММО выкл.)",
     .Mem = mlExt, .Addr = 130, .Type = stBit, .Bit = 2, .Hint = "Открытие любой двери или отпирание ЦЗ"},
    {.Name = "VDCheckBox94", .Kind = ckCheckBox, .Caption = "Slave только по статусу ЦЗ (CAN)",
     .Mem = mlExt, .Addr = 136, .Type = stBit, .Bit = 0},
    {.Name = "VDCheckBox81", .Kind = ckCheckBox, .Caption = "Разрешить постановку в Охрану с включенной поддержкой по статусу ЦЗ (CAN)",
     .Mem = mlExt, .Addr = 549, .Type = stBit, .Bit = 7, .Hint = "Запирание ЦЗ дверей"},
    {.Name = "VDCheckBox79", .Kind = ckCheckBox, .Caption = "Включить световое подтверждение при отпирании/запирании крышки багажника (Slave)",
     .Mem = mlExt, .Addr = 197, .Type = stBit, .Bit = 1},
    {.Name = "VDCheckBox13", .Kind = ckCheckBox, .Caption = "Разрешить отмену Тревоги при получении команды \"Отпереть крышку багажника (Slave)\"",
     .Mem = mlExt, .Addr = 686, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Запретить выход из режима \"Автосервис\" по одометру",
     .Mem = mlExt, .Addr = 137, .Type = stBit, .Bit = 4, .Max = 1},
    {.Kind = ckCheckBox, .Caption = "Перезагружать GSM-модуль каждый раз при постановке в охрану через 50 секунд",
     .Mem = mlExt, .Addr = 141, .Type = stBit, .Bit = 0, .Max = 1},
    {.Kind = ckCheckBox, .Caption = "Запретить постановку в охрану с включенным зажиганием и с ключом в замке по CAN, LAN",
     .Mem = mlExt, .Addr = 192, .Type = stBit, .Bit = 7},
    {.Kind = ckCheckBox, .Caption = "Разрешить постановку в охрану с включенным зажиганием или поддержкой по CAN, LAN",
     .Mem = mlExt, .Addr = 555, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Разрешить ДЗ после важной Тревоги по команде \"Поставить в Охрану\" от GSM в режиме Охрана",
     .Mem = mlExt, .Addr = 87, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Разрешить отпирать замок крышки багажника в режиме Пляж через GSM",
     .Mem = mlExt, .Addr = 549, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Разрешить снятие из режима \"Пляж\" через GSM",
     .Mem = mlExt, .Addr = 130, .Type = stBit, .Bit = 4, .Hint = "Наличие метки не проверяется; В режиме \"Тревога-Пляж\" снятие запрещается"},
    {.Kind = ckCheckBox, .Caption = "Разрешить ДЗ двигателя в режиме \"Пляж\" (только через GSM)",
     .Mem = mlExt, .Addr = 686, .Type = stBit, .Bit = 0},
    {.Kind = ckCheckBox, .Caption = "Запретить Постановку в Охрану с включенной поддержкой зажигания, ключ в замке",
     .Mem = mlExt, .Addr = 691, .Type = stBit, .Bit = 0, .Hint = "Постановка в Охрану с выключенной поддержкой и включенным зажиганием будет зависеть от ряда настроек"},
    {.Kind = ckCheckBox, .Caption = "Запретить выполнение некоторых команд от всех сетевых устройств (см. подсказку)",
     .Mem = mlExt, .Addr = 691, .Type = stBit, .Bit = 1, .Hint = "Выключить ИММО, отменить AHJ, снять полностью, отменить повторку, отменить ИММО/повторку/AHJ заранее"},
    {.Name = "vdtbAlarmDelayDoors", .Kind = ckTrackBar, .Caption = "по дверям",
     .Mem = mlExt, .Addr = 682, .Type = stByte, .Max = 60, .Guard = {268, 0}},
    {.Name = "vdtbAlarmDelayTrunk", .Kind = ckTrackBar, .Caption = "по багажнику",
     .Mem = mlExt, .Addr = 684, .Type = stByte, .Max = 60, .Guard = {268, 0}},
    {.Name = "vdtbAlarmDelaySensors", .Kind = ckTrackBar, .Caption = "по датчикам: удара, МКВ",
     .Mem = mlExt, .Addr = 683, .Type = stByte, .Max = 30, .Guard = {268, 0}},
    {.Name = "VDTrackBar7", .Kind = ckTrackBar, .Caption = "Время ожидания открытия крышки багажника с момента получения команды отпирания багажника",
     .Mem = mlExt, .Addr = 702, .Type = stByte, .Max = 255, .Range = {10, 255}, .Guard = {268, 0}, .Default = 150, .Hint = "Учитывается в Охране, Диагностике и запуске в Охране"},
    {.Name = "vdtbSensorWarningDelay", .Kind = ckTrackBar, .Caption = "Задержка срабатывания зон предупреждения датчиков (удара и МКВ)",
     .Mem = mlExt, .Addr = 701, .Type = stByte, .Max = 60, .Guard = {268, 0}},
    {.Kind = ckHeading, .Caption = "Взаимодействия с меткой"},
    {.Name = "tbLabelRequestOnDelay", .Kind = ckTrackBar, .Caption = "Задержка включения запроса метки при постановке в охрану",
     .Mem = mlExt, .Addr = 657, .Type = stByteLo, .Max = 5, .Guard = {268, 0}},
    {.Name = "VDCheckBox10", .Kind = ckCheckBox, .Caption = "Проверять наличие метки при снятии (Slave)",
     .Mem = mlExt, .Addr = 197, .Type = stBit, .Bit = 0, .Guard = {269, 3}, .Hint = "Игнорировать команду снятия с охраны штатным брелком при отсутствии сигналов метки"},
    {.Name = "VDCheckBox38", .Kind = ckCheckBox, .Caption = "Проверять наличие метки при открытии багажника в Охране",
     .Mem = mlExt, .Addr = 559, .Type = stBit, .Bit = 0, .Hint = "При открытии багажника брелком Sorvan метка не проверяется"},
    {.Name = "VDCheckBox71", .Kind = ckCheckBox, .Caption = "Не проверять наличие метки при открытии багажника в Охране (срабатывание концевика)",
     .Mem = mlExt, .Addr = 689, .Type = stBit, .Bit = 0, .Max = 1, .Hint = "Slave по концевику багажника"},
    {.Kind = ckCheckBox, .Caption = "Учитывать мощность сигнала (RSSI) при снятии (Slave)",
     .Mem = mlExt, .Addr = 143, .Type = stBit, .Bit = 1, .Max = 1, .Hint = "По умолчанию мощность не учитывается"},
    {.Name = "VDLabelCheckInArm", .Kind = ckCheckBox, .Caption = "Проверять наличие метки в охране",
     .Mem = mlExt, .Addr = 552, .Type = stBit, .Bit = 6, .Max = 1, .Hint = "Для быстрого снятия по Slave и работы события Принята команда метки в охране. По умолчанию отменяет Автоснятие."},
    {.Kind = ckCheckBox, .Caption = "Проверять наличие метки в охране только с включенной поддержкой зажигания",
     .Mem = mlExt, .Addr = 137, .Type = stBit, .Bit = 2, .Hint = "Не отменяет режим Автоснятие"},
    {.Kind = ckCheckBox, .Caption = "Переходить в режим пониженного темпа опроса метки в охране",
     .Mem = mlExt, .Addr = 142, .Type = stBit, .Bit = 4, .Max = 1, .Hint = "Режим включается, если метка длительное время возле авто"},
    {.Kind = ckCheckBox, .Caption = "Выключать опрос метки в охране автоматически через 24 часа",
     .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 0, .Max = 1, .Hint = "Функция энергосбережения"},
    {.Name = "VDCheckBox32", .Kind = ckCheckBox, .Caption = "Выключать опрос метки в охране автоматически, если метка длительное время возле авто",
     .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 1, .Max = 1, .Hint = "Блокировка наступит, если метка непрерывно находится у авто в течение 8 минут"},
    {.Name = "VDCheckBox51", .Kind = ckCheckBox, .Caption = "Выключать опрос метки в охране + блокировать имп. входы автоматически, если метка длительное время возле авто",
     .Mem = mlExt, .Addr = 81, .Type = stBit, .Bit = 7, .Max = 1, .Hint = "Блокировка наступит, если метка непрерывно находится у авто в течение 8 минут"},
    {.Kind = ckCheckBox, .Caption = "Выключать опрос метки в снято с охраны (CAN-модуль \"уснул\")",
     .Mem = mlExt, .Addr = 81, .Type = stBit, .Bit = 0, .Max = 1},
    {.Kind = ckCheckBox, .Caption = "Отключать принудительную блокировку поиска метки в охране в режиме дистанционного запуска",
     .Mem = mlExt, .Addr = 81, .Type = stBit, .Bit = 1, .Max = 1, .Hint = "Автоматическая блокировка будет отключена, если отсутствует принудительная"},
    {.Kind = ckCheckBox, .Caption = "Включить оповещение поворотниками в охране, если метка найдена",
     .Mem = mlExt, .Addr = 81, .Type = stBit, .Bit = 2, .Hint = "Первый полученный ответ от метки (1 вспышка)(RSSI не учитывается)"},
    {.Kind = ckCheckBox, .Caption = "Разблокировать штатный радиоканал при включении автоматической блокировки и наоборот",
     .Mem = mlExt, .Addr = 81, .Type = stBit, .Bit = 5, .Hint = "Функции Блокировать через 24ч, утро/вечер (GSM)"},
    {.Kind = ckCheckBox, .Caption = "Импульсное управление реле-паралитиком",
     .Mem = mlExt, .Addr = 81, .Type = stBit, .Bit = 6},
    {.Kind = ckCheckBox, .Caption = "Принудительная блокировка/разблокировка штатного радиоканала средствами GSM (особая команда №4)",
     .Mem = mlExt, .Addr = 82, .Type = stBit, .Bit = 1, .Hint = "Разблокировка возможна в режиме Охрана, метка отсутствует"},
    {.Kind = ckCheckBox, .Caption = "Снятие с охраны GSM и др. сетевыми устройствами только при наличии метки ",
     .Mem = mlExt, .Addr = 130, .Type = stBit, .Bit = 1, .Hint = "С момента получения команды на Снятие время ожидания метки - 6 секунд"},
    {.Kind = ckCheckBox, .Caption = "Имитировать \"метка найдена\" в режиме ДЗ, а также при постановке в Охрану с работающим двигателем",
     .Mem = mlExt, .Addr = 686, .Type = stBit, .Bit = 6, .Hint = "Имитация начинается с момента запуска двигателя (при отсутствии метки); Вырабатывается событие №69"},
    {.Kind = ckCheckBox, .Caption = "Завершить имитацию \"метка найдена\" после запуска двигателя в Охране или при Постановке с работающим двигателем",
     .Mem = mlExt, .Addr = 693, .Type = stBit, .Bit = 2, .Hint = "Имитация завершится при отсутствии метки. Вырабатывается событие №15"},
    {.Kind = ckCheckBox, .Caption = "Выключать запрос метки в охране при открытом (санкционированно) багажнике",
     .Mem = mlExt, .Addr = 88, .Type = stBit, .Bit = 7},
    {.Kind = ckHeading, .Caption = "Автоматические постановка и снятие"},
    {.Name = "rgSelfDisarm", .Kind = ckRadioGroup, .Caption = "Автоснятие ",
     .Mem = mlExt, .Addr = 194, .Type = stBit, .Bit = 0, .Max = 3, .Items = kSelfArmItems, .Guard = {257, 0}, .Hint = "Устанавливает режим автоснятия", .NoHelp = true},
    {.Name = "rgSelfArm", .Kind = ckRadioGroup, .Caption = "Автопостановка",
     .Mem = mlExt, .Addr = 193, .Type = stBit, .Bit = 6, .Max = 3, .Items = kSelfArmItems, .Guard = {257, 1}, .Hint = "Устанавливает режим автопостановки", .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Автоснятие по метке только в ДЗ (запуск двигателя в Охране)",
     .Mem = mlExt, .Addr = 194, .Type = stBit, .Bit = 6, .Guard = {257, 3}, .Hint = "Чтобы работала эта функция, установите Автоснятие по метке", .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Автопостановка по метке только для ТТ и ДЗ",
     .Mem = mlExt, .Addr = 555, .Type = stBit, .Bit = 1, .Guard = {257, 3}, .Hint = "Чтобы работала эта функция, установите Автопостановку по метке", .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Разрешить автопостановку по метке с ключом в замке и вкл. поддержкой",
     .Mem = mlExt, .Addr = 555, .Type = stBit, .Bit = 0, .Guard = {257, 3}, .Hint = "Режим ТТ или подготовка к ДЗ", .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Разрешить автоснятие по метке независимо от установленной функции \"Проверять наличие метки в Охране\"",
     .Mem = mlExt, .Addr = 194, .Type = stBit, .Bit = 1, .Guard = {257, 1}, .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Запретить автоматическую перепостановку в Охрану",
     .Mem = mlExt, .Addr = 692, .Type = stBit, .Bit = 7, .Guard = {257, 7}, .NoHelp = true},
    {.Name = "tbSelfArmTime", .Kind = ckTrackBar, .Caption = "Время автопостановки ",
     .Mem = mlExt, .Addr = 205, .Type = stByteHi, .Max = 3, .Guard = {257, 2}, .Hint = "Задает время автопостановки", .NoHelp = true},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Условное расстояние снятия с охраны (RSSI)",
     .Mem = mlExt, .Addr = 642, .Type = stByteHi, .Max = 16, .Range = {0, 15}, .Default = 8, .Hint = "Минимальный сигнал для автоснятия, снятия по метке в Slave", .NoHelp = true},
    {.Name = "VDTrackBar8", .Kind = ckTrackBar, .Caption = "Разрешить автоснятие после закрытия крышки багажника (Охрана) через установленное время",
     .Mem = mlExt, .Addr = 698, .Type = stByte, .Max = 3, .Range = {0, 150}, .Guard = {257, 2}, .NoHelp = true},
    {.Kind = ckHeading, .Caption = "Запирание дверей"},
    {.Kind = ckCheckBox, .Caption = "Разрешить запирание замков дверей при автопостановке",
     .Mem = mlExt, .Addr = 194, .Type = stBit, .Bit = 2, .Guard = {257, 3}, .Hint = "Автопостановка определяется настройками"},
    {.Kind = ckCheckBox, .Caption = "Разрешить запирание/отпирание замков дверей при включении/выключении зажигания",
     .Mem = mlExt, .Addr = 195, .Type = stBit, .Bit = 7, .Guard = {257, 4}, .Hint = "Разрешает запирание дверей при включении зажигания"},
    {.Kind = ckCheckBox, .Caption = "Запретить отпирание замков дверей после выключения зажигания",
     .Mem = mlExt, .Addr = 129, .Type = stBit, .Bit = 6, .Guard = {257, 6}},
    {.Name = "cbMovementDoorLock", .Kind = ckCheckBox, .Caption = "Разрешить запирание замков дверей при начале движения",
     .Mem = mlExt, .Addr = 195, .Type = stBit, .Bit = 6, .Guard = {257, 5}, .Hint = "По спидометру, акселерометру, превышении оборотов и т.д."},
    {.Name = "VDCheckBox18", .Kind = ckCheckBox, .Caption = "Разрешить запирание замков дверей по акселерометру трансивера",
     .Mem = mlExt, .Addr = 557, .Type = stBit, .Bit = 6, .Guard = {257, 6}, .Hint = "Назначение ручника/PARK или DRIVE обязательно"},
    {.Name = "VDCheckBox58", .Kind = ckCheckBox, .Caption = "Принимать скорость по CAN",
     .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 3, .NoHelp = true},
    {.Kind = ckHeading, .Caption = "Настройки перегрузок выходов Главного модуля"},
    {.Name = "vdd_L_Side", .Kind = ckTrackBar,
     .Mem = mlExt, .Addr = 513, .Type = stByte, .Max = 64, .Range = {1, 64}, .Default = 64},
    {.Name = "vdd_R_side", .Kind = ckTrackBar,
     .Mem = mlExt, .Addr = 512, .Type = stByte, .Max = 64, .Range = {1, 64}, .Default = 64},
    {.Kind = ckHeading, .Caption = "Регулировка выхода из режимов по пробегу"},
    {.Name = "VDTrackBar4", .Kind = ckTrackBar, .Caption = "Автосервис",
     .Mem = mlExt, .Addr = 242, .Type = st2Bytes, .Max = 3200, .Range = {1, 16}, .Default = 7, .NoHelp = true},
    {.Name = "VDTrackBar5", .Kind = ckTrackBar, .Caption = "Автомойка",
     .Mem = mlExt, .Addr = 246, .Type = st2Bytes, .Max = 200, .Range = {1, 10}, .Default = 5, .NoHelp = true},
    {.Kind = ckHeading, .Caption = "Управление событиями"},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать события №110, №111 при Снятии из режима \"Пляж\" или при Постановке в режим \"Пляж\"",
     .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 1, .Hint = "При Постановке в режим Пляж событие вырабатывается в момент управления ЦЗ"},
    {.Kind = ckCheckBox, .Caption = "Не вырабатывать события №14, №19 при получении команды \"Отпереть замок крышки багажника\" (Sorvan'ом)",
     .Mem = mlExt, .Addr = 197, .Type = stBit, .Bit = 5, .Guard = {269, 6}},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать события №14, №19 при получении команды \"Отпереть замок крышки багажника\" (Slave)",
     .Mem = mlExt, .Addr = 691, .Type = stBit, .Bit = 7},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать события №174, 175 только с включенным зажиганием или поддержкой",
     .Mem = mlExt, .Addr = 83, .Type = stBit, .Bit = 6},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать события №15 \"метка потеряна\" в обычном AHJ (не принудительном)",
     .Mem = mlExt, .Addr = 82, .Type = stBit, .Bit = 0},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать событие №15 \"метка потеряна\" при входе в \"Пляж\" (диагностика)",
     .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать событие №14 \"Команда открытия замка багажника...\" в режиме Пляж",
     .Mem = mlExt, .Addr = 557, .Type = stBit, .Bit = 0},
    {.Name = "VDData1", .Kind = ckData,
     .Mem = mlExt, .Addr = 212, .Type = stArray, .Max = 2},
    {.Name = "vdd_max_amperage_val", .Kind = ckData,
     .Mem = mlExt, .Addr = 514, .Type = stArray, .Max = 1},
    {.Name = "vddMainVersion", .Kind = ckData,
     .Mem = mlMsg, .Addr = 130, .Type = stArray, .Max = 5, .Live = true},
    {.Name = "VDData2", .Kind = ckData,
     .Mem = mlMsg, .Addr = 147, .Type = stArray, .Max = 1},
    {.Name = "VDData3", .Kind = ckData,
     .Mem = mlExt, .Addr = 214, .Type = stArray, .Max = 2},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr const char* kSelfArmTimes[] = {"5 сек", "7 сек", "10 сек", "30 сек"};

constexpr TValueLabelRow kValueLabels[] = {
    {.Name = "VDTrackBar17", .Scale = 200, .Format = "%d мс"},
    {.Name = "VDTrackBar1", .Scale = 200, .Format = "%d мс"},
    {.Name = "VDTrackBar2", .Scale = 200, .Format = "%d мс"},
    {.Name = "VDTrackBar6", .Scale = 200, .Format = "%d мс"},
    {.Name = "vdtbAlarmDelayDoors", .Scale = 0.05, .Format = "%5.1f с"},
    {.Name = "vdtbAlarmDelayTrunk", .Scale = 0.05, .Format = "%5.1f с"},
    {.Name = "vdtbAlarmDelaySensors", .Scale = 0.1, .Format = "%5.1f с"},
    {.Name = "vdtbSensorWarningDelay", .Scale = 0.05, .Format = "%5.2f с"},
    {.Name = "VDTrackBar7", .Scale = 0.2, .Format = "%5.1f с"},
    {.Name = "VDTrackBar8", .Scale = 0.2, .Format = "%5.1f с"},
    {.Name = "tbLabelRequestOnDelay", .Format = "%d сек"},
    {.Name = "VDTrackBar3", .Offset = 1, .SpecialPosition = 15, .SpecialText = "16 (любое)"},
    {.Name = "tbSelfArmTime", .Texts = kSelfArmTimes},
    {.Name = "VDTrackBar4", .Format = "%d км"},
    {.Name = "VDTrackBar5", .Scale = 100, .Format = "%d м"},
};
static_assert(CheckValueLabels(kValueLabels) == -1);

// The mileage limits show kilometres and metres; the module counts 6-metre units.
constexpr TScaledCodingRow kMileageCodings[] = {
    {.Name = "VDTrackBar4", .LoadFactor = 0.006, .StoreFactor = 166.7},
    {.Name = "VDTrackBar5", .LoadFactor = 0.06, .StoreFactor = 16.67},
};

constexpr TCheckRule kCheckRules[] = {
    {.Box = "cbHoodUnlockImmoOff", .When = false, .Target = "cbHoodLockImmoOn", .Then = false},
    {.Box = "cbHoodUnlockImmoOff", .When = false, .Target = "VDCheckBox26", .Then = false},
    {.Box = "cbHoodUnlockImmoOff", .When = false, .Target = "VDCheckBox80", .Then = false},
    {.Box = "cbHoodLockImmoOn", .When = true, .Target = "cbHoodUnlockImmoOff", .Then = true},
    {.Box = "VDCheckBox26", .When = true, .Target = "cbHoodUnlockImmoOff", .Then = true},
    {.Box = "VDCheckBox80", .When = true, .Target = "cbHoodUnlockImmoOff", .Then = true},
    {.Box = "cbMovementDoorLock", .When = false, .Target = "VDCheckBox18", .Then = false},
    {.Box = "VDCheckBox18", .When = true, .Target = "cbMovementDoorLock", .Then = true},
    {.Box = "VDCheckBox32", .When = true, .Target = "VDCheckBox51", .Then = false},
    {.Box = "VDCheckBox51", .When = true, .Target = "VDCheckBox32", .Then = false},
    {.Box = "VDCheckBox35", .When = true, .Target = "VDCheckBox10", .Then = true},
    {.Box = "VDCheckBox35", .When = true, .Target = "VDLabelCheckInArm", .Then = true},
    {.Box = "VDCheckBox35", .When = false, .Target = "VDCheckBox78", .Then = false},
    {.Box = "VDCheckBox35", .When = false, .Target = "VDCheckBox94", .Then = false},
    {.Box = "VDCheckBox78", .When = true, .Target = "VDCheckBox35", .Then = true},
    {.Box = "VDCheckBox94", .When = true, .Target = "VDCheckBox35", .Then = true},
    {.Box = "VDCheckBox38", .When = false, .Target = "VDCheckBox71", .Then = false},
    {.Box = "VDCheckBox71", .When = true, .Target = "VDCheckBox38", .Then = true},
};
static_assert(CheckRules(kCheckRules) == -1);

constexpr TCheckRuleTrigger kRuleTriggers[] = {
    {.Clicked = "VDCheckBox33", .Box = "VDCheckBox26"},
    {.Clicked = "VDCheckBox95", .Box = "VDCheckBox80"},
    {.Clicked = "VDCheckBox79", .Box = "VDCheckBox78"},
    {.Clicked = "VDCheckBox81", .Box = "VDCheckBox78"},
    {.Clicked = "VDCheckBox13", .Box = "VDCheckBox78"},
};

// Buttons that send what the GSM module sends to block or unblock the search for the tag.
struct TImitationButton {
  const char* Name;
  const char* Caption;
  uint8_t Command;
};
constexpr TImitationButton kAutomaticBlocking[] = {
    {"btAutoBlock", "Заблокировать", 14}, {"btAutoUnblock", "Разблокировать", 13}};
constexpr TImitationButton kForcedBlocking[] = {
    {"btForcedBlock", "Заблокировать", 67}, {"btForcedUnblock", "Разблокировать", 101}};
// clang-format on

constexpr uint8_t kGsmAddr = 3;

// Output overload thresholds: the board of revision 5 has its own current sensing.
struct TOverloadScale {
  int Positions;
  double AmperesPerPosition;
};
constexpr uint8_t kOwnScaleRevision = 5;
constexpr TOverloadScale kOwnScale{26, 0.1953};
constexpr TOverloadScale kUsualScale{64, 0.078125};

// Firmware that knows the overload thresholds.
bool HasOverloadScale(uint8_t major) {
  return major >= 3 && major <= 5;
}

constexpr char kPinSection[] = "Персональный ПИН-код Главного Модуля";
constexpr char kTagSection[] = "Взаимодействия с меткой";

QHBoxLayout* Row(QBoxLayout& column) {
  auto* row = new QHBoxLayout;
  column.addLayout(row);
  return row;
}

}  // namespace

std::span<const TControlRow> MainOptionsRows() {
  return kRows;
}

TMainOptions::TMainOptions(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      controls_(TPageControls::Build(*this, kRows)),
      leftSide_(controls_.Get<TVDTrackBar>("vdd_L_Side")),
      rightSide_(controls_.Get<TVDTrackBar>("vdd_R_side")) {
  ApplyValueLabels(controls_, kValueLabels);
  ApplyScaledCodings(controls_, kMileageCodings);
  new TCheckRules(controls_, kCheckRules, kRuleTriggers, this);
  auto& canSpeed = controls_.Get<TVDCheckBox>("VDCheckBox58");
  connect(&canSpeed, &QAbstractButton::clicked, this, [this](bool checked) {
    if (checked) emit CanSpeedChosen();
  });
  AttachOverloads();
  AddPinFields();
  AddImitationButtons();
  AttachControlHelp(controls_, host, QLatin1String(kHelpTopic));
}

void TMainOptions::AddPinFields() {
  auto* part = new QWidget;
  auto* column = new QVBoxLayout(part);
  column->setContentsMargins(0, 4, 0, 0);

  auto* pinEdit = new TPinEdit(u'1', u'9');
  pinEdit->setObjectName(QStringLiteral("edPin"));
  auto* factory = new QPushButton(QStringLiteral("Заводской ПИН"));
  factory->setObjectName(QStringLiteral("btFactoryPin"));
  auto* generate = new QPushButton(QStringLiteral("Сгенерировать ПИН"));
  generate->setObjectName(QStringLiteral("btGeneratePin"));
  QHBoxLayout* pinRow = Row(*column);
  pinRow->addWidget(new QLabel(QStringLiteral("ПИН:")));
  pinRow->addWidget(pinEdit);
  pinRow->addWidget(factory);
  pinRow->addWidget(generate);
  pinRow->addStretch();

  auto* protectionEdit = new TPinEdit(u'0', u'2');
  protectionEdit->setObjectName(QStringLiteral("edTempPin"));
  QHBoxLayout* protectionRow = Row(*column);
  protectionRow->addWidget(
      new QLabel(QStringLiteral("Защита временного ПИН кода (разрешено применить 0, 1, 2)")));
  protectionRow->addWidget(protectionEdit);
  protectionRow->addStretch();
  AddToSection(*this, QString::fromUtf8(kPinSection), part);

  auto* pin = new TPinField(controls_.Get<TVDData>("VDData1"), *pinEdit,
                            {QStringLiteral("ПИН"), PinPairText, QLatin1String(kFactoryPin)}, this);
  new TPinField(
      controls_.Get<TVDData>("VDData3"), *protectionEdit,
      {QStringLiteral("Защита временного ПИН кода"), ProtectionPairText, QStringLiteral("0000")},
      this);
  connect(factory, &QPushButton::clicked, pin, [pin] { pin->Enter(QLatin1String(kFactoryPin)); });
  connect(generate, &QPushButton::clicked, pin, [pin] { pin->Enter(GeneratePin()); });
}

void TMainOptions::AddImitationButtons() {
  auto* part = new QWidget;
  auto* column = new QVBoxLayout(part);
  column->setContentsMargins(0, 4, 0, 0);
  const auto addButtons = [this, column](std::span<const TImitationButton> buttons) {
    QHBoxLayout* row = Row(*column);
    for (const TImitationButton& button : buttons) {
      auto* push = new QPushButton(QString::fromUtf8(button.Caption));
      push->setObjectName(QLatin1String(button.Name));
      connect(push, &QPushButton::clicked, this,
              [this, command = button.Command] { SendImitation(command); });
      row->addWidget(push);
    }
    row->addStretch();
  };
  column->addWidget(new QLabel(
      QStringLiteral("Имитация автоматической блокировки поиска метки в охране/тревоге")));
  addButtons(kAutomaticBlocking);
  column->addWidget(new QLabel(
      QStringLiteral("Имитация принудительной блокировки поиска метки в охране/тревоге")));
  auto* note = new QLabel(QStringLiteral(
      "(Команды игнорируются, если открыт багажник, заведён двигатель и/или метка найдена)"));
  note->setWordWrap(true);
  column->addWidget(note);
  addButtons(kForcedBlocking);
  AddToSection(*this, QString::fromUtf8(kTagSection), part);
}

void TMainOptions::AttachOverloads() {
  // The thresholds have no caption of their own: a label names the wire instead.
  const auto nameWire = [](TVDTrackBar& bar, const QString& wire) {
    auto* label = new QLabel(wire);
    label->setWordWrap(true);
    // The layout hands back the item that held the empty caption; the caption stays hidden.
    delete bar.ExtLabel()->parentWidget()->layout()->replaceWidget(bar.ExtLabel(), label);
    bar.ExtLabel()->hide();
  };
  nameWire(rightSide_, QStringLiteral("Порог перегрузки серого провода"));
  nameWire(leftSide_, QStringLiteral("Порог перегрузки серо-черного провода"));
  ShowOverloadLabels();
  controls_.Get<TVDData>("vddMainVersion").OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index == 0) VersionLoaded(byte);
  };
  controls_.Get<TVDData>("VDData2").OnLoad = [this](QObject&, uint8_t byte, int) {
    BoardRevisionLoaded(byte);
  };
  controls_.Get<TVDData>("vdd_max_amperage_val").OnStore = [this](QObject&, uint8_t& sum, int) {
    sum = static_cast<uint8_t>(leftSide_.Position() + rightSide_.Position());
  };
}

void TMainOptions::VersionLoaded(uint8_t major) {
  versionMajor_ = major;
  ApplyOverloadScale();
}

// The version and the board revision arrive in one status message, the version first: the
// scale follows whichever of the two comes last.
void TMainOptions::BoardRevisionLoaded(uint8_t revision) {
  boardRevision_ = revision;
  ApplyOverloadScale();
}

void TMainOptions::ApplyOverloadScale() {
  if (!HasOverloadScale(versionMajor_) && !host_.DemoMode()) return;
  const TOverloadScale scale = boardRevision_ == kOwnScaleRevision ? kOwnScale : kUsualScale;
  amperesPerPosition_ = scale.AmperesPerPosition;
  for (TVDTrackBar* bar : {&leftSide_, &rightSide_}) {
    bar->setMaximum(scale.Positions);
    bar->SetDefaultValue(scale.Positions);
  }
  ShowOverloadLabels();
}

void TMainOptions::ShowOverloadLabels() {
  for (TVDTrackBar* bar : {&leftSide_, &rightSide_}) {
    bar->SetValueFormat(
        [this](int position) { return FormatNumber("%5.2f А", position * amperesPerPosition_); });
  }
}

void TMainOptions::SendImitation(uint8_t command) {
  if (!HasBus()) return;
  TLanMsg msg;
  msg.Source = kGsmAddr;
  msg.Dest = kBroadcastAddr;
  msg.Command = command;
  msg.Data[0] = transceiverCode_[0];
  msg.Data[1] = transceiverCode_[1];
  msg.Length = 2;
  Requests().Send(msg);
}
