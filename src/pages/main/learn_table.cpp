#include "pages/main/learn_table.h"

#include "link/lan_msg.h"

namespace {

constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Тахометр и спидометр"},
    {.Kind = ckHeading, .Caption = "Микроиммобилайзеры и  сетевые устройства"},
    {.Kind = ckHeading, .Caption = "Рестарт системы"},
    {.Kind = ckHeading, .Caption = "Обучение брелокам и меткам"},
    {.Kind = ckHeading, .Caption = "Включить/выключить запрос метки"},
    {.Kind = ckHeading, .Caption = "Запуск двигателя"},
    {.Kind = ckHeading, .Caption = "Снять / поставить в охрану"},
};
static_assert(CheckTable(kRows).Row == -1);

}  // namespace

const TPageTable& MainLearnTable() {
  static constexpr TPageTable kTable = {
      .Name = "MainLearn", .LanAddr = kMainModuleAddr, .Rows = kRows, .Title = "Управление"};
  return kTable;
}
