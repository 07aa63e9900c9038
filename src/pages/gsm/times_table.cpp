#include "pages/gsm/times_table.h"

#include "pages/gsm/gsm_address.h"

namespace {

// clang-format off
// Everything on this page lives in the module's message area: the answers to the clock and
// timer commands fill it, nothing is written to the settings.
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Время и дата"},
    {.Name = "vddCurTime", .Kind = ckData, .Mem = mlMsg, .Addr = 49, .Type = stArray, .Max = 7, .Live = true},
    {.Kind = ckHeading, .Caption = "Первый таймер запуска"},
    {.Name = "vddRSTimer1", .Kind = ckData, .Mem = mlMsg, .Addr = 33, .Type = stArray, .Max = 4, .Live = true},
    {.Kind = ckHeading, .Caption = "Второй таймер запуска"},
    {.Name = "vddRSTimer2", .Kind = ckData, .Mem = mlMsg, .Addr = 37, .Type = stArray, .Max = 4, .Live = true},
    {.Kind = ckHeading, .Caption = "Таймер периодического прогрева"},
    {.Name = "vddTimer3", .Kind = ckData, .Mem = mlMsg, .Addr = 41, .Type = stArray, .Max = 4, .Live = true},
    {.Name = "vddTimer4", .Kind = ckData, .Mem = mlMsg, .Addr = 45, .Type = stArray, .Max = 4, .Live = true},
};
static_assert(CheckTable(kRows).Row == -1);
// clang-format on

}  // namespace

const TPageTable& GsmTimesTable() {
  static constexpr TPageTable kTable = {
      .Name = "GSMTimesGSMPager", .LanAddr = kGsmModuleAddr, .Rows = kRows, .Title = "Время"};
  return kTable;
}
