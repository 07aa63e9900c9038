#include "pages/main/input_commands.h"

namespace {

constexpr uint8_t kIndexBits = 0x7F;

constexpr const char* kCommands[] = {
    "Снятие с охраны в SLAVE режиме",
    "Снять \"полностью\" (альтернатива вводу PIN)",
    "Автосервис: вход/выход, ввести дважды",
    "Отменить защиту от захвата",
    "Отпереть двери пассажиров",
    "Отпирание крышки багажника в SLAVE режиме",
    "Отпереть все двери",
    "Отпереть замок капота",
    "Запустить двигатель",
    "Включить защиту от захвата/включить тревогу",
    "Выкл. IMMO / повторку (AHJ не отменяет)",
    "Запретить автоснятие заранее/поиск метки в охране",
    "Отменить автопостановку",
    "Включить прогр. выход №1",
    "Постановка в Охрану в SLAVE режиме",
    "Перевести в дневной режим (без датчиков)",
    "Зарезервировано",
    "Отпереть крышку багажника физически",
    "Включить поддержку зажигания",
    "Выкл. IMMO, повторку и AHJ заранее",
    "Включить прогр. выход №2",
    "Автомойка: вход/выход",
    "Снять с охраны (как брелоком Sorvan)",
    "Вход в режим Пляж, ввести дважды",
    "Отменить повторную авторизацию",
    "Заглушить двигатель (прервать режим ДЗ/ТТ)",
    "Поставить в Охрану (как брелоком Sorvan)",
    "Заблокировать/разблокировать Дист. Запуск",
    "Отменить тревогу",
    "Вкл/выкл оповещение зуммером \"Повторка требуется\"",
    "Отправить сигнал SOS",
    "Зарезервировано",
    "Зарезервировано",
    "Заблокировать/разблокировать комбинацию №1",
};
static_assert(std::size(kCommands) == 34);

}  // namespace

std::span<const char* const> InputCommandNames() {
  return kCommands;
}

bool HasCommand(uint8_t byte) {
  return byte != kNoCommand;
}

bool RequiresTag(uint8_t byte) {
  return HasCommand(byte) && (byte & kTagRequired) != 0;
}

int CommandIndex(uint8_t byte) {
  return HasCommand(byte) ? byte & kIndexBits : -1;
}

uint8_t ToggleTag(uint8_t byte) {
  return HasCommand(byte) ? static_cast<uint8_t>(byte ^ kTagRequired) : byte;
}

uint8_t WithCommand(uint8_t byte, int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kCommands))) return kNoCommand;
  const uint8_t tag = RequiresTag(byte) ? kTagRequired : 0;
  return static_cast<uint8_t>(tag | index);
}

QString CommandText(uint8_t byte) {
  const int index = CommandIndex(byte);
  if (index < 0 || index >= static_cast<int>(std::size(kCommands))) {
    return QStringLiteral("Не назначено");
  }
  return QString::fromUtf8(kCommands[index]);
}

int PressCountByte(int presses) {
  return presses % kPressCounts;
}
