#include "pages/gsm/webasto_table.h"

#include <QLocale>

#include "pages/gsm/gsm_address.h"

namespace {

// clang-format off
constexpr TRadioItem kWebItems1[] = {{0, "Обогрев"}, {1, "Вентиляция"}};
constexpr TRadioItem kWebItems2[] = {{0, "Заводить только двигатель"}, {1, "Запускать Webasto"}, {2, "Запускать Webasto, а потом двигатель"}};
constexpr TRadioItem kWebItems3[] = {{0, "Выключить котел"}, {1, "Переводить в режим вентиляции"}};

constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Основные"},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Время работы котла", .Mem = mlInt, .Addr = 1536, .Type = stByte, .Range = {5, 60}, .Default = 30},
    {.Kind = ckRadioGroup, .Caption = "Режим работы котла", .Mem = mlInt, .Addr = 1540, .Type = stBit, .Bit = 2, .Items = kWebItems1},
    {.Kind = ckCheckBox, .Caption = "Управление Webasto с помощью средств Главного Модуля", .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 2, .Hint = "Включение / выключение по событию"},
    {.Kind = ckCheckBox, .Caption = "Управление Webasto и с помощью ГМ, и с помощью GSM (по W-Bus)", .Mem = mlInt, .Addr = 48, .Type = stBit, .Bit = 6},
    {.Kind = ckCheckBox, .Caption = "Не будить отопитель по шине W-Bus", .Mem = mlInt, .Addr = 53, .Type = stBit, .Bit = 1},
    {.Kind = ckHeading, .Caption = "Функция комфорт"},
    {.Kind = ckRadioGroup, .Caption = "При автоматическом запуске (суточные таймеры, запуск по температуре):", .Mem = mlInt, .Addr = 1540, .Type = stBits, .Bit = 0, .Items = kWebItems2},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Задержка включения двигателя", .Mem = mlInt, .Addr = 1538, .Type = stByte, .Range = {1, 30}, .Default = 5},
    {.Kind = ckHeading, .Caption = "Контроль температуры"},
    {.Kind = ckCheckBox, .Caption = "Контролировать температуру по шине W-BUS", .Mem = mlInt, .Addr = 1540, .Type = stBit, .Bit = 3},
    {.Kind = ckRadioGroup, .Caption = "По достижении заданной температуры:", .Mem = mlInt, .Addr = 1540, .Type = stBit, .Bit = 4, .Items = kWebItems3, .Hidden = true},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "Пороговая температура котла (по шине wbus)", .Mem = mlInt, .Addr = 1542, .Type = stByte, .Max = 255, .Range = {90, 180}, .Default = 100},
    {.Kind = ckCheckBox, .Caption = "Не выключать котел при достижении температуры", .Mem = mlInt, .Addr = 1540, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Запускать двигатель немедленно при достижении температуры", .Mem = mlInt, .Addr = 1540, .Type = stBit, .Bit = 5, .Hint = "Игнорируется таймер задержки включения двигателя (см. выше)"},
    {.Kind = ckCheckBox, .Caption = "Учитывать температуру внешнего датчика при работе с Webasto", .Mem = mlInt, .Addr = 1540, .Type = stBit, .Bit = 6},
    {.Name = "VDTrackBar4", .Kind = ckTrackBar, .Caption = "Пороговая температура котла (внеш. датчик)", .Mem = mlInt, .Addr = 1543, .Type = stByte, .Max = 255, .Range = {5, 50}, .Default = 25},
};
static_assert(CheckTable(kRows).Row == -1);

// The bus counts the boiler's temperature in half degrees from −40 °C.
QString BoilerThresholdText(int position) {
  return QLocale().toString(position / 2.0 - 40, 'g', 4) + QStringLiteral(" °С");
}

constexpr TValueLabelRow kValueLabels[] = {
    {.Name = "VDTrackBar2", .Formula = BoilerThresholdText},
    {.Name = "VDTrackBar3", .Format = "%d мин"},
    {.Name = "VDTrackBar1", .Format = "%d мин"},
    {.Name = "VDTrackBar4", .Format = "%d °С"},
};
static_assert(CheckValueLabels(kValueLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& GsmWebastoTable() {
  static constexpr TPageTable kTable = {.Name = "GSMWebasto",
                                        .LanAddr = kGsmModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Webasto",
                                        .Labels = kValueLabels};
  return kTable;
}
