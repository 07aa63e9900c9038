#include "sim/sim_scenario.h"

#include <QStringList>
#include <optional>

#include "sim/virtual_adapter.h"

namespace {

constexpr uint8_t kMainModule = 2;
constexpr uint8_t kCanModule = 24;
constexpr uint8_t kTagTransceiver = 25;
constexpr uint8_t kInputOutput = 3;
constexpr uint8_t kMode = 7;
constexpr uint8_t kCanCommandSent = 33;
constexpr uint8_t kVoltage = 53;
constexpr uint8_t kEvent = 118;
constexpr uint8_t kTagTemperature = 125;
constexpr uint8_t kBoard = 127;
constexpr uint8_t kModeAlarm = 3;

void Send(TVirtualAdapter& vehicle, uint8_t from, uint8_t to, uint8_t command,
          std::initializer_list<uint8_t> data) {
  vehicle.SendFromModule(MakeMsg(from, to, false, false, std::vector<uint8_t>(data), command));
}

std::optional<uint8_t> Byte(const QStringList& words, int index) {
  if (words.size() <= index) return std::nullopt;
  bool ok = false;
  const int value = words[index].toInt(&ok, 0);
  if (!ok || value < 0 || value > 255) return std::nullopt;
  return static_cast<uint8_t>(value);
}

}  // namespace

QString ScenarioHelp() {
  return QStringLiteral(
      "arm | disarm | ignition on|off | start | stop | alarm CAUSE | input N on|off |\n"
      "temp BYTE | volt BYTE | can CODE | tagtemp BYTE");
}

QString RunScenarioLine(TVirtualAdapter& vehicle, const QString& line) {
  const QStringList words = line.simplified().toLower().split(u' ', Qt::SkipEmptyParts);
  if (words.isEmpty()) return {};
  const QString& verb = words.front();
  const std::optional<uint8_t> value = Byte(words, 1);
  const auto onOff = [&words](int index) -> std::optional<bool> {
    if (words.size() <= index) return std::nullopt;
    if (words[index] == u"on") return true;
    if (words[index] == u"off") return false;
    return std::nullopt;
  };
  if (verb == u"arm") {
    vehicle.Perform(TSimAction::Arm);
  } else if (verb == u"disarm") {
    vehicle.Perform(TSimAction::Disarm);
  } else if (verb == u"start") {
    vehicle.Perform(TSimAction::StartEngine);
  } else if (verb == u"stop") {
    vehicle.Perform(TSimAction::StopEngine);
  } else if (verb == u"ignition" && onOff(1)) {
    vehicle.Perform(*onOff(1) ? TSimAction::IgnitionOn : TSimAction::IgnitionOff);
  } else if (verb == u"alarm" && value) {
    Send(vehicle, kMainModule, kBroadcastAddr, kMode, {kModeAlarm, 0});
    Send(vehicle, kMainModule, kBroadcastAddr, kEvent, {*value});
  } else if (verb == u"input" && value && *value < 64 && onOff(2)) {
    Send(vehicle, kMainModule, kBroadcastAddr, kInputOutput,
         {static_cast<uint8_t>(*value | (*onOff(2) ? 0x80 : 0))});
  } else if (verb == u"temp" && value) {
    Send(vehicle, kMainModule, kBroadcastAddr, kBoard, {*value});
  } else if (verb == u"volt" && value) {
    Send(vehicle, kMainModule, kPcAddr, kVoltage, {*value, 0, 0x19});
  } else if (verb == u"can" && value) {
    Send(vehicle, kCanModule, kPcAddr, kCanCommandSent, {*value});
  } else if (verb == u"tagtemp" && value) {
    Send(vehicle, kTagTransceiver, kBroadcastAddr, kTagTemperature, {*value});
  } else {
    return QStringLiteral("unknown: %1 (%2)").arg(line.simplified(), ScenarioHelp());
  }
  return {};
}
