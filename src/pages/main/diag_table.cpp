#include "pages/main/diag_table.h"

#include "link/lan_msg.h"
#include "pages/main/diag_texts.h"

namespace {

// Third-generation boards and firmware 5 report their alarms in the newer table of causes.
QString AlarmHistoryLine(uint8_t code, const ILabelContext& page) {
  return HistoryLine(code, page.BoardGeneration() == 3 || page.Shown("vddMainVersion") == 5);
}

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Тревоги"},
    {.Name = "VDMemo1", .Kind = ckMemo, .Mem = mlExt, .Addr = 176, .Type = stArray, .Max = 4, .Guard = {267, 1}, .Module = kMainModuleAddr, .ByteLine = AlarmHistoryLine},
    {.Kind = ckHeading, .Caption = "Отказы"},
    {.Name = "VDMemo2", .Kind = ckMemo, .Mem = mlExt, .Addr = 180, .Type = stArray, .Max = 4, .Guard = {267, 2}, .Module = kMainModuleAddr, .ByteLine = AlarmHistoryLine},
    {.Kind = ckHeading, .Caption = "Отключенные устройства / входы-выходы"},
    {.Name = "VDMemo3", .Kind = ckMemo, .Mem = mlExt, .Addr = 184, .Type = stArray, .Max = 4, .Guard = {267, 3}, .Module = kMainModuleAddr, .ByteLine = AlarmHistoryLine},
    {.Kind = ckHeading, .Caption = "Запуск и турбо-таймер"},
    {.Name = "VDMemo4", .Kind = ckMemo, .Mem = mlExt, .Addr = 188, .Type = stArray, .Max = 4, .Guard = {267, 4}, .Module = kMainModuleAddr, .ByteLine = AlarmHistoryLine},
    {.Kind = ckHeading, .Caption = "Причины рестарта процессора ГМ"},
    {.Kind = ckHeading, .Caption = "Дата выпуска и установки"},
    {.Kind = ckHeading, .Caption = "Параметры Tarsk5"},
    {.Name = "VDData1", .Kind = ckData, .Mem = mlExt, .Addr = 504, .Type = stArray, .Max = 2, .Module = kMainModuleAddr},
    {.Name = "VDData2", .Kind = ckData, .Mem = mlExt, .Addr = 506, .Type = stArray, .Max = 2, .Module = kMainModuleAddr},
    {.Name = "VDData3", .Kind = ckData, .Mem = mlMsg, .Addr = 140, .Type = stArray, .Max = 4, .Live = true, .Interval = 1, .Module = kMainModuleAddr},
    {.Name = "vddMainVersion", .Kind = ckData, .Mem = mlMsg, .Addr = 130, .Type = stArray, .Max = 5, .Live = true, .Module = kMainModuleAddr},
    {.Name = "VDData4", .Kind = ckData, .Mem = mlMsg, .Addr = 146, .Type = stArray, .Max = 1, .Module = kMainModuleAddr},
    {.Name = "VDData5", .Kind = ckData, .Mem = mlMsg, .Addr = 147, .Type = stArray, .Max = 1, .Module = kMainModuleAddr},
    {.Name = "vddResetCause", .Kind = ckData, .Mem = mlExt, .Addr = 400, .Type = stArray, .Max = 32, .Module = kMainModuleAddr},
};
static_assert(CheckTable(kRows).Row == -1);
// clang-format on

}  // namespace

const TPageTable& MainDiagTable() {
  static constexpr TPageTable kTable = {
      .Name = "MainDiag", .LanAddr = 0, .Rows = kRows, .Title = "Диагностика"};
  return kTable;
}
