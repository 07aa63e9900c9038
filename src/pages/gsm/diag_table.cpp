#include "pages/gsm/diag_table.h"

#include "pages/gsm/gsm_address.h"

namespace {

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Состояние модема"},
    {.Name = "VDLabel3", .Kind = ckLabel, .Caption = "Питание от сети", .Mem = mlMsg, .Addr = 57, .Type = stBit, .Bit = 2, .Hint = "Индикация питания модуля от основного источника", .Live = true},
    {.Name = "VDLabel5", .Kind = ckLabel, .Caption = "Модем включен", .Mem = mlMsg, .Addr = 57, .Type = stBit, .Bit = 4, .Hint = "Индикация подачи питания на модем", .Live = true},
    {.Name = "VDLabel13", .Kind = ckLabel, .Caption = "Котел работает", .Mem = mlMsg, .Addr = 58, .Type = stBit, .Bit = 4, .Hint = "Предпусковой подогреватель включен", .Live = true},
    {.Name = "VDLabel6", .Kind = ckLabel, .Caption = "Сеть найдена", .Mem = mlMsg, .Addr = 57, .Type = stBit, .Bit = 5, .Hint = "Индикация наличия GSM-сети", .Live = true},
    {.Name = "VDLabel11", .Kind = ckLabel, .Caption = "GPRS активен", .Mem = mlMsg, .Addr = 58, .Type = stBit, .Bit = 2, .Hint = "Возможна передача данных по сотовой сети", .Live = true},
    {.Name = "VDLabel1", .Kind = ckLabel, .Caption = "GPRS используется", .Mem = mlMsg, .Addr = 58, .Type = stBit, .Bit = 5, .Hint = "Передача данных по GPRS", .Live = true},
    {.Name = "VDLabel8", .Kind = ckLabel, .Caption = "Готовность модема", .Mem = mlMsg, .Addr = 57, .Type = stBit, .Bit = 7, .Hint = "Индикация готовности модема к работе", .Live = true},
    {.Name = "VDLabel12", .Kind = ckLabel, .Caption = "Есть соединение с сервером", .Mem = mlMsg, .Addr = 58, .Type = stBit, .Bit = 3, .Hint = "Устройство соединено с сервером Sorvan-Online", .Live = true},
    {.Name = "VDLabel4", .Kind = ckLabel, .Caption = "GPS используется", .Mem = mlMsg, .Addr = 58, .Type = stBit, .Bit = 6, .Live = true},
    {.Name = "VDLabel7", .Kind = ckLabel, .Caption = "Режим экономии энергии", .Mem = mlMsg, .Addr = 57, .Type = stBit, .Bit = 6, .Hint = "Индикация включения режима пониженного потребления", .Live = true},
    {.Name = "VDLabel2", .Kind = ckLabel, .Caption = "Актуальное время", .Mem = mlMsg, .Addr = 58, .Type = stBit, .Bit = 7, .Live = true},
    {.Kind = ckCheckBox, .Caption = "Перезагружать по команде ГМ только модем", .Mem = mlInt, .Addr = 48, .Type = stBit, .Bit = 2, .Default = 1},
    {.Kind = ckCheckBox, .Caption = "Не перезагружать GPS при старте GSM", .Mem = mlInt, .Addr = 53, .Type = stBit, .Bit = 2, .Max = 1},
    {.Name = "VDData1", .Kind = ckData, .Mem = mlMsg, .Addr = 70, .Type = stArray, .Max = 14, .Live = true},
    {.Name = "VDData2", .Kind = ckData, .Mem = mlMsg, .Addr = 19, .Type = stArray, .Max = 7},
    {.Name = "vddGSMBalance", .Kind = ckData, .Mem = mlMsg, .Addr = 85, .Type = stArray, .Max = 14},
};
static_assert(CheckTable(kRows).Row == -1);
// clang-format on

}  // namespace

const TPageTable& GsmDiagTable() {
  static constexpr TPageTable kTable = {
      .Name = "GSMDiagGSMPager", .LanAddr = kGsmModuleAddr, .Rows = kRows, .Title = "Диагностика"};
  return kTable;
}
