#include "pages/gsm/properties_table.h"

#include "pages/gsm/gsm_address.h"

namespace {

// clang-format off
constexpr TRadioItem kPropItems1[] = {{0, "английский"}, {1, "русский"}};

constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Телефоны"},
    {.Kind = ckCheckBox, .Caption = "Звонить", .Mem = mlInt, .Addr = 10, .Type = stBit, .Bit = 0, .Hint = "Звонить по этому номеру"},
    {.Kind = ckCheckBox, .Caption = "СМС", .Mem = mlInt, .Addr = 11, .Type = stBit, .Bit = 0, .Hint = "Посылать СМС на этот номер"},
    {.Kind = ckCheckBox, .Caption = "Требовать ПИН-код", .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 0, .Hint = "Требовать ввод ПИН-кода при звонке с этого номера"},
    {.Kind = ckCheckBox, .Caption = "Звонить", .Mem = mlInt, .Addr = 10, .Type = stBit, .Bit = 1, .Hint = "Звонить по этому номеру"},
    {.Kind = ckCheckBox, .Caption = "СМС", .Mem = mlInt, .Addr = 11, .Type = stBit, .Bit = 1, .Hint = "Посылать СМС на этот номер"},
    {.Kind = ckCheckBox, .Caption = "Требовать ПИН-код", .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 1, .Hint = "Требовать ввод ПИН-кода при звонке с этого номера"},
    {.Kind = ckCheckBox, .Caption = "Звонить", .Mem = mlInt, .Addr = 10, .Type = stBit, .Bit = 2, .Hint = "Звонить по этому номеру"},
    {.Kind = ckCheckBox, .Caption = "СМС", .Mem = mlInt, .Addr = 11, .Type = stBit, .Bit = 2, .Hint = "Посылать СМС на этот номер"},
    {.Kind = ckCheckBox, .Caption = "Требовать ПИН-код", .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 2, .Hint = "Требовать ввод ПИН-кода при звонке с этого номера"},
    {.Kind = ckCheckBox, .Caption = "Требовать ПИН-код при исходящем звонке", .Mem = mlInt, .Addr = 54, .Type = stBit, .Bit = 3, .Hint = "В режиме Пляж при исходящем звонке ПИН-код требуется всегда, не зависит от этой функции"},
    {.Kind = ckHeading, .Caption = "СМС"},
    {.Kind = ckRadioGroup, .Caption = "Язык СМС", .Mem = mlInt, .Addr = 0, .Type = stBit, .Bit = 1, .Items = kPropItems1, .Default = 1, .Hint = "Выбор языка посылаемых СМС"},
    {.Kind = ckHeading, .Caption = "ПИН-код"},
    {.Kind = ckCheckBox, .Caption = "Не озвучивать ПИН-код GSM", .Mem = mlInt, .Addr = 48, .Type = stBit, .Bit = 3},
    {.Kind = ckHeading, .Caption = "Особые команды"},
    {.Kind = ckCheckBox, .Caption = "Поддержка входа в Автосервис для Систем версий ниже 5.24", .Mem = mlInt, .Addr = 53, .Type = stBit, .Bit = 6},
    {.Name = "vddPhone1", .Kind = ckData, .Mem = mlInt, .Addr = 160, .Type = stArray, .Max = 11},
    {.Name = "vddPhone1_con", .Kind = ckData, .Mem = mlInt, .Addr = 205, .Type = stArray, .Max = 3},
    {.Name = "vddPhone2", .Kind = ckData, .Mem = mlInt, .Addr = 171, .Type = stArray, .Max = 11},
    {.Name = "vddPhone2_con", .Kind = ckData, .Mem = mlInt, .Addr = 208, .Type = stArray, .Max = 3},
    {.Name = "vddPhone3", .Kind = ckData, .Mem = mlInt, .Addr = 182, .Type = stArray, .Max = 11},
    {.Name = "vddPhone3_con", .Kind = ckData, .Mem = mlInt, .Addr = 211, .Type = stArray, .Max = 3},
    {.Name = "vddPhoneCS", .Kind = ckData, .Mem = mlInt, .Addr = 149, .Type = stArray, .Max = 11},
    {.Name = "vddPhoneCS_con", .Kind = ckData, .Mem = mlInt, .Addr = 214, .Type = stArray, .Max = 3},
    {.Name = "vddPIN", .Kind = ckData, .Mem = mlInt, .Addr = 14, .Type = stArray, .Max = 4},
    {.Name = "vddMainPIN", .Kind = ckData, .Mem = mlInt, .Addr = 242, .Type = stArray, .Max = 4},
    {.Name = "vddBalance", .Kind = ckData, .Mem = mlInt, .Addr = 218, .Type = stArray, .Max = 8},
    {.Name = "vdCmd", .Kind = ckData, .Mem = mlInt, .Addr = 57, .Type = stArray, .Max = 3},
};
static_assert(CheckTable(kRows).Row == -1);
// clang-format on

}  // namespace

const TPageTable& GsmPropertiesTable() {
  static constexpr TPageTable kTable = {.Name = "GSMPropertiesGSMPager",
                                        .LanAddr = kGsmModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Свойства"};
  return kTable;
}
