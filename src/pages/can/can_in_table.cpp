#include "link/lan_msg.h"
#include "pages/can/can_tables.h"

namespace {

// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Входы"},
    {.Kind = ckHeading, .Caption = "Дополнительные параметры"},
    {.Name = "VDCheckBox1", .Kind = ckCheckBox, .Caption = "Принимать сигнал от тахометра по CAN ", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 4},
    {.Name = "VDCheckBox21", .Kind = ckCheckBox, .Caption = "Принимать сигнал от спидометра по CAN ", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 3},
    {.Name = "VDCheckBox5", .Kind = ckCheckBox, .Caption = "Принимать сигнал от кнопок на руле по CAN ", .Mem = mlExt, .Addr = 546, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Игнорировать кратковременное пропадание оборотов по CAN", .Mem = mlExt, .Addr = 553, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Игнорировать кратковременное пропадание АКПП по CAN", .Mem = mlExt, .Addr = 553, .Type = stBit, .Bit = 4,
     .Hint = "Если функция установлена, пропадание игнорируется на 1.4 секунды. Иначе 0.3 секунды."},
    {.Kind = ckCheckBox, .Caption = "Использовать сигнал DRIVE для закрытия дверей, старт повторки и AHJ ", .Mem = mlExt, .Addr = 130, .Type = stBit, .Bit = 3,
     .Hint = "Повторка  будет также стартовать по сигналу REVERSE"},
    {.Kind = ckCheckBox, .Caption = "Двери пассажиров", .Mem = mlExt, .Addr = 81, .Type = stBit, .Bit = 3},
    {.Name = "VDCheckBox8", .Kind = ckCheckBox, .Caption = "Принимать статус от KESTRA-2XL о запуске/остановке отопителя", .Mem = mlExt, .Addr = 86, .Type = stBit, .Bit = 0,
     .Hint = "Внимание: в протоколе CAN-Delta нет информации о статусе отопителя!"},
    {.Name = "VDCheckBox4", .Kind = ckCheckBox, .Caption = "Отключить контроль статуса отопителя  спустя 12 секунд после его запуска", .Mem = mlExt, .Addr = 693, .Type = stBit, .Bit = 3,
     .Hint = "Только совместно с функцией \"Принимать статус от KESTRA-2XL о запуске/остановке отопителя\""},
    {.Kind = ckCheckBox, .Caption = "Не вырабатывать событие №132 \"Выключить отопитель\", если он не запустился или остановился", .Mem = mlExt, .Addr = 143, .Type = stBit, .Bit = 0,
     .Hint = "Функция актуальна, если подтверждение о запуске отопителя по статусу"},
    {.Name = "vddMainVersion", .Kind = ckData, .Mem = mlMsg, .Addr = 130, .Type = stArray, .Max = 5, .Live = true},
    {.Name = "vddCmd", .Kind = ckData, .Mem = mlFlash, .Addr = 64004, .Type = stArray, .Max = 32},
    {.Name = "VDData1", .Kind = ckData, .Mem = mlMsg, .Addr = 148, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "VDData2", .Kind = ckData, .Mem = mlMsg, .Addr = 149, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "VDData3", .Kind = ckData, .Mem = mlFlash, .Addr = 64018, .Type = stArray, .Max = 1, .Live = true},
    // The inputs page's flags of its functions taken from the CAN bus (0 yes, 255 no), which
    // the grid's connection row shows and turns; they are settings of the inputs page.
    {.Name = "vddinDoorFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62721, .Type = stArray, .Max = 1, .Boards = kBoardGen3, .Twin = true},
    {.Name = "vddInTrunkFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62724, .Type = stArray, .Max = 1, .Boards = kBoardGen3, .Twin = true},
    {.Name = "vddInHoodFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62727, .Type = stArray, .Max = 1, .Boards = kBoardGen3, .Twin = true},
    {.Name = "vddInIgnFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62730, .Type = stArray, .Max = 1, .Boards = kBoardGen3, .Twin = true},
    {.Name = "vddInParkFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62739, .Type = stArray, .Max = 1, .Boards = kBoardGen3, .Twin = true},
    {.Name = "vddInChargeFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62742, .Type = stArray, .Max = 1, .Boards = kBoardGen3, .Twin = true},
    {.Name = "vddInCentralLockFlashCan", .Kind = ckData, .Mem = mlFlash, .Addr = 62751, .Type = stArray, .Max = 1, .Boards = kBoardGen3, .Twin = true},
    {.Name = "vddTahoSpeed", .Kind = ckData, .Mem = mlMsg, .Addr = 150, .Type = stArray, .Max = 4, .Live = true, .Interval = 500},
};
static_assert(CheckTable(kRows).Row == -1);
// clang-format on

}  // namespace

const TPageTable& CanInTable() {
  static constexpr TPageTable kTable = {
      .Name = "CanIn", .LanAddr = kMainModuleAddr, .Rows = kRows, .Title = "Входы"};
  return kTable;
}
