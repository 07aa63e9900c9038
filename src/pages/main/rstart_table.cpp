#include "pages/main/rstart_table.h"

#include "binding/value_labels.h"
#include "link/lan_msg.h"
#include "pages/main/start_relays.h"
#include "pages/main/tacho_scale.h"

namespace {

// The scale the page's tacho settings are shown on: the half coefficient only changes how
// the program shows speeds, and a tacho taken from the CAN bus gives the period slider a
// speed.
TTachoScale PageScale(const ILabelContext& page) {
  return {.Coefficient = page.Shown("cbHalfCoefficient").value_or(0) != 0
                             ? TTachoScale::kHalfCoefficient
                             : TTachoScale::kCoefficient,
          .DoubleImpulse = page.Shown("cbDoubleImpulse").value_or(0) != 0,
          .FromCan = page.Shown("cbTachoFromCan").value_or(0) != 0};
}

QString PeriodLabel(int position, const ILabelContext& page) {
  return PageScale(page).PeriodText(position);
}

QString ThresholdLabel(int byte, const ILabelContext& page) {
  return PageScale(page).ThresholdText(byte, page.Shown("tbTaho").value_or(0));
}

// Third-generation boards and firmware 5 measure the signal on another divider.
QString ThresholdVoltageLabel(int position, const ILabelContext& page) {
  const bool newer = page.BoardGeneration() == 3 || page.Shown("vddMainVersion") == 5;
  return FormatNumber("%-3.2f В", newer ? position * 0.01953125 / 0.235 : position / 250.0 * 10);
}

QString AccDelayLabel(int position) {
  return DelayText(position, "%4.2f cек");
}

// A speedometer taken from the CAN bus gives the slider a speed instead of a period.
QString SpeedometerLabel(int position, const ILabelContext& page) {
  return page.Shown("VDCheckBox21").value_or(0) != 0
             ? QString::number(position) + QStringLiteral("км/час")
             : FormatNumber("%-6.2f мс", position * 0.08);
}

// clang-format off
constexpr TRadioItem kGearboxItems[] = {{0, "механическая"}, {1, "автоматическая"}};

// The tacho period word keeps its double-impulse flag in the top bit.
constexpr TPositionCoding kPeriod{.Kind = pcMasked, .Mask = 0x7FFF};
constexpr TPositionCoding kTimeByte{.Kind = pcTimeByte};
// Tenths of a second shown in seconds; two-unit steps shown in hundreds of milliseconds.
constexpr TPositionCoding kTenths{.Kind = pcScaled, .LoadFactor = 0.1, .StoreFactor = 10};
constexpr TPositionCoding kHalves{.Kind = pcScaled, .LoadFactor = 0.5, .StoreFactor = 2};

constexpr TControlRow kRows[] = {
{.Kind = ckHeading, .Caption = "Настройки дистанционного запуска"},
    {.Kind = ckRadioGroup, .Caption = "Тип КПП", .Mem = mlExt, .Addr = 194, .Type = stBit, .Bit = 4, .Max = 0, .Items = kGearboxItems, .Guard = {260, 3}, .Default = 0},
    {.Name = "VDCheckBox43", .Kind = ckCheckBox, .Caption = "Выключать поддержку зажигания при Снятии с охраны в ДЗ и ТТ", .Mem = mlExt, .Addr = 557, .Type = stBit, .Bit = 2, .Hint = "После выключения поддержки, если через 3,6 секунды двигатель продолжает работать, будет принудительное глушение"},
    {.Name = "VDCheckBox55", .Kind = ckCheckBox, .Caption = "Не выключать поддержку зажигания при Снятии с охраны, если запуск был в режиме Снято (ТТ/ДЗ)", .Mem = mlExt, .Addr = 687, .Type = stBit, .Bit = 1},
    {.Kind = ckCheckBox, .Caption = "Выключать поддержку зажигания при отклике метки  в ДЗ", .Mem = mlExt, .Addr = 559, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Не проверять назначения алгоритмов поддержки зажигания и стартера при запуске", .Mem = mlExt, .Addr = 552, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Не включать физический выход алгоритма ACC при ТТ (снято с охраны)", .Mem = mlExt, .Addr = 553, .Type = stBit, .Bit = 1},
    {.Kind = ckCheckBox, .Caption = "Только одна попытка запуска двигателя", .Mem = mlExt, .Addr = 553, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Не включать физический выход на поддержку зажигания при ТТ", .Mem = mlExt, .Addr = 553, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Отменить проверку статуса ПАРК перед включением стартера", .Mem = mlExt, .Addr = 554, .Type = stBit, .Bit = 1, .Hint = "После работы стартера или появления признаков работы двигателя тестирование Парка начнётся через 1 секунду"},
    {.Kind = ckCheckBox, .Caption = "Разрешить работу датчика МКВ в Охране с работающим двигателем (зона тревоги)", .Mem = mlExt, .Addr = 554, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Включать МКВ только с работающим двигателем в охране", .Mem = mlExt, .Addr = 135, .Type = stBit, .Bit = 7, .Hint = "Такая настройка актуальна при наличии штатных ультразвуковых датчиков"},
    {.Kind = ckCheckBox, .Caption = "Выключать физический выход поддержки зажигания при постановке в охрану по CAN, LAN (диагностика)", .Mem = mlExt, .Addr = 555, .Type = stBit, .Bit = 4, .Hint = "При постановке в охрану со штатного брелка или GSM с вкл. поддержкой, поддержка зажигания сбросится автоматически"},
    {.Kind = ckCheckBox, .Caption = "Включить контроль за ACC по CAN в ДЗ и ТТ", .Mem = mlExt, .Addr = 131, .Type = stBit, .Bit = 1, .Hint = "Запрещено устанавливать эту галочку, если ACC не выключается кнопкой старта-остановки двигателя"},
    {.Name = "VDCheckBox50", .Kind = ckCheckBox, .Caption = "Включить логику 1 запуска двигателя в кнопку (событие старт/стоп)", .Mem = mlExt, .Addr = 133, .Type = stBit, .Bit = 6, .Hint = "если функция не назначена, логика запуска ключевая"},
    {.Name = "VDCheckBox52", .Kind = ckCheckBox, .Caption = "Включить логику 2 запуска двигателя в кнопку (событие старт/стоп)", .Mem = mlExt, .Addr = 135, .Type = stBit, .Bit = 1, .Hint = "если функция не назначена, логика запуска ключевая"},
    {.Name = "VDCheckBox53", .Kind = ckCheckBox, .Caption = "Особый алгоритм работы (логика старт/стоп 2) (только с уст. галочкой \"Включить логику 2\")", .Mem = mlExt, .Addr = 135, .Type = stBit, .Bit = 2, .Hint = "Этот режим больше подходит для автомобилей с дизельным двигателем"},
    {.Kind = ckCheckBox, .Caption = "Не переходить в AHJ при вытянутом ручнике МКПП (обороты, лампа заряда не назначены)", .Mem = mlExt, .Addr = 554, .Type = stBit, .Bit = 3, .Guard = {260, 4}},
    {.Kind = ckCheckBox, .Caption = "Разрешить работу датчика удара в Охране с работающим двигателем (зона тревоги)", .Mem = mlExt, .Addr = 128, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Разрешить работу датчика наклона в Охране с работающим двигателем (зона тревоги)", .Mem = mlExt, .Addr = 133, .Type = stBit, .Bit = 2, .Hint = "Работает совместно с функцией \"Первое отключение IMMO повторка кнопками на руле\""},
    {.Name = "VDCheckBox13", .Kind = ckCheckBox, .Caption = "Разрешить запуск двигателя в \"Снято с охраны\" только при наличии метки (метка в зоне) (только АКПП)", .Mem = mlExt, .Addr = 135, .Type = stBit, .Bit = 0, .Hint = "Двигатель можно запустить с кнопок на руле, GSM, LAN, однократным нажатием ПИН-кнопки; время ожидания метки - 3 секунды"},
    {.Kind = ckCheckBox, .Caption = "Разрешить запуск двигателя после открытия двери водителя при автоснятии по метке", .Mem = mlExt, .Addr = 194, .Type = stBit, .Bit = 3, .Guard = {260, 4}, .Hint = "Два условия: подготовка к ДЗ и автоснятие по метке (если АКПП автомат, подготовка не требуется)"},
    {.Name = "VDCheckBox16", .Kind = ckCheckBox, .Caption = "Продлять время ДЗ по команде от GSM \"Запуск двигателя\"", .Mem = mlExt, .Addr = 136, .Type = stBit, .Bit = 2, .Guard = {260, 2}},
    {.Kind = ckCheckBox, .Caption = "Продлять время ДЗ автоматически, если температура двигателя ниже порога: 80° С (один раз, только для CAN)", .Mem = mlExt, .Addr = 136, .Type = stBit, .Bit = 3, .Guard = {260, 3}},
    {.Name = "VDCheckBox20", .Kind = ckCheckBox, .Caption = "Разрешить запуск двигателя только в режиме \"Снято полностью\" (только АКПП)(отменяет запуск в \"Снято\")", .Mem = mlExt, .Addr = 142, .Type = stBit, .Bit = 2, .Guard = {260, 2}, .Hint = "Двигатель можно запустить с кнопок на руле, GSM, LAN, однократным нажатием ПИН-кнопки"},
    {.Kind = ckCheckBox, .Caption = "Игнорировать вход двери водителя в процедуре запуска (Охрана)", .Mem = mlExt, .Addr = 142, .Type = stBit, .Bit = 7, .Guard = {260, 7}, .Hint = "Время игнорирования входа водителя регулируется ползунком"},
    {.Name = "VDCheckBox24", .Kind = ckCheckBox, .Caption = "Универсальный запуск по напряжению, лампе заряда, оборотам; выключение выхода алгоритма стартера по CAN или напряжению", .Mem = mlExt, .Addr = 143, .Type = stBit, .Bit = 5, .Guard = {260, 5}, .Hint = "При обнаружении вкл/выкл стартера если ГМ не включал физ. выход, то будет ожидать появления признаков (время ожидания стабильной работы)"},
    {.Name = "VDCheckBox51", .Kind = ckCheckBox, .Caption = "Передать контроль за работой двигателя внешнему устройству в режиме ДЗ", .Mem = mlExt, .Addr = 84, .Type = stBit, .Bit = 7, .Guard = {260, 7}, .Hint = "Включение поддержки в режиме Снято с охраны только при наличии реальных признаков работы двигателя"},
    {.Kind = ckCheckBox, .Caption = "Запретить игнорировать вход двери водителя по окончании ДЗ/ТТ в Охране", .Mem = mlExt, .Addr = 80, .Type = stBit, .Bit = 2, .Guard = {260, 2}, .Hint = "Время игнорирования входа водителя регулируется ползунком"},
    {.Name = "VDCheckBox26", .Kind = ckCheckBox, .Caption = "Выключать физ. выход алгоритма Стартер при обнаружении  выключения стартера по CAN или напряжению", .Mem = mlExt, .Addr = 84, .Type = stBit, .Bit = 6, .Guard = {260, 6}},
    {.Kind = ckCheckBox, .Caption = "Перейти в тревогу, если в режиме Охрана появился сигнал \"ключ в замке\" (ДЗ/ТТ)", .Mem = mlExt, .Addr = 138, .Type = stBit, .Bit = 2, .Max = 1},
    {.Kind = ckCheckBox, .Caption = "Перейти в тревогу, если в режиме Охрана после окончания ДЗ/ТТ зажигание осталось включенным", .Mem = mlExt, .Addr = 128, .Type = stBit, .Bit = 0, .Hint = "Двигатель будет остановлен принудительно, если по окончании ДЗ или ТТ он продолжил работать (спустя 10 секунд) + Тревога"},
    {.Kind = ckCheckBox, .Caption = "Запретить ДЗ, если в Охране была тревога по зажиганию или МКВ", .Mem = mlExt, .Addr = 81, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Разрешить ДЗ со штатного брелока автомобиля в режиме \"Охрана\" (штатная опция)", .Mem = mlExt, .Addr = 129, .Type = stBit, .Bit = 0, .Hint = "В режиме \"Пляж\" штатный запуск по умолчанию запрещён"},
    {.Kind = ckCheckBox, .Caption = "Разрешить ДЗ со штатного брелока автомобиля в режиме \"Пляж\" (штатная опция)", .Mem = mlExt, .Addr = 549, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Включать виртуальную поддержку при Постановке в Охрану с включенным зажиганием", .Mem = mlExt, .Addr = 87, .Type = stBit, .Bit = 4, .Hint = "Актуально только для автомобилей с кнопкой запуска двигателя"},
    {.Kind = ckCheckBox, .Caption = "Заменить проверку сигнала Парк на сигналы Reverse/Drive", .Mem = mlExt, .Addr = 549, .Type = stBit, .Bit = 6, .Hint = "Только для ДЗ в режиме Охрана. Старт повторной авторизации необходимо выбрать по сигналу R/D."},
    {.Kind = ckCheckBox, .Caption = "Завершать ДЗ/ТТ в Охране, если напряжение было ниже 12 В в течение двух минут", .Mem = mlExt, .Addr = 690, .Type = stBit, .Bit = 5, .Hint = "Можно применять при любых настройках; Если функция не установлена, то критерий остановки двигателя - 10.9 В"},
    {.Kind = ckCheckBox, .Caption = "Выключать поддержку зажигания при Постановке в Охрану, если открыт капот или любая дверь", .Mem = mlExt, .Addr = 691, .Type = stBit, .Bit = 2, .Hint = "В конце Диагностики, когда будет предупреждающее сообщение; Не для режима ТТ"},
    {.Name = "VDCheckBox57", .Kind = ckCheckBox, .Caption = "Выключать поддержку зажигания в режиме Снято по открытию двери водителя (запуск был в Охране)", .Mem = mlExt, .Addr = 692, .Type = stBit, .Bit = 0, .Hint = "После нажатия педали тормоза с выключенной поддержкой вырабатывается событие №80"},
    {.Name = "VDCheckBox59", .Kind = ckCheckBox, .Caption = "Выключать поддержку зажигания в режиме Снято по нажатию педали тормоза (запуск был в Охране)", .Mem = mlExt, .Addr = 692, .Type = stBit, .Bit = 1, .Hint = "После нажатия педали тормоза с включенной поддержкой вырабатывается событие №80"},
    {.Kind = ckCheckBox, .Caption = "Запретить глушение двигателя после выключения поддержки при Снятии с Охраны спустя 3,6 сек ", .Mem = mlExt, .Addr = 692, .Type = stBit, .Bit = 2, .Hint = "Совместно с функцией \"Выключать поддержку зажигания при Снятии с охраны в ДЗ и ТТ\""},
    {.Kind = ckCheckBox, .Caption = "Отключить повторы события №123 \"Старт / стоп\"", .Mem = mlExt, .Addr = 136, .Type = stBit, .Bit = 7},
    {.Kind = ckCheckBox, .Caption = "Учитывать виртуальный заряд через 0.7сек", .Mem = mlExt, .Addr = 88, .Type = stBit, .Bit = 0, .Hint = "0.7сек спустя включения выхода стартера"},
    {.Kind = ckCheckBox, .Caption = "Учитывать D / R спустя 2 сек после включения зажигания", .Mem = mlExt, .Addr = 88, .Type = stBit, .Bit = 6},
    {.Kind = ckHeading, .Caption = "Управление событиями"},
    {.Kind = ckCheckBox, .Caption = "Не вырабатывать событие №38 включения поддержки зажигания при вкл ТТ  (снято с охраны)", .Mem = mlExt, .Addr = 552, .Type = stBit, .Bit = 0, .Default = 1},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать события №7 и №123 выключения поддержки зажигания и \"старт/стоп\" (диагностика) ", .Mem = mlExt, .Addr = 128, .Type = stBit, .Bit = 7, .Hint = "При подготовке к ДЗ отключение ТТ только в охране"},
    {.Name = "VDCheckBox1", .Kind = ckCheckBox, .Caption = "Вырабатывать событие №49 завершения запуска в диагностике и охране при выключении ТТ", .Mem = mlExt, .Addr = 135, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать событие №49 завершения запуска в ДЗ или ТТ только после выключения зажигания или ACC", .Mem = mlExt, .Addr = 135, .Type = stBit, .Bit = 6, .Hint = "ACC не учитывается, если не установлена галочка \"Включить контроль за ACC\""},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать событие №38 включения поддержки зажигания в снято с охраны (не ТТ)", .Mem = mlExt, .Addr = 132, .Type = stBit, .Bit = 6, .Guard = {260, 6}, .Hint = "Событие вырабатывается при включении ручной поддержки (например, удержание ПИН-кнопки и т.д.)"},
    {.Kind = ckCheckBox, .Caption = "Вырабатывать события №7 и №123 выключения поддержки по окончании времени ДЗ/ТТ, а \"старт/стоп\" только в ДЗ (снято с охраны)", .Mem = mlExt, .Addr = 132, .Type = stBit, .Bit = 7, .Guard = {260, 7}},
    {.Kind = ckCheckBox, .Caption = "Не вырабатывать событие №123 \"Старт/Стоп\" в режиме ТТ", .Mem = mlExt, .Addr = 85, .Type = stBit, .Bit = 0},
    {.Kind = ckHeading, .Caption = "Таймеры дистанционного запуска"},
    {.Name = "VDTrackBar10", .Kind = ckTrackBar, .Caption = "Задержка включения поддержки зажигания", .Mem = mlExt, .Addr = 644, .Type = stByteLo, .Max = 15, .Range = {1, 15}, .Guard = {268, 0}, .Default = 10, .Hint = "Пауза перед включением поддержки зажигания"},
    {.Name = "VDTrackBar11", .Kind = ckTrackBar, .Caption = "Задержка выключения поддержки зажигания", .Mem = mlExt, .Addr = 645, .Type = stByteLo, .Max = 15, .Guard = {268, 0}, .Default = 3, .Hint = "Пауза перед ВЫКЛЮЧЕНИЕМ поддержки зажигания"},
    {.Name = "VDTrackBar12", .Kind = ckTrackBar, .Caption = "Задержка включения ACC", .Mem = mlExt, .Addr = 644, .Type = stByteHi, .Max = 15, .Range = {1, 15}, .Guard = {268, 0}, .Default = 10, .Hint = "Пауза перед включением ACC"},
    {.Name = "VDTrackBar13", .Kind = ckTrackBar, .Caption = "Задержка выключения ACC", .Mem = mlExt, .Addr = 645, .Type = stByteHi, .Max = 15, .Guard = {268, 0}, .Default = 5, .Hint = "Пауза перед ВЫКЛЮЧЕНИЕМ ACC"},
    {.Name = "VDTrackBar14", .Kind = ckTrackBar, .Caption = "Задержка включения ACC после успешного запуска", .Mem = mlExt, .Addr = 646, .Type = stByte, .Max = 255, .Range = {1, 225}, .Guard = {268, 0}, .Default = 3, .Hint = "Пауза перед включением ACC", .Coding = &kTimeByte},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Время работы двигателя", .Mem = mlExt, .Addr = 202, .Type = stByteHi, .Max = 8, .Guard = {260, 5}, .Default = 0, .Hint = "Время работы двигателя при дистанционном запуске"},
    {.Name = "VDTrackBar17", .Kind = ckTrackBar, .Caption = "Время между попытками запуска", .Mem = mlExt, .Addr = 656, .Type = stByteLo, .Max = 15, .Range = {2, 7}, .Guard = {268, 0}, .Default = 7},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Первая попытка запуска", .Mem = mlExt, .Addr = 201, .Type = stByteLo, .Max = 14, .Guard = {268, 0}, .Default = 2, .Hint = "Время паузы между включением зажигания и стартера"},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "Вторая попытка запуска", .Mem = mlExt, .Addr = 649, .Type = stByteLo, .Max = 14, .Guard = {268, 0}, .Default = 4, .Hint = "Время паузы между включением зажигания и стартера"},
    {.Name = "VDTrackBar16", .Kind = ckTrackBar, .Caption = "Третья попытка запуска", .Mem = mlExt, .Addr = 649, .Type = stByteHi, .Max = 14, .Guard = {268, 4}, .Default = 7, .Hint = "Время паузы между включением зажигания и стартера"},
    {.Name = "VDTrackBar25", .Kind = ckTrackBar, .Caption = "Время ожидания появления признаков после выключения стартера (Охрана/Снято)", .Mem = mlExt, .Addr = 685, .Type = stByte, .Max = 14, .Range = {5, 125}, .Guard = {268, 0}, .Default = 16, .Hint = "При определённых настройках это может быть временем ожидания признаков"},
    {.Name = "VDTrackBar26", .Kind = ckTrackBar, .Caption = "Время тестирования стабильной работы двигателя перед выходом (запуск в Снято)", .Mem = mlExt, .Addr = 703, .Type = stByte, .Max = 125, .Range = {5, 16}, .Guard = {268, 0}, .Default = 8},
    {.Name = "VDTrackBar8", .Kind = ckTrackBar, .Caption = "Первый запуск", .Mem = mlExt, .Addr = 643, .Type = stByteLo, .Max = 7, .Range = {1, 7}, .Guard = {268, 0}, .Default = 3, .Hint = "Время работы стартера при первом запуске"},
    {.Name = "VDTrackBar9", .Kind = ckTrackBar, .Caption = "Последующие запуски", .Mem = mlExt, .Addr = 643, .Type = stByteHi, .Max = 7, .Range = {1, 7}, .Guard = {260, 5}, .Default = 5, .Hint = "Время работы стартера при втором и третьем запуске"},
    {.Name = "VDTrackBar21", .Kind = ckTrackBar, .Caption = "Минимальное время работы стартера по напряжению", .Mem = mlExt, .Addr = 667, .Type = stByte, .Max = 255, .Range = {6, 20}, .Default = 12, .Hint = "При отсутствии других признаков заведённого двигателя", .NoHelp = true},
    {.Name = "VDTrackBar18", .Kind = ckTrackBar, .Caption = "Абсолютное напряжение выключения стартера", .Mem = mlExt, .Addr = 663, .Type = stByte, .Max = 81, .Range = {77, 82}, .Guard = {268, 0}, .Default = 80},
    {.Name = "VDTrackBar19", .Kind = ckTrackBar, .Caption = "Относительное напряжение выключения стартера", .Mem = mlExt, .Addr = 664, .Type = stByte, .Max = 7, .Range = {1, 7}, .Guard = {268, 0}, .Default = 3},
    {.Name = "VDTrackBar15", .Kind = ckTrackBar, .Caption = "Задержка подключения датчиков по окончании ДЗ/ТТ или при Постановке в охрану", .Mem = mlExt, .Addr = 647, .Type = stByteHi, .Max = 10, .Range = {0, 9}, .Guard = {260, 5}, .Default = 0, .Hint = "Задержка подключения датчиков по окончании дист. запуска, ТТ или при постановке в охрану"},
    {.Kind = ckHeading, .Caption = "Турбо таймер"},
    {.Kind = ckCheckBox, .Caption = "Турбо таймер", .Mem = mlExt, .Addr = 195, .Type = stBit, .Bit = 2, .Guard = {260, 7}},
    {.Kind = ckCheckBox, .Caption = "Продление режима ТТ при открытой двери", .Mem = mlExt, .Addr = 195, .Type = stBit, .Bit = 4, .Guard = {261, 1}},
    {.Kind = ckCheckBox, .Caption = "Отпирание замков дверей при включении поддержки в ТТ и ДЗ (Снято с Охраны)", .Mem = mlExt, .Addr = 196, .Type = stBit, .Bit = 4, .Guard = {261, 2}},
    {.Kind = ckCheckBox, .Caption = "Не управлять поворотниками в ДЗ (Снято, Охрана)", .Mem = mlExt, .Addr = 547, .Type = stBit, .Bit = 4, .Hint = "В режиме ТТ управление поворотниками запрещено всегда"},
    {.Kind = ckCheckBox, .Caption = "Не управлять светодиодом при включении режима ТТ", .Mem = mlExt, .Addr = 552, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Отключение режима ТТ только в Охране", .Mem = mlExt, .Addr = 552, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Неинтеллектуальный ТТ (интерпретация оборотов как лампы заряда)", .Mem = mlExt, .Addr = 559, .Type = stBit, .Bit = 1, .Guard = {261, 1}},
    {.Kind = ckCheckBox, .Caption = "Выключать режим ТТ при нажатии на педаль тормоза", .Mem = mlExt, .Addr = 690, .Type = stBit, .Bit = 4, .Guard = {261, 4}},
    {.Name = "VDTrackBar4", .Kind = ckTrackBar, .Caption = "Время охлаждения турбины", .Mem = mlExt, .Addr = 202, .Type = stByteLo, .Max = 7, .Guard = {261, 0}, .Default = 0},
    {.Name = "tbTTArm", .Kind = ckTrackBar, .Caption = "Обороты при включении турбины", .Mem = mlExt, .Addr = 229, .Type = stFloat, .Max = 96, .Range = {24, 96}, .Guard = {262, 2}, .Default = 40},
    {.Name = "tbTTRun", .Kind = ckTrackBar, .Caption = "Обороты при выключении турбины", .Mem = mlExt, .Addr = 230, .Type = stFloat, .Max = 96, .Range = {24, 96}, .Guard = {262, 3}, .Default = 32},
    {.Kind = ckHeading, .Caption = "Тахометр"},
    {.Name = "tbTaho", .Kind = ckTrackBar, .Caption = "Период импульсов тахометра (T)", .Mem = mlExt, .Addr = 224, .Type = stHL, .Max = 8192, .Guard = {261, 3}, .Default = 0, .Hint = "Измеренный период импульсов тахометра", .Coding = &kPeriod},
    {.Name = "cbDoubleImpulse", .Kind = ckCheckBox, .Caption = "Измерение по двум импульсам", .Mem = mlExt, .Addr = 224, .Type = stBit, .Bit = 7, .Guard = {261, 4}, .Hint = "При измерении периода учитывать каждый второй фронт"},
    {.Kind = ckCheckBox, .Caption = "Измерение по заднему фронту", .Mem = mlExt, .Addr = 197, .Type = stBit, .Bit = 3, .Guard = {269, 5}, .Hint = "Определять период не по переднему, а по заднему фронту импульса"},
    {.Name = "VDTrackBar5", .Kind = ckTrackBar, .Caption = "Порог измерения", .Mem = mlExt, .Addr = 231, .Type = stByte, .Max = 150, .Range = {6, 150}, .Guard = {261, 5}, .Default = 6, .Hint = "Измеренный уровень сигнала, на котором определяются импульсы"},
    {.Name = "VDTrackBar7", .Kind = ckTrackBar, .Caption = "Допуск на мерцание лампы заряда", .Mem = mlExt, .Addr = 207, .Type = stByte, .Max = 15, .Guard = {262, 1}, .Default = 3, .Hint = "Двигатель считается заведенным, если вход \"датчик заряда\" активен в течение этого времени"},
    {.Name = "VDTrackBar24", .Kind = ckTrackBar, .Caption = "Порог измерения оборотов по входу \"Дверь\"", .Mem = mlExt, .Addr = 220, .Type = stByte, .Max = 255, .Range = {20, 245}, .Guard = {261, 5}, .Default = 107, .Hint = "Уровень сигнала, на котором определяются импульсы"},
    {.Kind = ckHeading, .Caption = "Спидометр"},
    {.Name = "VDCheckBox21", .Kind = ckCheckBox, .Caption = "Принимать сигнал от спидометра по CAN ", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 3},
    {.Name = "VDTrackBar6", .Kind = ckTrackBar, .Caption = "Период импульсов спидометра", .Mem = mlExt, .Addr = 232, .Type = stHL, .Max = 8192, .Guard = {262, 4}, .Default = 0, .Hint = "Измеренный период импульсов спидометра"},
    {.Kind = ckHeading, .Caption = "Параметры запуска"},
    {.Name = "tbMaxRPM", .Kind = ckTrackBar, .Caption = "Максимально допустимые обороты в Охране", .Mem = mlExt, .Addr = 226, .Type = stFloat, .Max = 96, .Range = {32, 96}, .Guard = {261, 6}, .Default = 64, .Hint = "При превышении порога система перейдёт в Тревогу"},
    {.Name = "tbSensChange", .Kind = ckTrackBar, .Caption = "Допустимые обороты в Охране", .Mem = mlExt, .Addr = 228, .Type = stFloat, .Max = 49, .Range = {16, 49}, .Guard = {262, 0}, .Default = 40},
    {.Name = "tbStarter", .Kind = ckTrackBar, .Caption = "Обороты при отключении стартера", .Mem = mlExt, .Addr = 227, .Type = stFloat, .Max = 12, .Range = {4, 12}, .Guard = {261, 7}, .Default = 8, .Hint = "Также это значение определяет порог стабильной работы двигателя"},
    {.Kind = ckCheckBox, .Caption = "Игнорировать повышение оборотов, если они меньше допустимых", .Mem = mlExt, .Addr = 195, .Type = stBit, .Bit = 3, .Hint = "Система не будет переходить в тревогу при повышении оборотов, если они меньше допустимых"},
    {.Kind = ckHeading, .Caption = "Прочее"},
    {.Name = "VDTrackBar20", .Kind = ckTrackBar, .Caption = "Разрешённое время открытия двери водителя в процедуре запуска или по окончании ДЗ/ТТ (Охрана)", .Mem = mlExt, .Addr = 666, .Type = stByte, .Max = 255, .Range = {1, 4}, .Default = 1, .NoHelp = true, .Coding = &kTenths},
    {.Name = "VDTrackBar23", .Kind = ckTrackBar, .Caption = "Задержка отключения стартера в процедуре запуска при достижении установленных оборотов отключения стартера", .Mem = mlExt, .Addr = 673, .Type = stByte, .Max = 255, .Range = {0, 1}, .Default = 0, .NoHelp = true, .Coding = &kHalves},
    {.Name = "VDTrackBar22", .Kind = ckTrackBar, .Caption = "Допустимая температура двигателя в ДЗ (Охрана)(CAN)", .Mem = mlExt, .Addr = 668, .Type = stByte, .Max = 255, .Range = {108, 120}, .Default = 108, .NoHelp = true},
    {.Kind = ckHeading, .Caption = "Телематика"},
    {.Kind = ckCheckBox, .Caption = "Сконфигурирован запуск", .Mem = mlInt, .Addr = 217, .Type = stBit, .Bit = 6, .Hint = "Поставьте эту галочку, если на автомобиле реализован дистанционный запуск. Для работы с телематическим устройством.", .Module = 3},
    {.Name = "vddMainVersion", .Kind = ckData, .Mem = mlMsg, .Addr = 130, .Type = stArray, .Max = 5, .Live = true},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr const char* kEngineTimes[] = {"5 минут",  "10 минут", "15 минут", "20 минут", "25 минут",
                                        "30 минут", "45 минут", "60 минут", "90 минут"};
constexpr const char* kAttemptTimes[] = {
    "1 секунда",  "2 секунды",  "3 секунды",  "4 секунды",  "5 секунд",   "6 секунд",
    "8 секунд",   "10 секунд",  "15 секунд",  "20 секунд",  "25 секунд",  "30 секунд",
    "35 секунд",  "40 секунд",  "45 секунд",  "50 секунд"};
// Position 0 is below the range of these bars.
constexpr const char* kStarterTimes[] = {"",          "1 секунда", "2 секунды", "3 секунды",
                                         "4 секунды", "5 секунд",  "6 секунд",  "7 секунд"};
constexpr const char* kSupportOnDelays[] = {
    "",            "0.4 секунды", "0.6 секунды", "0.8 секунды", "1 секунда",
    "1.2 секунды", "1.4 секунды", "1.6 секунды", "1.8 секунды", "2.0 секунды",
    "2.2 секунды", "2.4 секунды", "2.6 секунды", "2.8 секунды", "3.0 секунды",
    "3.2 секунды"};
constexpr const char* kOffDelays[] = {
    "0 секунд",    "0.1 секунды", "0.2 секунды", "0.3 секунды", "0.4 секунды",
    "0.5 секунды", "0.6 секунды", "0.7 секунды", "0.8 секунды", "0.9 секунды",
    "1.0 секунда", "1.1 секунды", "1.2 секунды", "1.3 секунды", "1.4 секунды",
    "1.5 секунды"};
constexpr const char* kAccOnDelays[] = {
    "",            "0.2 секунды", "0.4 секунды", "0.6 секунды", "0.8 секунды",
    "1 секунда",   "1.2 секунды", "1.4 секунды", "1.6 секунды", "1.8 секунды",
    "2.0 секунды", "2.2 секунды", "2.4 секунды", "2.6 секунды", "2.8 секунды",
    "3.0 секунды"};
constexpr const char* kSensorDelays[] = {"5 секунд",  "10 секунд", "15 секунд", "20 секунд",
                                         "25 секунд", "30 секунд", "35 секунд", "40 секунд",
                                         "45 секунд", "50 секунд"};
constexpr const char* kCoolingTimes[] = {"10 секунд", "30 секунд", "1 минута", "1,5 минуты",
                                         "2 минуты",  "3 минуты",  "4 минуты", "5 минут"};

constexpr TValueLabelRow kValueLabels[] = {
    {.Name = "VDTrackBar1", .Texts = kEngineTimes},
    {.Name = "VDTrackBar3", .Texts = kAttemptTimes},
    {.Name = "VDTrackBar2", .Texts = kAttemptTimes},
    {.Name = "VDTrackBar16", .Texts = kAttemptTimes},
    {.Name = "VDTrackBar17", .Texts = kAttemptTimes},
    {.Name = "VDTrackBar8", .Texts = kStarterTimes},
    {.Name = "VDTrackBar9", .Texts = kStarterTimes},
    {.Name = "VDTrackBar10", .Texts = kSupportOnDelays},
    {.Name = "VDTrackBar11", .Texts = kOffDelays},
    {.Name = "VDTrackBar13", .Texts = kOffDelays},
    {.Name = "VDTrackBar12", .Texts = kAccOnDelays},
    {.Name = "VDTrackBar15", .Texts = kSensorDelays},
    {.Name = "VDTrackBar4", .Texts = kCoolingTimes},
    {.Name = "VDTrackBar24", .Scale = 5.0 / 255, .Offset = -0.3, .Format = "%-3.2f В"},
    {.Name = "VDTrackBar7", .Scale = 0.1, .Format = "%-4.1f с"},
    {.Name = "VDTrackBar18", .Scale = 0.15, .Format = "%4.2f В"},
    {.Name = "VDTrackBar19", .Scale = 0.15, .Format = "%4.2f В"},
    {.Name = "VDTrackBar21", .Scale = 50, .Format = "%d мc"},
    {.Name = "VDTrackBar25", .Scale = 0.2, .Format = "%-4.1f с"},
    {.Name = "VDTrackBar26", .Scale = 0.2, .Format = "%-4.1f с"},
    {.Name = "VDTrackBar20", .Format = "%2.1f c"},
    {.Name = "VDTrackBar22", .Format = "%d °C"},
    {.Name = "VDTrackBar23", .Scale = 100, .Format = "%d мс"},
    {.Name = "tbTaho", .PageFormula = PeriodLabel},
    {.Name = "tbMaxRPM", .PageFormula = ThresholdLabel},
    {.Name = "tbStarter", .PageFormula = ThresholdLabel},
    {.Name = "tbSensChange", .PageFormula = ThresholdLabel},
    {.Name = "tbTTArm", .PageFormula = ThresholdLabel},
    {.Name = "tbTTRun", .PageFormula = ThresholdLabel},
    {.Name = "VDTrackBar5", .PageFormula = ThresholdVoltageLabel},
    {.Name = "VDTrackBar14", .Formula = AccDelayLabel},
    {.Name = "VDTrackBar6", .PageFormula = SpeedometerLabel},
};
static_assert(CheckValueLabels(kValueLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& MainRStartTable() {
  static constexpr TPageTable kTable = {.Name = "MainRStart",
                                        .LanAddr = kMainModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Дист. запуск",
                                        .HelpTopic = "main_rstart",
                                        .Labels = kValueLabels};
  return kTable;
}
