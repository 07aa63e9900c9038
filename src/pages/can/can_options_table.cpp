#include "link/lan_msg.h"
#include "pages/can/can_tables.h"

namespace {

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Управление модулем"},
    {.Name = "vddMainVersion", .Kind = ckData, .Mem = mlMsg, .Addr = 130, .Type = stArray, .Max = 5, .Live = true},
    // The group and subgroup of the main module's status; 255 is unknown.
    {.Name = "VDData1", .Kind = ckData, .Mem = mlMsg, .Addr = 148, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "VDData2", .Kind = ckData, .Mem = mlMsg, .Addr = 149, .Type = stArray, .Max = 1, .Live = true},
    // Group and subgroup, as the main module passes on the interface's packet 9.
    {.Name = "vddCanPacketID_09", .Kind = ckData, .Mem = mlMsg, .Addr = 172, .Type = stArray, .Max = 6, .Live = true},
    // Protocol version, from the interface's packet 13.
    {.Name = "vddCanPacketID_0D", .Kind = ckData, .Mem = mlMsg, .Addr = 178, .Type = stArray, .Max = 4, .Live = true},
    {.Kind = ckHeading, .Caption = "Служебные команды"},
};
static_assert(CheckTable(kRows).Row == -1);
// clang-format on

}  // namespace

const TPageTable& CanOptionsTable() {
  static constexpr TPageTable kTable = {
      .Name = "CanOptions", .LanAddr = kMainModuleAddr, .Rows = kRows, .Title = "Управление"};
  return kTable;
}
