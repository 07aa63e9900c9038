#include "memory/module_table.h"

namespace {

using enum TAreaClass;

constexpr uint8_t kMainCommands[] = {0, 3, 7, 35, 48, 49, 53, 55, 56};
constexpr uint8_t kCanCommands[] = {32, 33};
constexpr uint8_t kGsmCommands[] = {3, 38, 40, 43, 44, 48, 64, 65, 66, 67, 70};
// The slave module and the transceiver share one command set.
constexpr uint8_t kSlaveCommands[] = {3, 4, 48, 49};
constexpr uint8_t kRemoteInputsCommands[] = {3, 48, 49, 53, 55, 56, 57};
constexpr uint8_t kLabelCommands[] = {48, 49};
constexpr uint8_t kRelayIOCommands[] = {3, 4, 48, 49, 53, 55, 56, 114};
constexpr uint8_t kValidatorCommands[] = {3, 4, 48, 49, 114};
constexpr uint8_t kSensorCommands[] = {0, 3, 48, 49};
constexpr uint8_t kGpsCommands[] = {3, 40, 48};

constexpr TAreaSpec kMainAreas[] = {
    {Ee, "Память настроек", mlExt, 1024, 16},
    {Ee, "Память настроек Flash", mlFlash, 65536, 16},
    {Ram, "RAM", mlRam, 4095, 256},
    {MainMsg, "Msg", mlMsg, 256, 16, kMainCommands},
};
constexpr TAreaSpec kCanAreas[] = {
    {CanMsg, "Msg", mlMsg, 256, 16, kCanCommands},
};
constexpr TAreaSpec kGsmAreas[] = {
    {Ee, "Память сообщений", mlExt, 32768, 32},
    {Ee, "Память настроек", mlInt, 2048, 32},
    {Ram, "RAM", mlRam, 64, 32},
    {GsmMsg, "Msg", mlMsg, 256, 32, kGsmCommands},
};
constexpr TAreaSpec kSlaveAreas[] = {
    {Ee, "Память настроек", mlInt, 256, 32},
    {Ee, "Память данных", mlFlash, 8192, 64},
    {Ram, "RAM", mlRam, 16, 16},
    {SlaveMsg, "Msg", mlMsg, 16, 16, kSlaveCommands},
};
constexpr TAreaSpec kRemoteInputsAreas[] = {
    {Ee, "Память настроек", mlInt, 256, 32},
    {Ram, "RAM", mlRam, 16, 16},
    {RemoteInputsMsg, "Msg", mlMsg, 16, 16, kRemoteInputsCommands},
};
constexpr TAreaSpec kLabelAreas[] = {
    {Ee, "Память настроек", mlInt, 256, 32},
    {Ram, "RAM", mlRam, 16, 16},
    {LabelMsg, "Msg", mlMsg, 16, 16, kLabelCommands},
};
constexpr TAreaSpec kRelayIOAreas[] = {
    {Ee, "Память настроек", mlInt, 256, 32},
    {Ee, "Память данных", mlFlash, 16384, 64},
    {Ram, "RAM", mlRam, 16, 16},
    {RelayIOMsg, "Msg", mlMsg, 16, 16, kRelayIOCommands},
};
constexpr TAreaSpec kValidatorAreas[] = {
    {Ee, "Память настроек", mlInt, 256, 32},
    {Ee, "Память данных", mlFlash, 8192, 64},
    {Ram, "RAM", mlRam, 16, 16},
    {ValidatorMsg, "Msg", mlMsg, 16, 16, kValidatorCommands},
};
constexpr TAreaSpec kTSAreas[] = {
    {Ee, "Память настроек", mlInt, 256, 32},
    {Ee, "Память данных", mlFlash, 8192, 64},
    {Ram, "RAM", mlRam, 256, 16},
    {TSMsg, "Msg", mlMsg, 256, 16, kSlaveCommands},
};
constexpr TAreaSpec kShockAreas[] = {
    {Ram, "RAM", mlRam, 48, 1},
    {ShockMsg, "Msg", mlMsg, 4, 0, kSensorCommands},
    {Ee, "Память настроек", mlInt, 256, 8},
};
constexpr TAreaSpec kMicrowaveAreas[] = {
    {Ram, "RAM", mlRam, 48, 1},
    {ShockMsg, "Msg", mlMsg, 4, 0, kSensorCommands},
};
constexpr TAreaSpec kTiltAreas[] = {
    {Ram, "RAM", mlRam, 48, 1},
    {ShockMsg, "Msg", mlMsg, 4, 0, kSensorCommands},
    {Ee, "Память настроек", mlInt, 256, 32},
};
constexpr TAreaSpec kGpsAreas[] = {
    {GpsMsg, "Msg", mlMsg, 256, 16, kGpsCommands},
};

}  // namespace

const std::array<TModuleSpec, 14> kModuleTable = {{
    {"Главный модуль", 2, 8, 0, 32, kMainAreas},
    {"CAN-модуль", 24, 8, 0, 32, kCanAreas},
    {"GSM", 3, 8, 0, 32, kGsmAreas},
    {"Slave-модуль", 4, 8, 0, 33, kSlaveAreas},
    {"Расширитель входов", 15, 8, 0, 33, kRemoteInputsAreas},
    {"Трансивер метки", 25, 4, 0, 32, kLabelAreas},
    {"RelayIO", 13, 8, 0, 33, kRelayIOAreas},
    {"Validator", 14, 8, 0, 33, kValidatorAreas},
    {"TS", 5, 8, 0, 33, kTSAreas},
    {"Датчик удара", 20, 8, kNoEndCommand, 0, kShockAreas},
    {"МКВ датчик", 21, 1, kNoEndCommand, 0, kMicrowaveAreas},
    {"МКВ датчик-2", 22, 1, kNoEndCommand, 0, kMicrowaveAreas},
    {"Датчик наклона", 23, 4, 0, 32, kTiltAreas},
    {"GPS-модуль", 11, 8, kNoEndCommand, 0, kGpsAreas},
}};
