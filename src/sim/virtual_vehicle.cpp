#include "sim/virtual_vehicle.h"

#include <algorithm>
#include <iterator>

#include "sim/virtual_can_module.h"
#include "sim/virtual_extension_module.h"
#include "sim/virtual_gsm_module.h"
#include "sim/virtual_sensor.h"
#include "sim/virtual_tag_transceiver.h"

// Address, name, packet size, then the sizes of the internal, EEPROM, RAM and flash memories.
const std::vector<TVirtualModuleSpec> kVirtualModuleTable = {
    // The main module keeps its alarm counters in a small internal memory.
    {2, "Главный модуль", 8, {128, 1024, 4095, 65536}},
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

namespace {

constexpr uint8_t kGsmAddr = 3;
constexpr uint8_t kShockSensorAddr = 20;
constexpr uint8_t kTiltSensorAddr = 23;
constexpr uint8_t kCanAddr = 24;
constexpr uint8_t kTagTransceiverAddr = 25;
// The modules that learn the car's own buttons.
constexpr uint8_t kLearningModules[] = {4, 13, 14, 15};

std::unique_ptr<TVirtualModule> MakeModule(const TVirtualModuleSpec& desc,
                                           const TSimOptions& options) {
  if (desc.Address == kMainModuleAddr)
    return std::make_unique<TVirtualMainModule>(desc, options.Gen2);
  if (desc.Address == kGsmAddr) return std::make_unique<TVirtualGsmModule>(desc);
  if (desc.Address == kCanAddr) return std::make_unique<TVirtualCanModule>(desc);
  if (desc.Address == kTagTransceiverAddr) return std::make_unique<TVirtualTagTransceiver>(desc);
  if (std::ranges::find(kLearningModules, desc.Address) != std::end(kLearningModules)) {
    return std::make_unique<TVirtualExtensionModule>(desc);
  }
  if (desc.Address >= kShockSensorAddr && desc.Address <= kTiltSensorAddr) {
    return std::make_unique<TVirtualSensor>(desc);
  }
  return std::make_unique<TVirtualModule>(desc);
}

}  // namespace

TVirtualVehicle::TVirtualVehicle(const TSimOptions& options) : options_(options) {
  for (const auto& desc : kVirtualModuleTable) {
    if (options.MainOnly && desc.Address != kMainModuleAddr) continue;
    auto module = MakeModule(desc, options);
    module->LoadFactoryImage(options.Gen2);
    module->Silent = options.Silent.contains(desc.Address);
    module->RefuseAccess = options.Refused.contains(desc.Address);
    module->Miswrite = options.Miswrite.contains(desc.Address);
    if (desc.Address == kMainModuleAddr) main_ = static_cast<TVirtualMainModule*>(module.get());
    modules_.push_back(std::move(module));
  }
  if (main_) main_->SetCanModuleFitted(Module(kCanAddr) != nullptr);
}

TVirtualModule* TVirtualVehicle::Module(int address) {
  for (auto& module : modules_) {
    if (module->Address() == address) return module.get();
  }
  return nullptr;
}

std::vector<TLanMsg> TVirtualVehicle::Spread(std::vector<TLanMsg> sent) {
  const size_t heard = sent.size();
  for (size_t i = 0; i < heard; ++i) {
    const TLanMsg msg = sent[i];
    for (auto& module : modules_) module->Receive(msg, sent);
  }
  return sent;
}

std::vector<TLanMsg> TVirtualVehicle::Deliver(const TLanMsg& msg) {
  std::vector<TLanMsg> replies;
  for (auto& module : modules_) module->Receive(msg, replies);
  return Spread(std::move(replies));
}

std::vector<TLanMsg> TVirtualVehicle::Speak(TVirtualModule& module, int stream) {
  std::vector<TLanMsg> sent;
  module.Speak(stream, sent);
  return Spread(std::move(sent));
}

std::vector<TLanMsg> TVirtualVehicle::Perform(TSimAction action) {
  std::vector<TLanMsg> sent;
  if (main_) main_->Perform(action, sent);
  return Spread(std::move(sent));
}
