#include "pages/gsm/options_table.h"

#include "pages/gsm/gsm_address.h"
#include "pages/gsm/gsm_codings.h"

namespace {

// clang-format off
// Temperatures and the fuel level are signed bytes.
constexpr TPositionCoding kSignedByte{.Kind = pcSignedByte};
constexpr TPositionCoding kRunningVoltageCoding{
    .Kind = pcFunctions,
    .ToPosition = [](int stored) { return RunningVoltageShown(stored); },
    .ToStored = [](int position, int stored) { return RunningVoltageStored(position, stored); }};
constexpr TRadioItem kOptItems1[] = {{0, "0 цифр"}, {1, "одну"}, {2, "две"}, {3, "три"}, {4, "четыре"}, {5, "пять"}};

constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Определение номера звонящего"},
    {.Kind = ckRadioGroup, .Caption = "Игнорировать первые цифры номера при его определении:", .Mem = mlInt, .Addr = 7, .Type = stByte, .Max = 11, .Items = kOptItems1, .Default = 1, .Hint = "Позволяет правильно определять такие номера, как 7495... и 8495...", .Columns = 6},
    {.Kind = ckHeading, .Caption = "Реакция на низкое напряжение"},
    {.Name = "VDCheckBox1", .Kind = ckCheckBox, .Caption = "Запускать двигатель при снижении напряжения", .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 5, .Hint = "Разрешение запуска двигателя для подзарядки аккумулятора автомобиля"},
    {.Name = "VDCheckBox11", .Kind = ckCheckBox, .Caption = "Не запускать двигатель по напряжению в Отпуске", .Mem = mlInt, .Addr = 48, .Type = stBit, .Bit = 7},
    {.Name = "tbAccuRStart", .Kind = ckTrackBar, .Caption = "Порог низкого напряжения", .Mem = mlInt, .Addr = 1, .Type = stByte, .Max = 152, .Range = {104, 152}, .Default = 131, .Hint = "Напряжение аккумулятора автомобиля, при котором нужно запускать двигатель"},
    {.Name = "tbRunningVoltage", .Kind = ckTrackBar, .Caption = "Напряжение запущенного двигателя", .Mem = mlInt, .Addr = 2, .Type = stByte, .Range = {0, 19}, .Default = 4, .Hint = "Модем отменяет режим пониженного потребления при повышении напряжении питания выше заданного порога на 5 минут", .Coding = &kRunningVoltageCoding},
    {.Kind = ckHeading, .Caption = "Реакция на снижение температуры"},
    {.Kind = ckCheckBox, .Caption = "Запуск двигателя при снижении температуры", .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Использовать температуру внешнего датчика", .Mem = mlInt, .Addr = 54, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Не использовать внешний датчик температуры", .Mem = mlInt, .Addr = 53, .Type = stBit, .Bit = 3},
    {.Kind = ckCheckBox, .Caption = "Использовать внешний датчик температуры GSM как салонный", .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 4},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Температура включения", .Mem = mlInt, .Addr = 3, .Type = stByte, .Range = {-30, 10}, .Default = -18, .Hint = "Обогрев модуля включается, если температура внутри модуля падает ниже заданной", .Coding = &kSignedByte},
    {.Kind = ckCheckBox, .Caption = "Остановить двигатель при достижении температуры", .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 6},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "Температура остановки", .Mem = mlInt, .Addr = 43, .Type = stByte, .Range = {40, 100}, .Default = 90, .Coding = &kSignedByte},
    {.Kind = ckHeading, .Caption = "Учет топлива"},
    {.Kind = ckCheckBox, .Caption = "Учитывать уровень топлива при автоматическом запуске двигателя (запуск по таймерам, напряжению, температуре)", .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 7},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Уровень топлива L / %", .Mem = mlInt, .Addr = 44, .Type = stByte, .Range = {5, 20}, .Default = 10, .Coding = &kSignedByte},
    {.Kind = ckHeading, .Caption = "Короткий звонок"},
    {.Name = "tbShortCallTime", .Kind = ckTrackBar, .Caption = "Длительность", .Mem = mlInt, .Addr = 34, .Type = stByte, .Max = 15, .Range = {3, 15}, .Default = 5, .Hint = "Длительность короткого звонка"},
    {.Kind = ckHeading, .Caption = "Работа в сети GSM"},
    {.Kind = ckCheckBox, .Caption = "Регулярный SMS-отчёт в 12.00", .Mem = mlInt, .Addr = 217, .Type = stBit, .Bit = 0, .Max = 1},
    {.Kind = ckCheckBox, .Caption = "Не звонить при отсутствии сети GSM ", .Mem = mlInt, .Addr = 217, .Type = stBit, .Bit = 4, .Max = 1, .Default = 1},
    {.Kind = ckCheckBox, .Caption = "Отправлять СМС о временной блокировке GPRS", .Mem = mlInt, .Addr = 53, .Type = stBit, .Bit = 7, .Max = 1},
    {.Kind = ckHeading, .Caption = "Безопасность"},
    {.Kind = ckCheckBox, .Caption = "Запрет снятия с охраны средствами GSM", .Mem = mlInt, .Addr = 217, .Type = stBit, .Bit = 7, .Max = 1, .Hint = "Отпирает двери вместо снятия с охраны"},
    {.Kind = ckCheckBox, .Caption = "Игнорировать СМС и звонки от незнакомых номеров", .Mem = mlInt, .Addr = 54, .Type = stBit, .Bit = 0, .Max = 1},
    {.Kind = ckHeading, .Caption = "Автоматическое управление поиском метки в охране"},
    {.Kind = ckCheckBox, .Caption = "Выключать автоматически поиск метки в охране через 24 часа после постановки", .Mem = mlInt, .Addr = 48, .Type = stBit, .Bit = 0, .Max = 1},
    {.Kind = ckCheckBox, .Caption = "Выключать/включать автоматически поиск метки в охране по времени", .Mem = mlInt, .Addr = 48, .Type = stBit, .Bit = 1, .Max = 1},
    {.Kind = ckHeading, .Caption = "Общие настройки"},
    {.Kind = ckCheckBox, .Caption = "Отключить GSM-модуль", .Mem = mlInt, .Addr = 48, .Type = stBit, .Bit = 5, .Max = 1, .Hint = "GSM-модуль не используется совсем"},
    {.Kind = ckCheckBox, .Caption = "Выключать GSM-модуль автоматически в Охране (ночью при отсутствии сети)", .Mem = mlInt, .Addr = 53, .Type = stBit, .Bit = 0, .Max = 1, .Hidden = true},
    {.Kind = ckCheckBox, .Caption = "Использовать двери по CAN", .Mem = mlInt, .Addr = 48, .Type = stBit, .Bit = 4, .Max = 1, .Default = 1, .Hint = "Для версии системы ниже 5.17 или 5.17 без функции \"Двери пассажиров\" в Входы CAN-модуля"},
    {.Kind = ckCheckBox, .Caption = "Проигрывать мелодию через зуммер внешнего датчика удара", .Mem = mlInt, .Addr = 53, .Type = stBit, .Bit = 4, .Hint = "При выключенной функции мелодия проигрывается через зуммер трансивера"},
    {.Kind = ckCheckBox, .Caption = "Проигрывать мелодию при записи настроек через мобильное приложение", .Mem = mlInt, .Addr = 53, .Type = stBit, .Bit = 5, .Hint = "Только в режиме \"Снято с охраны\""},
    {.Kind = ckCheckBox, .Caption = "Управление микрофоном только Владельцем №1", .Mem = mlInt, .Addr = 54, .Type = stBit, .Bit = 1},
    {.Name = "vddMaxFuel", .Kind = ckData, .Mem = mlInt, .Addr = 60, .Type = stArray, .Max = 1},
    {.Name = "VDData1", .Kind = ckData, .Mem = mlInt, .Addr = 46, .Type = stArray, .Max = 1},
    {.Name = "vddPort", .Kind = ckData, .Mem = mlInt, .Addr = 45, .Type = stArray, .Max = 1},
    {.Name = "vddOffTime", .Kind = ckData, .Mem = mlInt, .Addr = 49, .Type = stArray, .Max = 2},
    {.Name = "vddOnTime", .Kind = ckData, .Mem = mlInt, .Addr = 51, .Type = stArray, .Max = 2},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr TValueLabelRow kValueLabels[] = {
    {.Name = "tbAccuRStart", .Scale = 1 / 11.09, .Format = "%5.2f В"},
    {.Name = "tbRunningVoltage", .Scale = 0.1, .Offset = 13, .Format = "%5.2f В"},
    {.Name = "VDTrackBar1", .Format = "%d °C"},
    {.Name = "VDTrackBar2", .Format = "%d °C"},
    {.Name = "VDTrackBar3", .Format = "%d %%"},
    {.Name = "tbShortCallTime", .Format = "%d сек."},
};
static_assert(CheckValueLabels(kValueLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& GsmOptionsTable() {
  static constexpr TPageTable kTable = {.Name = "GSMOptionsGSMPager",
                                        .LanAddr = kGsmModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Настройки",
                                        .Labels = kValueLabels};
  return kTable;
}
