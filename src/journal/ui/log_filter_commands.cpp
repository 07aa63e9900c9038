#include "journal/ui/log_filter_commands.h"

#include <array>

#include "link/lan_msg.h"

namespace {

constexpr int kNone = TLogFilterCommand::kNoAddress;
// Bit 6 of the main module's state byte tells an output change from an input change.
constexpr uint8_t kOutputBit = 64;

std::vector<TFilterData> SystemEntries() {
  return {TFilterData::ForSource(0)};
}

// Everything the main module sends and everything sent to it, except its input and output
// broadcasts (3), which have switches of their own. A filter tests pairs of receiver and
// sender only from lists, so the messages from the main module take one list of its
// receivers, and its broadcasts one pair with the exception.
std::vector<TFilterData> MainModule() {
  std::vector<uint8_t> receivers;
  for (int address = 1; address <= kMaxBusAddr; ++address) {
    if (address != kMainModuleAddr) receivers.push_back(static_cast<uint8_t>(address));
  }
  const std::vector<uint8_t> senders(receivers.size(), kMainModuleAddr);
  constexpr std::array<uint8_t, 1> kBroadcast = {kBroadcastAddr};
  constexpr std::array<uint8_t, 1> kMain = {kMainModuleAddr};
  constexpr std::array<uint8_t, 1> kInputsAndOutputs = {3};
  return {TFilterData::ForDest(kMainModuleAddr), TFilterData::ForLists(receivers, senders, {}),
          TFilterData::ForLists(kBroadcast, kMain, kInputsAndOutputs)};
}

std::vector<TFilterData> SystemInputs() {
  TFilterData filter = TFilterData::ForAll(2, kOutputBit, 3, 0);
  filter.DataInvert = true;
  return {filter};
}

std::vector<TFilterData> SystemOutputs() {
  return {TFilterData::ForAll(2, kOutputBit, 3, 0)};
}
std::vector<TFilterData> KeyFobs() {
  return {TFilterData::ForAll(2, 0, 112, 1)};
}
std::vector<TFilterData> CanInput() {
  return {TFilterData::ForSourceCommand(2, 19)};
}
std::vector<TFilterData> Melodies() {
  return {TFilterData::ForSourceCommand(2, 121)};
}
std::vector<TFilterData> RelayCutOffs() {
  return {TFilterData::ForSourceCommand(2, 15)};
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
  if (command.Address == kNone) return command.Filters();
  // A module that answers at two addresses (the GPS module at 11 and 12) bears one name.
  const QString name = ModuleName(command.Address);
  std::vector<TFilterData> filters;
  for (int address = 1; address <= kMaxBusAddr; ++address) {
    if (address != command.Address && ModuleName(address) != name) continue;
    filters.push_back(TFilterData::ForSource(static_cast<uint8_t>(address)));
    filters.push_back(TFilterData::ForDest(static_cast<uint8_t>(address)));
  }
  return filters;
}
