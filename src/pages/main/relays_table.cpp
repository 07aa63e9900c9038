#include "pages/main/relays_table.h"

namespace {

constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Микроиммобилайзеры и  сетевые устройства"},
    {.Kind = ckHeading, .Caption = "Настройки реле RBP/RBA"},
};
static_assert(CheckTable(kRows).Row == -1);

}  // namespace

const TPageTable& MainRelaysTable() {
  static constexpr TPageTable kTable = {
      .Name = "MainRelays", .LanAddr = 0, .Rows = kRows, .Title = "Реле"};
  return kTable;
}
