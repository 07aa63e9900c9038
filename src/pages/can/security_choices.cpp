#include "pages/can/security_choices.h"

namespace {

// clang-format off
constexpr std::array<TChoiceBits, kChoiceItems> kItems = {{
    {.ByteBit = false, .Box = false, .Third = false},
    {.ByteBit = true,  .Box = false, .Third = false},
    {.ByteBit = true,  .Box = true,  .Third = false},
    {.ByteBit = false, .Box = true,  .Third = false},
    {.ByteBit = false, .Box = false, .Third = true},
}};
// clang-format on

}  // namespace

TChoiceBits ChoiceBits(int item) {
  return kItems.at(static_cast<std::size_t>(item));
}

int ChoiceItem(const TChoiceBits& bits) {
  if (bits.Third) return 4;
  if (bits.ByteBit) return bits.Box ? 2 : 1;
  return bits.Box ? 3 : 0;
}

const TChoiceTexts kArmingChoice = {
    .Caption = "Постановка в охрану",
    .Items = {"Запереть все двери", "Запереть и заблокировать все двери",
              "Запереть и заблокировать все двери;  вкл. штатную сигнализацию",
              "Запереть и заблокировать все двери;  вкл. штатную сигнализацию+ комфорт",
              "Запереть и заблокировать все двери; + комфорт"},
    .Hint = ""};

const TChoiceTexts kDisarmingChoice = {
    .Caption = "Снятие с охраны",
    .Items = {"Отпереть все двери", "Отпереть и разблокировать все двери",
              "Отпереть и разблокировать все двери; выкл. штатную сигнализацию",
              "Отпереть и разблокировать дверь водителя; выкл. штатную сигнализацию",
              "Отпереть и разблокировать дверь водителя"},
    .Hint =
        "В режиме \"Снято с охраны\" при управлении ЦЗ используются команды \"Отпереть все "
        "двери\"/\"Запереть все двери\""};
