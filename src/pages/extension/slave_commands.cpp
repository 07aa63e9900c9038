#include "pages/extension/slave_commands.h"

#include <array>

namespace {

// clang-format off
constexpr std::array<TSlaveCommand, 34> kCommands = {{
    {98, "Снятие с охраны в SLAVE режиме"},
    {99, "Снять \"полностью\" (альтернатива вводу PIN)"},
    {100, "Автосервис: вход/выход, ввести дважды"},
    {62, "Отменить защиту от захвата"},
    {102, "Отпереть двери пассажиров"},
    {103, "Отпирание крышки багажника в SLAVE режиме"},
    {104, "Отпереть все двери"},
    {105, "Отпереть замок капота"},
    {106, "Запустить двигатель"},
    {107, "Включить защиту от захвата/включить тревогу"},
    {108, "Выкл. IMMO / повторку (AHJ не отменяет)"},
    {67, "Запретить автоснятие заранее/поиск метки в охране"},
    {110, "Отменить автопостановку"},
    {111, "Включить прогр. выход №1"},
    {96, "Постановка в Охрану в SLAVE режиме"},
    {97, "Перевести в дневной режим (без датчиков)"},
    {124, "Зарезервировано"},
    {69, "Отпереть крышку багажника физически"},
    {70, "Включить поддержку зажигания"},
    {74, "Выкл. IMMO, повторку и AHJ заранее"},
    {95, "Включить прогр. выход №2"},
    {75, "Автомойка: вход/выход"},
    {116, "Снять с охраны (как брелоком Sorvan)"},
    {76, "Вход в режим Пляж, ввести дважды"},
    {78, "Отменить повторную авторизацию"},
    {112, "Заглушить двигатель (прервать режим ДЗ/ТТ)"},
    {117, "Поставить в Охрану (как брелоком Sorvan)"},
    {21, "Заблокировать/разблокировать Дист. Запуск"},
    {109, "Отменить тревогу"},
    {22, "Вкл/выкл оповещение зуммером \"Повторка требуется\""},
    {24, "Отправить сигнал SOS"},
    {25, "Зарезервировано"},
    {27, "Зарезервировано"},
    {115, "Заблокировать/разблокировать комбинацию №1"},
}};
// clang-format on

}  // namespace

std::span<const TSlaveCommand> SlaveCommands() {
  return kCommands;
}

std::optional<int> SlaveCommandIndex(uint8_t code) {
  for (std::size_t i = 0; i < kCommands.size(); ++i) {
    if (kCommands[i].Code == code) return static_cast<int>(i);
  }
  return std::nullopt;
}

uint8_t SlaveCommandCode(int index) {
  return kCommands.at(static_cast<std::size_t>(index)).Code;
}

QString SlaveCommandCaption(uint8_t code) {
  if (const auto index = SlaveCommandIndex(code)) {
    return QString::fromUtf8(kCommands[static_cast<std::size_t>(*index)].Caption);
  }
  return QStringLiteral("Команда %1").arg(code);
}
