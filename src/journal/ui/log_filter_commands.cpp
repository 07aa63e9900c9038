#include "journal/ui/log_filter_commands.h"

#include <array>

namespace {

constexpr int kNone = TLogFilterCommand::kNoAddress;
// Bit 6 of the main module's state byte tells an output change from an input change.
constexpr uint8_t kOutputBit = 64;

TFilterData SystemEntries() {
  return TFilterData::ForSource(0);
}

// Everything the main module broadcasts and everything the program sends to it, except the
// inputs and outputs (3) and the mode (7), which have switches of their own.
TFilterData MainModule() {
  constexpr std::array<uint8_t, 2> kDests = {0, 2};
  constexpr std::array<uint8_t, 2> kSources = {2, 0};
  constexpr std::array<uint8_t, 2> kExceptCommands = {3, 7};
  return TFilterData::ForLists(kDests, kSources, kExceptCommands);
}

TFilterData SystemInputs() {
  TFilterData filter = TFilterData::ForAll(2, kOutputBit, 3, 0);
  filter.DataInvert = true;
  return filter;
}

TFilterData SystemOutputs() {
  return TFilterData::ForAll(2, kOutputBit, 3, 0);
}
TFilterData KeyFobs() {
  return TFilterData::ForAll(2, 0, 112, 1);
}
TFilterData CanInput() {
  return TFilterData::ForSourceCommand(2, 19);
}
TFilterData Melodies() {
  return TFilterData::ForSourceCommand(2, 121);
}
TFilterData RelayCutOffs() {
  return TFilterData::ForSourceCommand(2, 15);
}

constexpr TLogFilterCommand kCommands[] = {
    {"aExceptions", "Сообщения программы", "Фильтр сообщений программы Vardex", nullptr, nullptr,
     kNone, SystemEntries, true},
    {"aSystem", "Главный модуль", "Система (без входов и выходов)", nullptr, nullptr, kNone,
     MainModule, true},
    {"aSysIn", "Входы системы", "Входы системы", nullptr, nullptr, kNone, SystemInputs, true},
    {"aSysOuts", "Выходы системы", "Выходы системы", nullptr, nullptr, kNone, SystemOutputs, true},
    {"aTXRcvFailed", "Брелоки", "Брелоки и метки", nullptr, nullptr, kNone, KeyFobs, true},
    {"aCan", "", "Can-модуль", nullptr, nullptr, 24, nullptr, false},
    {"aRemoteInputs", "Расширитель входов", "Расширитель входов", nullptr, nullptr, 15, nullptr,
     true},
    {"aGSM", "", "GSM-устройство", "Модуль  GSM", nullptr, 3, nullptr, true},
    {"aSlave", "", "Slave-модуль", "Slave модуль", nullptr, 4, nullptr, true},
    {"aMW", "Микроволновый датчик", "Фильтр обмена с микроволновым датчиком", nullptr, nullptr, 21,
     nullptr, true},
    {"aMW2", "Микроволновый датчик 2", "2-ой микроволновый датчик", nullptr, nullptr, 22, nullptr,
     true},
    {"aShock", "Датчик удара", "Датчик удара", nullptr, nullptr, 20, nullptr, true},
    {"aTilt", "Фильтр датчика наклона", "Датчик наклона", nullptr, nullptr, 23, nullptr, true},
    {"aTransiverLabel", "", "Трансивер метки", nullptr, nullptr, 25, nullptr, true},
    {"aRelayIO", "", "Релейный модуль (RelayIO)", nullptr, "Модуль запуска", 13, nullptr, true},
    {"aCanIn", "", "Can In", nullptr, "CAN вход", kNone, CanInput, false},
    {"aPlayMelody", "Звуки", "Звуковые команды", nullptr, nullptr, kNone, Melodies, true},
    {"aCutOff", "Блокировки реле", "Блокировки реле", nullptr, "Команды реле", kNone, RelayCutOffs,
     false},
    {"aValidator", "", "Validator", nullptr, nullptr, 14, nullptr, true},
    {"aGPS", "GPS-модуль", "GPS-модуль", nullptr, nullptr, 11, nullptr, true},
};

}  // namespace

std::span<const TLogFilterCommand> LogFilterCommands() {
  return kCommands;
}

std::vector<TFilterData> FiltersOf(const TLogFilterCommand& command) {
  if (command.Address == kNone) return {command.Filter()};
  const auto address = static_cast<uint8_t>(command.Address);
  return {TFilterData::ForSource(address), TFilterData::ForDest(address)};
}
