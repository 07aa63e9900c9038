#include "pages/main/inputs_table.h"

#include "link/lan_msg.h"
#include "pages/main/board_config.h"

namespace {

constexpr uint8_t kOlderBoards = kBoardGen1 | kBoardGen2;

// The older boards keep the pin code of function id at 239 + id in the settings image; the
// third generation a record of three bytes per function from 62720 in the flash image.
constexpr int kFirstSettingsCell = 240;
constexpr int kLastSettingsCell = 252;
constexpr int kFirstRecord = 62720;
constexpr int kRecordSize = 3;
// Function 18 has no record; function 19, the last, has no byte 2.
constexpr int kLastRecordCell = kFirstRecord + kRecordSize * 18 + 1;
constexpr int kTaskWithoutRecord = 18;

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Входы базового блока"},
    {.Kind = ckHeading, .Caption = "Особые алгоритмы работы входов"},
    {.Kind = ckCheckBox, .Caption = "Багажник по дверям", .Mem = mlExt, .Addr = 547, .Type = stBit, .Bit = 3, .Hint = "Не переходить в тревогу при открытии дверей по команде \"открыть багажник\" в охране", .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Капот по багажнику", .Mem = mlExt, .Addr = 547, .Type = stBit, .Bit = 2, .Hint = "Не закрывать замок капота при открытом багажнике", .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Отменить действия функций \"Идентифицировать метку\" во время работы двигателя", .Mem = mlExt, .Addr = 86, .Type = stBit, .Bit = 1},
    {.Kind = ckCheckBox, .Caption = "Идентифицировать метку (имп. вход №1, алгоритм №1)", .Mem = mlExt, .Addr = 554, .Type = stBit, .Bit = 7, .Hint = "Запрещает снятие с охраны по импульсному входу, автоснятие и отмену тревоги"},
    {.Kind = ckCheckBox, .Caption = "Идентифицировать метку (имп. вход №2, алгоритм №1)", .Mem = mlExt, .Addr = 138, .Type = stBit, .Bit = 6, .Hint = "Запрещает снятие с охраны по импульсному входу, автоснятие и отмену тревоги"},
    {.Kind = ckCheckBox, .Caption = "Запретить Снятие с Охраны (имп. вход №2, алгоритм №4)", .Mem = mlExt, .Addr = 129, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Разрешить Постановку в Охрану (имп. вход №1, алгоритм №1)", .Mem = mlExt, .Addr = 137, .Type = stBit, .Bit = 1, .Hint = "Если функция не назначена, то поддержка зажигания выключается, а в ТТ остаётся включенной"},
    {.Kind = ckCheckBox, .Caption = "Постановка в Охрану по нажатию (сенсор/кнопка) (имп. вход №1, алгоритм №1; имп. вход №2, алгоритм №4)", .Mem = mlExt, .Addr = 129, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Постановка в Охрану только при наличии метки (имп. вход №1, алгоритм №1; имп. вход №2, алгоритм №4)", .Mem = mlExt, .Addr = 131, .Type = stBit, .Bit = 7, .Hint = "Управление функцией в режиме Снято, зажигание включено, дверь водителя открыта, удержание кнопки более 4-х секунд (вкл/выкл)"},
    {.Kind = ckCheckBox, .Caption = "Разрешить отпирать замок крышки багажника физически в Снято с охраны (имп. вход №1, алг. №3; имп. вход №2, алг. №2)", .Mem = mlExt, .Addr = 133, .Type = stBit, .Bit = 1},
    {.Kind = ckCheckBox, .Caption = "Снятие/Постановка только с вкл-й поддержкой/зажиганием (имп. вход №1, алгоритм №1; имп. вход №2, алгоритм №1 или №4)", .Mem = mlExt, .Addr = 133, .Type = stBit, .Bit = 4, .Hint = "При зажигании только при установленной функции \"Разрешить Постановку/Снятие по имп.входам  с включенным зажиганием\" (см. ниже)"},
    {.Kind = ckCheckBox, .Caption = "Не выключать поддержку зажигания при Постановке в Охрану (имп. вход №1, алгоритм №1; имп. вход №2, алгоритм №4)", .Mem = mlExt, .Addr = 133, .Type = stBit, .Bit = 5, .Hint = "Если функция не назначена, то поддержка зажигания выключается, а в ТТ остаётся включенной"},
    {.Kind = ckCheckBox, .Caption = "Разрешить использовать ПИН-код режима \"Пляж\" для аварийного Снятия с Охраны (активация ввода пятикратным нажатием)", .Mem = mlExt, .Addr = 136, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Отменить повторный ввод комбинации для Автосервиса (вход-выход)", .Mem = mlExt, .Addr = 137, .Type = stBit, .Bit = 3, .Hint = "С кнопок на руле и имп. входов"},
    {.Kind = ckCheckBox, .Caption = "Контроль за отопителем по статусу", .Mem = mlExt, .Addr = 138, .Type = stBit, .Bit = 1, .Hint = "При пропадании статуса, если время работы отопителя не истекло, выдается сообщение об ошибке"},
    {.Kind = ckCheckBox, .Caption = "Перейти в тревогу \"Трижды неверно введён ПИН-Пляж\"", .Mem = mlExt, .Addr = 138, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Не учитывать сигнал ПАРК при Постановке в Охрану по имп. входу №1 и №2", .Mem = mlExt, .Addr = 139, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Включить оповещение поворотниками при вводе ПИН-кода режима \"Пляж\" (1 вспышка)", .Mem = mlExt, .Addr = 141, .Type = stBit, .Bit = 1},
    {.Kind = ckCheckBox, .Caption = "Запретить Снятие с Охраны по имп. входам, пока открыт багажник", .Mem = mlExt, .Addr = 141, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Включить защиту от дребезга (имп. входы)", .Mem = mlExt, .Addr = 141, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Не вырабатывать событие №132 \"Выключить отопитель\", если он не запустился или остановился", .Mem = mlExt, .Addr = 143, .Type = stBit, .Bit = 0, .Hint = "Функция актуальна, если подтверждение о запуске отопителя по статусу"},
    {.Kind = ckCheckBox, .Caption = "Не включать запрос метки по имп. входу №2, алг. 1 или 4, работает как подтверждение на Снятие", .Mem = mlExt, .Addr = 83, .Type = stBit, .Bit = 3, .Hint = "Если поиск метки в Охране заблокирован автоматически, то запрос будет включен"},
    {.Kind = ckCheckBox, .Caption = "Не включать запрос метки по имп. входу №1, алг. 1, работает как подтверждение на Снятие", .Mem = mlExt, .Addr = 686, .Type = stBit, .Bit = 2, .Hint = "Если поиск метки в Охране заблокирован автоматически, то запрос будет включен"},
    {.Kind = ckCheckBox, .Caption = "Информация о статусе запущенного двигателя только по имп. входу (№1 или №2)", .Mem = mlExt, .Addr = 137, .Type = stBit, .Bit = 7},
    {.Kind = ckCheckBox, .Caption = "Разрешить Постановку/Снятие по имп.входам  с включенным зажиганием", .Mem = mlExt, .Addr = 87, .Type = stBit, .Bit = 0},
    {.Kind = ckCheckBox, .Caption = "Разрешить Снятие из Тревоги при наличии метки (имп.входы №1, 2, алг. №1, 4 или в режиме Автоснятия)", .Mem = mlExt, .Addr = 87, .Type = stBit, .Bit = 1, .Hint = "В Тревоге при наличии метки ГМ отменяет тревогу и переходит в Снято с Охраны"},
    {.Kind = ckCheckBox, .Caption = "Отключать алгоритм Тревоги по МКВ имп.входов в режиме Охрана:  без датчиков, отопитель запущен, двигатель заведён", .Mem = mlExt, .Addr = 87, .Type = stBit, .Bit = 7},
    {.Kind = ckCheckBox, .Caption = "Запрет Снятия с Охраны из режима Диагностика (имп. вход №2, алгоритмы №1, №4)", .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 7, .Hint = "Время Диагностики - 5 секунд"},
    {.Kind = ckCheckBox, .Caption = "Запрет Снятия с Охраны из режима Диагностика (имп. вход №1, алгоритм №1)", .Mem = mlExt, .Addr = 686, .Type = stBit, .Bit = 3, .Hint = "Время Диагностики - 5 секунд"},
    {.Kind = ckCheckBox, .Caption = "Управлять ЦЗ по статусу (вход ГМ)", .Mem = mlExt, .Addr = 689, .Type = stBit, .Bit = 6},
    {.Kind = ckCheckBox, .Caption = "Снятие с Охраны, отпирание багажника в режиме Диагностика только при наличии новой метки (по имп. входам)", .Mem = mlExt, .Addr = 135, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Разрешить отпирать замок крышки багажника физически в Снято с охраны (имп. вход №1, алг. №5; имп. вход №3, алг. №6)", .Mem = mlExt, .Addr = 690, .Type = stBit, .Bit = 6},
    {.Kind = ckCheckBox, .Caption = "Запретить Снятие с Охраны; и запретить Постановку при закрытой крышке багажника (имп. вход №1, алгоритм №1)", .Mem = mlExt, .Addr = 555, .Type = stBit, .Bit = 3, .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Переключить имп. вход №1, алг. №4 на \"Снятие с Охраны / Постановка в Охрану по статусу\"", .Mem = mlExt, .Addr = 692, .Type = stBit, .Bit = 6, .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Завершить управление отопителем при выключении зажигания", .Mem = mlExt, .Addr = 86, .Type = stBit, .Bit = 5, .Hint = "В случае, если отопитель был запущен Sorvan", .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Импульсное управление отопителем (штатная кнопка, вход на выход)", .Mem = mlExt, .Addr = 693, .Type = stBit, .Bit = 4, .NoHelp = true},
    {.Kind = ckCheckBox, .Caption = "Разрешить ввод ПИН-кода (пляж) в  режимах Disarm, Stoa, Wash", .Mem = mlExt, .Addr = 88, .Type = stBit, .Bit = 2, .NoHelp = true},
    {.Name = "VDTrackBar4", .Kind = ckTrackBar, .Caption = "Порог напряжения для определения вирт. заряда", .Mem = mlExt, .Addr = 665, .Type = stByte, .Max = 88, .Range = {85, 88}, .Guard = {268, 0}, .Default = 88},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Время ожидания метки после активации имп. входов №1, алг. 1; №2,  алг. 1, 4", .Mem = mlExt, .Addr = 660, .Type = stByteLo, .Max = 7, .Range = {0, 15}, .Guard = {268, 0}, .Default = 4},
    {.Kind = ckCheckBox, .Caption = "Включить звуковое подтверждение нажатой кнопки", .Mem = mlExt, .Addr = 137, .Type = stBit, .Bit = 0},
    {.Name = "VDTrackBar5", .Kind = ckTrackBar, .Caption = "Время ожидания следующего нажатия (Имп. вход №3, алг. №6)", .Mem = mlExt, .Addr = 672, .Type = stByte, .Max = 7, .Range = {1, 8}, .Guard = {268, 0}, .Default = 8},
    {.Kind = ckHeading, .Caption = "Аналогово-цифровой вход"},
    {.Name = "VDCheckBox20", .Kind = ckCheckBox, .Caption = "Распознавание цифрового сигнала (обучение входу не требуется)", .Mem = mlExt, .Addr = 547, .Type = stBit, .Bit = 0},
    {.Name = "VDCheckBox21", .Kind = ckCheckBox, .Caption = "Принимать сигнал от кнопок на руле по CAN", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 2},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Время между нажатиями кнопок на руле", .Mem = mlExt, .Addr = 537, .Type = stByte, .Max = 255, .Range = {2, 24}, .Default = 24},
    {.Name = "VDCheckBox7", .Kind = ckCheckBox, .Caption = "Защита от подбора комбинации кнопок на руле", .Mem = mlExt, .Addr = 559, .Type = stBit, .Bit = 3, .Hint = "В зависимости от состояния IMMO следить за подбором кода (кроме режимов автомойка и автосервис)"},
    {.Kind = ckCheckBox, .Caption = "Следить за подбором кода всегда", .Mem = mlExt, .Addr = 128, .Type = stBit, .Bit = 3, .Hint = "Независимо от состояния IMMO следить за подбором кода(кроме режимов автомойка и автосервис)"},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "Коэффициент погрешности измерения кнопок", .Mem = mlExt, .Addr = 656, .Type = stByteHi, .Max = 255, .Range = {0, 4}, .Default = 0},
    {.Kind = ckCheckBox, .Caption = "Разрешить переобучение комбинации в режиме Полностью Снято", .Mem = mlExt, .Addr = 82, .Type = stBit, .Bit = 3, .Hint = "Активация двойным нажатием ПИН-кнопки в первые 20 секунд; а также вырабатываются события №150, №151"},
    {.Kind = ckCheckBox, .Caption = "Блокировать/разблокировать ввод комбинации №1", .Mem = mlExt, .Addr = 86, .Type = stBit, .Bit = 7, .Hint = "Возможно через GSM (особая команда №2), с кнопок на руле"},
    {.Kind = ckCheckBox, .Caption = "Выполнение комбинации без задержки", .Mem = mlExt, .Addr = 132, .Type = stBit, .Bit = 4, .Hint = "Например: при использовании комбинации кнопок \"1-2-3\" комбинация \"1-2-3-4\" не выполнится никогда"},
    {.Kind = ckCheckBox, .Caption = "Включить защиту от дребезга (аналоговые кнопки)", .Mem = mlExt, .Addr = 689, .Type = stBit, .Bit = 1, .Hint = "По умолчанию опрос входа 5мс. Если функция установлена, то 20мс."},
    {.Name = "VDCheckBox5", .Kind = ckCheckBox, .Caption = "Тахо от Лорсена", .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 3, .Hidden = true, .NoHelp = true, .Module = kStartModuleAddress},
    {.Name = "VDCheckBox1", .Kind = ckCheckBox, .Caption = "Принимать сигнал от тахометра по CAN ", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 4, .Hidden = true, .NoHelp = true},
    {.Name = "VDCheckBox2", .Kind = ckCheckBox, .Caption = "Принимать сигнал от спидометра по CAN ", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 3, .Hint = "дублёр", .Hidden = true},
    {.Name = "vddinDoor", .Kind = ckData, .Mem = mlExt, .Addr = 240, .Type = stArray, .Max = 1, .Guard = {262, 5}, .Boards = kOlderBoards},
    {.Name = "vddInTrunk", .Kind = ckData, .Mem = mlExt, .Addr = 241, .Type = stArray, .Max = 1, .Guard = {262, 7}, .Boards = kOlderBoards},
    {.Name = "vddInHood", .Kind = ckData, .Mem = mlExt, .Addr = 242, .Type = stArray, .Max = 1, .Guard = {262, 6}, .Boards = kOlderBoards},
    {.Name = "vddInIgn", .Kind = ckData, .Mem = mlExt, .Addr = 243, .Type = stArray, .Max = 1, .Guard = {263, 0}, .Boards = kOlderBoards},
    {.Name = "vddInSw", .Kind = ckData, .Mem = mlExt, .Addr = 244, .Type = stArray, .Max = 1, .Guard = {263, 1}, .Boards = kOlderBoards},
    {.Name = "vddInDisarm3", .Kind = ckData, .Mem = mlExt, .Addr = 245, .Type = stArray, .Max = 1, .Guard = {263, 5}, .Boards = kOlderBoards},
    {.Name = "vddInPark", .Kind = ckData, .Mem = mlExt, .Addr = 246, .Type = stArray, .Max = 1, .Guard = {263, 3}, .Boards = kOlderBoards},
    {.Name = "vddInCharge", .Kind = ckData, .Mem = mlExt, .Addr = 247, .Type = stArray, .Max = 1, .Guard = {263, 4}, .Boards = kOlderBoards},
    {.Name = "vddInSpeed", .Kind = ckData, .Mem = mlExt, .Addr = 248, .Type = stArray, .Max = 1, .Guard = {263, 5}, .Boards = kOlderBoards},
    {.Name = "vddInTaho", .Kind = ckData, .Mem = mlExt, .Addr = 249, .Type = stArray, .Max = 1, .Guard = {263, 6}, .Boards = kOlderBoards},
    {.Name = "vddInCentralLock", .Kind = ckData, .Mem = mlExt, .Addr = 250, .Type = stArray, .Max = 1, .Guard = {268, 1}, .Boards = kOlderBoards},
    {.Name = "vddInDisarm", .Kind = ckData, .Mem = mlExt, .Addr = 251, .Type = stArray, .Max = 1, .Guard = {268, 2}, .Boards = kOlderBoards},
    {.Name = "vddInAHJ", .Kind = ckData, .Mem = mlExt, .Addr = 252, .Type = stArray, .Max = 1, .Guard = {268, 3}, .Boards = kOlderBoards},
    {.Name = "vddinDoorFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62720, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInTrunkFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62723, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInHoodFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62726, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInIgnFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62729, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInSwFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62732, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInSpeedFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62744, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInAddFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62735, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInParkFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62738, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInChargeFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62741, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInCentralLockFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62750, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInDisarmFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62753, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "AnInpLearned", .Kind = ckData, .Mem = mlFlash, .Addr = 62912, .Type = stArray, .Max = 1},
    {.Name = "AnalogInpMask", .Kind = ckData, .Mem = mlExt, .Addr = 515, .Type = stArray, .Max = 8},
    {.Name = "AnalogInpEndLearn", .Kind = ckData, .Mem = mlMsg, .Addr = 144, .Type = stArray, .Max = 1},
    {.Name = "vdCmd", .Kind = ckData, .Mem = mlExt, .Addr = 538, .Type = stArray, .Max = 8},
    {.Name = "anSeqLrn", .Kind = ckData, .Mem = mlExt, .Addr = 523, .Type = stArray, .Max = 8},
    {.Name = "vdInpStatus", .Kind = ckData, .Mem = mlMsg, .Addr = 145, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vddInAHJFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62756, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInDisImm", .Kind = ckData, .Mem = mlFlash, .Addr = 62759, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInTaxoFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62747, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddMainVersion", .Kind = ckData, .Mem = mlMsg, .Addr = 130, .Type = stArray, .Max = 5, .Live = true},
    {.Name = "vdDataEvents", .Kind = ckData, .Mem = mlFlash, .Addr = 62912, .Type = stArray, .Max = 576},
    {.Name = "vddInPasDoor", .Kind = ckData, .Mem = mlFlash, .Addr = 62762, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInKeyPresent", .Kind = ckData, .Mem = mlFlash, .Addr = 62765, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInStopLights", .Kind = ckData, .Mem = mlFlash, .Addr = 62768, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddinDoorFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62721, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInTrunkFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62724, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInHoodFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62727, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInIgnFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62730, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInSwFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62733, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInAddFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62736, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInParkFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62739, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInChargeFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62742, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInSpeedFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62745, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInTaxoFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62748, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInCentralLockFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62751, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInDisarmFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62754, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInAHJFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62757, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInDisImmCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62760, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInPasDoorCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62763, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInKeyPresentCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62766, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddInStopLightsCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62769, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDD_ImpInp", .Kind = ckData, .Mem = mlExt, .Addr = 547, .Type = stArray, .Max = 6},
    {.Name = "vddinDoorFlashD3", .Kind = ckData, .Mem = mlFlash, .Addr = 62722, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData1", .Kind = ckData, .Mem = mlFlash, .Addr = 62725, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData2", .Kind = ckData, .Mem = mlFlash, .Addr = 62728, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData3", .Kind = ckData, .Mem = mlFlash, .Addr = 62731, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData4", .Kind = ckData, .Mem = mlFlash, .Addr = 62734, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData5", .Kind = ckData, .Mem = mlFlash, .Addr = 62737, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData6", .Kind = ckData, .Mem = mlFlash, .Addr = 62740, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData7", .Kind = ckData, .Mem = mlFlash, .Addr = 62743, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData8", .Kind = ckData, .Mem = mlFlash, .Addr = 62746, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData9", .Kind = ckData, .Mem = mlFlash, .Addr = 62749, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData10", .Kind = ckData, .Mem = mlFlash, .Addr = 62752, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData11", .Kind = ckData, .Mem = mlFlash, .Addr = 62755, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData12", .Kind = ckData, .Mem = mlFlash, .Addr = 62758, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData13", .Kind = ckData, .Mem = mlFlash, .Addr = 62761, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData14", .Kind = ckData, .Mem = mlFlash, .Addr = 62764, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData15", .Kind = ckData, .Mem = mlFlash, .Addr = 62767, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData16", .Kind = ckData, .Mem = mlFlash, .Addr = 62770, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData17", .Kind = ckData, .Mem = mlMsg, .Addr = 130, .Type = stArray, .Max = 5, .Live = true},
    {.Name = "VDData18", .Kind = ckData, .Mem = mlFlash, .Addr = 62774, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData19", .Kind = ckData, .Mem = mlFlash, .Addr = 62775, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData20", .Kind = ckData, .Mem = mlFlash, .Addr = 62755, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "VDData21", .Kind = ckData, .Mem = mlExt, .Addr = 558, .Type = stArray, .Max = 1},
    {.Name = "VDData22", .Kind = ckData, .Mem = mlExt, .Addr = 216, .Type = stArray, .Max = 4},
    {.Name = "VDD_ImpIn3", .Kind = ckData, .Mem = mlExt, .Addr = 134, .Type = stArray, .Max = 1},
    {.Name = "VDDataPCB", .Kind = ckData, .Mem = mlMsg, .Addr = 147, .Type = stArray, .Max = 1},
    {.Name = "VDDataADC", .Kind = ckData, .Mem = mlMsg, .Addr = 146, .Type = stArray, .Max = 1},
    {.Name = "vdCmd2", .Kind = ckData, .Mem = mlFlash, .Addr = 63744, .Type = stArray, .Max = 16},

};
static_assert(CheckTable(kRows).Row == -1);

// Seconds by position.
constexpr const char* kTagWaits[] = {
    "1 с", "2 с", "3 с", "4 с", "5 с", "6 с", "7 с", "8 с",
    "10 с", "12 с", "14 с", "16 с", "18 с", "20 с", "23 с", "25 с"};

constexpr TValueLabelRow kValueLabels[] = {
    {.Name = "VDTrackBar1", .Scale = 50, .Format = "%d [мc]"},
    {.Name = "VDTrackBar2", .Offset = 1},
    {.Name = "VDTrackBar3", .Texts = kTagWaits},
    {.Name = "VDTrackBar4", .Scale = 0.15, .Offset = 0.45, .Format = "%4.2f В"},
    {.Name = "VDTrackBar5", .Scale = 100, .Format = "%d мс"},
};
static_assert(CheckValueLabels(kValueLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& MainInputsTable() {
  static constexpr TPageTable kTable = {.Name = "MainInputs",
                                        .LanAddr = kMainModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Входы",
                                        .HelpTopic = "main_inputs",
                                        .Labels = kValueLabels};
  return kTable;
}

TInputCell InputCellOfRow(const TControlRow& row) {
  if (row.Kind != ckData || row.Module != 0) return {};
  if (row.Mem == mlExt && row.Addr >= kFirstSettingsCell && row.Addr <= kLastSettingsCell) {
    return {.TaskId = row.Addr - (kFirstSettingsCell - 1), .Kind = TInputCellKind::Older};
  }
  if (row.Mem != mlFlash || row.Addr < kFirstRecord || row.Addr > kLastRecordCell) return {};
  const int offset = row.Addr - kFirstRecord;
  const int taskId = offset / kRecordSize + 1;
  if (taskId == kTaskWithoutRecord) return {};
  constexpr TInputCellKind kKinds[] = {TInputCellKind::Pin, TInputCellKind::Source,
                                       TInputCellKind::Fixed};
  return {.TaskId = taskId, .Kind = kKinds[offset % kRecordSize]};
}
