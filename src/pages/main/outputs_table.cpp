#include "pages/main/outputs_table.h"

#include "link/lan_msg.h"
#include "pages/main/board_config.h"

namespace {

constexpr uint8_t kOlderBoards = kBoardGen1 | kBoardGen2;

// The older boards keep the pin of function id at 143 + id in the settings image, the third
// generation at 62463 + id in the flash image.
constexpr int kFirstSettingsCell = 144;
constexpr int kLastSettingsCell = 168;
constexpr int kFirstFlashCell = 62464;
constexpr int kLastFlashCell = 62500;

// clang-format off
constexpr TControlRow kRows[] = {
    {.Name = "vddConfig", .Kind = ckData, .Mem = mlExt, .Addr = 0, .Type = stArray, .Max = 1},
    {.Name = "vddLED", .Kind = ckData, .Mem = mlExt, .Addr = 144, .Type = stArray, .Max = 1, .Guard = {263, 7}, .Boards = kOlderBoards},
    {.Name = "vddLeftSide", .Kind = ckData, .Mem = mlExt, .Addr = 145, .Type = stArray, .Max = 1, .Guard = {264, 0}, .Boards = kOlderBoards},
    {.Name = "vddRightSide", .Kind = ckData, .Mem = mlExt, .Addr = 146, .Type = stArray, .Max = 1, .Guard = {264, 1}, .Boards = kOlderBoards},
    {.Name = "vddLock", .Kind = ckData, .Mem = mlExt, .Addr = 147, .Type = stArray, .Max = 1, .Guard = {264, 2}, .Boards = kOlderBoards},
    {.Name = "vddUnlock", .Kind = ckData, .Mem = mlExt, .Addr = 148, .Type = stArray, .Max = 1, .Guard = {264, 3}, .Boards = kOlderBoards},
    {.Name = "vddSiren", .Kind = ckData, .Mem = mlExt, .Addr = 149, .Type = stArray, .Max = 1, .Guard = {264, 4}, .Boards = kOlderBoards},
    {.Name = "vddPager", .Kind = ckData, .Mem = mlExt, .Addr = 150, .Type = stArray, .Max = 1, .Guard = {264, 5}, .Boards = kOlderBoards},
    {.Name = "vddTrunkLock", .Kind = ckData, .Mem = mlExt, .Addr = 151, .Type = stArray, .Max = 1, .Guard = {264, 6}, .Boards = kOlderBoards},
    {.Name = "vddCutOff1", .Kind = ckData, .Mem = mlExt, .Addr = 152, .Type = stArray, .Max = 1, .Guard = {264, 7}, .Boards = kOlderBoards},
    {.Name = "vddCutOff2", .Kind = ckData, .Mem = mlExt, .Addr = 153, .Type = stArray, .Max = 1, .Guard = {265, 0}, .Boards = kOlderBoards},
    {.Name = "vddWindows", .Kind = ckData, .Mem = mlExt, .Addr = 154, .Type = stArray, .Max = 1, .Guard = {265, 1}, .Boards = kOlderBoards},
    {.Name = "vddIgnSupp", .Kind = ckData, .Mem = mlExt, .Addr = 155, .Type = stArray, .Max = 1, .Guard = {265, 2}, .Boards = kOlderBoards},
    {.Name = "vddStarter", .Kind = ckData, .Mem = mlExt, .Addr = 156, .Type = stArray, .Max = 1, .Guard = {265, 3}, .Boards = kOlderBoards},
    {.Name = "vddHoodLock", .Kind = ckData, .Mem = mlExt, .Addr = 158, .Type = stArray, .Max = 1, .Guard = {265, 5}, .Boards = kOlderBoards},
    {.Name = "vddHoodUnlock", .Kind = ckData, .Mem = mlExt, .Addr = 159, .Type = stArray, .Max = 1, .Guard = {265, 6}, .Boards = kOlderBoards},
    {.Name = "mmtdSeqUnlock", .Kind = ckData, .Mem = mlExt, .Addr = 160, .Type = stArray, .Max = 1, .Guard = {265, 7}, .Boards = kOlderBoards},
    {.Name = "vddProg1", .Kind = ckData, .Mem = mlExt, .Addr = 161, .Type = stArray, .Max = 1, .Guard = {266, 0}, .Boards = kOlderBoards},
    {.Name = "vddProg2", .Kind = ckData, .Mem = mlExt, .Addr = 162, .Type = stArray, .Max = 1, .Guard = {266, 1}, .Boards = kOlderBoards},
    {.Name = "vddProg3", .Kind = ckData, .Mem = mlExt, .Addr = 163, .Type = stArray, .Max = 1, .Guard = {266, 2}, .Boards = kOlderBoards},
    {.Name = "vddProg4", .Kind = ckData, .Mem = mlExt, .Addr = 164, .Type = stArray, .Max = 1, .Guard = {266, 3}, .Boards = kOlderBoards},
    {.Name = "vddProg5", .Kind = ckData, .Mem = mlExt, .Addr = 165, .Type = stArray, .Max = 1, .Guard = {266, 4}, .Boards = kOlderBoards},
    {.Name = "vddProg6", .Kind = ckData, .Mem = mlExt, .Addr = 166, .Type = stArray, .Max = 1, .Guard = {268, 4}, .Boards = kOlderBoards},
    {.Name = "vddProg7", .Kind = ckData, .Mem = mlExt, .Addr = 167, .Type = stArray, .Max = 1, .Guard = {268, 5}, .Boards = kOlderBoards},
    {.Name = "vddProg8", .Kind = ckData, .Mem = mlExt, .Addr = 168, .Type = stArray, .Max = 1, .Guard = {268, 6}, .Boards = kOlderBoards},
    {.Name = "vddUnused", .Kind = ckData, .Mem = mlExt, .Addr = 157, .Type = stArray, .Max = 1, .Guard = {265, 4}, .Boards = kOlderBoards},
    {.Name = "vddLEDFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62464, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddLeftSideFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62465, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddLockFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62467, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddRightSideFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62466, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddUnlockFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62468, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddSirenFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62469, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddPagerFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62470, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddTrunkLockFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62471, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddCutOff1Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62472, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddCutOff2Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62473, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddWindowsFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62474, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddIgnSuppFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62475, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddStarterFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62476, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddHoodLockFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62478, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddHoodUnlockFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62479, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "mmtdSeqUnlockFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62480, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg1Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62481, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg2Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62482, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg3Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62483, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg4Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62484, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg5Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62485, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg6Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62486, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg7Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62487, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg8Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62488, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddUnusedFlash", .Kind = ckData, .Mem = mlFlash, .Addr = 62477, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg9Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62489, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg10Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62490, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg11Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62491, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg12Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62492, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg13Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62493, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg14Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62494, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg15Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62495, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg16Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62496, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddCanOuts", .Kind = ckData, .Mem = mlExt, .Addr = 548, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg17Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62497, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg18Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62498, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg19Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62499, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProg20Flash", .Kind = ckData, .Mem = mlFlash, .Addr = 62500, .Type = stArray, .Max = 1, .Boards = kBoardGen3},
    {.Name = "vddProgData", .Kind = ckData, .Mem = mlExt, .Addr = 336, .Type = stArray, .Max = 64},
    {.Name = "vddProgDataCont", .Kind = ckData, .Mem = mlExt, .Addr = 562, .Type = stArray, .Max = 64},
    {.Name = "vdRelayIOOuts", .Kind = ckData, .Mem = mlFlash, .Addr = 12288, .Type = stArray, .Max = 39, .Module = kStartModuleAddress},
    {.Name = "vdRelayIODon", .Kind = ckData, .Mem = mlFlash, .Addr = 12336, .Type = stArray, .Max = 222, .Module = kStartModuleAddress},
    {.Name = "vdRelayIODoff", .Kind = ckData, .Mem = mlFlash, .Addr = 12560, .Type = stArray, .Max = 222, .Module = kStartModuleAddress},
    {.Name = "RepProgCount", .Kind = ckData, .Mem = mlExt, .Addr = 626, .Type = stArray, .Max = 16},
    {.Name = "vddEventOff", .Kind = ckData, .Mem = mlExt, .Addr = 768, .Type = stArray, .Max = 64},
    {.Name = "vddEventOffTimer", .Kind = ckData, .Mem = mlExt, .Addr = 832, .Type = stArray, .Max = 64},
    {.Name = "vddEventOffCancel", .Kind = ckData, .Mem = mlExt, .Addr = 16, .Type = stArray, .Max = 64},
    {.Name = "RepProgCount_17_20", .Kind = ckData, .Mem = mlExt, .Addr = 712, .Type = stArray, .Max = 4},
    {.Name = "vddProgData_17_20", .Kind = ckData, .Mem = mlExt, .Addr = 432, .Type = stArray, .Max = 32},
    {.Name = "vddEventOff_17_20", .Kind = ckData, .Mem = mlExt, .Addr = 464, .Type = stArray, .Max = 16},
    {.Name = "vddEventOffTimer_17_20", .Kind = ckData, .Mem = mlExt, .Addr = 480, .Type = stArray, .Max = 16},
    {.Name = "vddEventOffCancel_17_20", .Kind = ckData, .Mem = mlExt, .Addr = 320, .Type = stArray, .Max = 16},
    {.Kind = ckHeading, .Caption = "Выходы базового блока"},
};
static_assert(CheckTable(kRows).Row == -1);
// clang-format on

}  // namespace

const TPageTable& MainOutputsTable() {
  static constexpr TPageTable kTable = {
      .Name = "MainOutputs", .LanAddr = kMainModuleAddr, .Rows = kRows, .Title = "Выходы"};
  return kTable;
}

int OutputTaskOfRow(const TControlRow& row) {
  if (row.Kind != ckData || row.Module != 0) return 0;
  if (row.Mem == mlExt && row.Addr >= kFirstSettingsCell && row.Addr <= kLastSettingsCell) {
    return row.Addr - (kFirstSettingsCell - 1);
  }
  if (row.Mem == mlFlash && row.Addr >= kFirstFlashCell && row.Addr <= kLastFlashCell) {
    return row.Addr - (kFirstFlashCell - 1);
  }
  return 0;
}
