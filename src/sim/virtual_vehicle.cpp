#include "sim/virtual_vehicle.h"

// Address, name, packet size, then the sizes of the internal, EEPROM, RAM and flash memories.
const std::vector<TVirtualModuleSpec> kVirtualModuleTable = {
    {2, "Главный модуль", 8, {0, 1024, 4095, 65536}},
    {24, "CAN-модуль", 8, {0, 0, 0, 0}},
    {3, "GSM", 8, {2048, 32768, 64, 0}},
    {4, "Slave-модуль", 8, {256, 0, 16, 8192}},
    {15, "Расширитель входов", 8, {256, 0, 16, 0}},
    {25, "Трансивер метки", 4, {256, 0, 16, 0}},
    {13, "RelayIO", 8, {256, 0, 16, 16384}},
    {14, "Validator", 8, {256, 0, 16, 8192}},
    {5, "TS", 8, {256, 0, 256, 8192}},
    {20, "Датчик удара", 8, {256, 0, 48, 0}},
    {21, "МКВ датчик", 1, {0, 0, 48, 0}},
    {22, "МКВ датчик-2", 1, {0, 0, 48, 0}},
    {23, "Датчик наклона", 4, {256, 0, 48, 0}},
    {11, "GPS-модуль", 8, {0, 0, 0, 0}},
};

TVirtualVehicle::TVirtualVehicle(const TSimOptions& options) : options_(options) {
  for (const auto& spec : kVirtualModuleTable) {
    if (options.MainOnly && spec.Address != kMainModuleAddr) continue;
    auto module = std::make_unique<TVirtualModule>(spec);
    module->Silent = options.Silent.contains(spec.Address);
    module->RefuseAccess = options.Refused.contains(spec.Address);
    modules_.push_back(std::move(module));
  }
}

TVirtualModule* TVirtualVehicle::Module(int address) {
  for (auto& module : modules_) {
    if (module->Address() == address) return module.get();
  }
  return nullptr;
}

std::vector<TLanMsg> TVirtualVehicle::Deliver(const TLanMsg& msg) {
  std::vector<TLanMsg> replies;
  for (auto& module : modules_) module->Receive(msg, replies);
  return replies;
}
