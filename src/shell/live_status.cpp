#include "shell/live_status.h"

#include <algorithm>

#include "journal/vocabulary.h"
#include "memory/message_areas.h"
#include "shell/indicator_lamps.h"

namespace {

constexpr uint8_t kTagTransceiverAddr = 25;
constexpr uint8_t kCanModuleAddr = 24;

constexpr uint8_t kInputOutputCommand = 3;
constexpr uint8_t kModeCommand = 7;
constexpr uint8_t kStateCommand = 19;
constexpr uint8_t kFuelCommand = 52;
constexpr uint8_t kVoltageCommand = 53;
// Where the voltage report carries the CAN bus's engine and road speed.
constexpr int kSpeedsInVoltage = 7;
constexpr uint8_t kEventCommand = 118;
constexpr uint8_t kDiagnosisCommand = 120;
constexpr uint8_t kBoardCommand = 127;
constexpr uint8_t kCanSentCommand = 33;
constexpr uint8_t kTagTemperatureCommand = 125;
constexpr uint8_t kTagAnsweredCommand = 108;
constexpr uint8_t kLearningStepCommand = 113;

constexpr int kBlinkMs = 500;
constexpr int kTagLitMs = 300;
constexpr int kTagRestMs = 260;
// The voltage byte above which the battery lamp lights.
constexpr uint8_t kBatteryLampAbove = 0x50;

struct TModeRow {
  const char* Text;
  int Picture;
  bool LearningAllowed;
};
// By mode 0..9; empty texts draw nothing.
constexpr TModeRow kModes[] = {{"Снято с охраны", 3, true},
                               {"Диагностика", 1, false},
                               {"Охрана", 1, true},
                               {"Тревога", 2, false},
                               {"", 0, false},
                               {"Автосервис", 0, false},
                               {"Защита от захвата", 4, false},
                               {"Дистанц запуск", 5, false},
                               {"", 0, false},
                               {"Автомойка", 8, false}};
constexpr int kModeArmed = 2;
constexpr int kModeAntiHijack = 6;
constexpr int kModeRemoteStart = 7;
constexpr int kModeRestart = 8;

constexpr int kAlarmCauses[] = {10, 11, 12, 13, 14, 15, 16, 17, 18,  19,  20,
                                21, 22, 24, 25, 26, 27, 28, 29, 142, 148, 161};

bool Bit(uint8_t byte, int bit) {
  return (byte >> bit & 1) != 0;
}

}  // namespace

TLiveStatus::TLiveStatus(QObject* parent)
    : QObject(parent), lamps_(IndicatorLamps().size(), false) {
  for (const TLampRow& row : IndicatorLamps()) {
    std::unique_ptr<QTimer> timer;
    if (row.OffTimerMs > 0) {
      timer = std::make_unique<QTimer>();
      timer->setSingleShot(true);
      timer->setInterval(row.OffTimerMs);
      const int lamp = static_cast<int>(offTimers_.size());
      connect(timer.get(), &QTimer::timeout, this, [this, lamp] { SetLamp(lamp, false); });
    }
    offTimers_.push_back(std::move(timer));
  }
  blinkTimer_.setInterval(kBlinkMs);
  connect(&blinkTimer_, &QTimer::timeout, this, [this] {
    picture_.BlinkHidden = !picture_.BlinkHidden;
    emit PictureChanged();
  });
  tagBlink_.setSingleShot(true);
  connect(&tagBlink_, &QTimer::timeout, this, [this] {
    const int lamp = LampNamed("lmpTagFound");
    if (LampOn(lamp)) {
      SetLamp(lamp, false);
      tagBlink_.start(kTagRestMs);
    } else {
      tagReady_ = true;
    }
  });
}

TLiveStatus::~TLiveStatus() = default;

bool TLiveStatus::LampOn(int lamp) const {
  return lamp >= 0 && lamp < static_cast<int>(lamps_.size()) && lamps_[static_cast<size_t>(lamp)];
}

QString TLiveStatus::TemperatureText(uint8_t byte) {
  if (byte == 0x81) return QStringLiteral("Не опр.");
  if (Bit(byte, 7)) return QStringLiteral("-%1").arg(static_cast<uint8_t>(~byte));
  return QString::number(byte);
}

void TLiveStatus::ResetPicture() {
  const QString board = picture_.BoardTemperature;
  const QString transceiver = picture_.TransceiverTemperature;
  const QString fuel = picture_.FuelText;
  const QString engine = picture_.EngineTemperature;
  const std::optional<double> volts = picture_.Volts;
  picture_ = {};
  picture_.BoardTemperature = board;
  picture_.TransceiverTemperature = transceiver;
  picture_.FuelText = fuel;
  picture_.EngineTemperature = engine;
  picture_.Volts = volts;
  antiHijackEnabled_ = antiHijackDrawn_ = repeatEnabled_ = repeatDrawn_ = false;
  ignitionOn_ = ignitionKnown_ = chargeLampOn_ = engineRevsPresent_ = false;
  blinkTimer_.stop();
}

void TLiveStatus::MainModuleLost() {
  ResetPicture();
  for (int lamp = 0; lamp < static_cast<int>(lamps_.size()); ++lamp) SetLamp(lamp, false);
  emit AlarmEnded();
  emit PictureChanged();
}

void TLiveStatus::SetSwitches(bool antiHijack, bool repeatAuthorisation) {
  const auto apply = [](bool on, bool& enabled, bool& drawn, TSwitchShown& shown) {
    enabled = on;
    if (on && !drawn) shown = TSwitchShown::Unknown;
    if (!on) {
      drawn = false;
      shown = TSwitchShown::Disabled;
    }
  };
  apply(antiHijack, antiHijackEnabled_, antiHijackDrawn_, picture_.AntiHijack);
  apply(repeatAuthorisation, repeatEnabled_, repeatDrawn_, picture_.RepeatAuthorisation);
  emit PictureChanged();
}

void TLiveStatus::Handle(const TLanMsg& msg) {
  const bool broadcast = msg.Dest == kBroadcastAddr;
  if (msg.Source == kMainModuleAddr) {
    if (broadcast && msg.Command == kModeCommand && msg.Length >= 2) {
      HandleStatus(msg);
      return;
    }
    if (broadcast && msg.Command == kInputOutputCommand && msg.Length >= 1) HandleInputOutput(msg);
    if (broadcast && msg.Command == kStateCommand && msg.Length >= 1) HandleState(msg);
    if (broadcast && (msg.Command == kEventCommand || msg.Command == kDiagnosisCommand) &&
        msg.Length >= 1) {
      HandleEvent(msg);
    }
    if (msg.Dest == kPcAddr && (msg.Command == kFuelCommand || msg.Command == kVoltageCommand)) {
      HandleToPc(msg);
      if (msg.Command == kFuelCommand) return;
    }
    if (msg.Command == kInputOutputCommand && msg.Length >= 1) HandleIgnition(msg.Data[0]);
    if (msg.Command == kBoardCommand && msg.Length >= 1) {
      picture_.BoardTemperature = TemperatureText(msg.Data[0]);
      emit PictureChanged();
    }
  }
  if (msg.Dest == kTagTransceiverAddr && msg.Command == 0 && msg.Length >= 1 && msg.Data[0] <= 1) {
    SetLampNamed("lmpTagRequest", msg.Data[0] == 1);
  }
  if (msg.Source == kCanModuleAddr && msg.Command == kCanSentCommand && msg.Length >= 1) {
    HandleCanCommand(msg.Data[0]);
  }
  if (msg.Source == kTagTransceiverAddr && broadcast && msg.Command == kTagTemperatureCommand &&
      msg.Length >= 1) {
    picture_.TransceiverTemperature = TemperatureText(msg.Data[0]);
    emit PictureChanged();
  }
  if (msg.Command == kTagAnsweredCommand ||
      (msg.Command == kLearningStepCommand && msg.Length >= 5 && (msg.Data[4] & 0x0F) == 0)) {
    HandleTagResponse();
  }
  if (msg.Command == 0 && msg.Length == 2 && msg.Source == kMainModuleAddr && msg.Dest == kPcAddr) {
    picture_.BoardTemperature = TemperatureText(0x81);
    emit PictureChanged();
  }
  if (msg.Command == kEventCommand && broadcast && msg.Length >= 1 && Bit(msg.Data[0], 7) &&
      msg.Source == kTagTransceiverAddr) {
    picture_.TransceiverTemperature = TemperatureText(0x81);
    emit PictureChanged();
  }
}

void TLiveStatus::HandleStatus(const TLanMsg& msg) {
  const int mode = msg.Data[0] & 0x0F;
  const uint8_t sub = msg.Data[1];
  if (mode == kModeRestart) {
    emit ReconnectDue();
    return;
  }
  if (mode < static_cast<int>(std::size(kModes)) && kModes[mode].Text[0] != '\0') {
    const TModeRow& row = kModes[mode];
    picture_.Mode = QString::fromUtf8(row.Text);
    picture_.ModeRed = mode == kModeAntiHijack && Bit(sub, 2);
    picture_.ModePicture = row.Picture;
    learningAllowed_ = row.LearningAllowed;
    picture_.Submode.clear();
    if (mode == kModeArmed && Bit(sub, 1)) {
      picture_.ModePicture = 9;
      learningAllowed_ = false;
    }
    if (mode == kModeAntiHijack && Bit(sub, 2)) {
      picture_.Submode = QStringLiteral("Принудительный AHJ");
    }
    if (mode <= kModeArmed) emit AlarmEnded();
  }
  switch (sub & 0xC0) {
    case 0x40:
      picture_.Submode = QStringLiteral("Снято с охраны");
      break;
    case 0x80:
      picture_.Submode = QStringLiteral("Снято полностью");
      break;
    case 0x00:
      if (mode == kModeRemoteStart) {
        picture_.Submode = Bit(sub, 1) ? QStringLiteral("Пляж") : QStringLiteral("Охрана");
      }
      break;
    default:
      break;
  }
  if (Bit(sub, 1)) picture_.Submode = QStringLiteral("Пляж");
  picture_.PinText = Bit(sub, 3) ? QStringLiteral("Ввод ПИН-кода заблокирован") : QString();
  picture_.Immobiliser = Bit(msg.Data[0], 6) ? TImmobiliserShown::On : TImmobiliserShown::Off;
  if (repeatEnabled_) {
    picture_.RepeatAuthorisation = Bit(sub, 0) ? TSwitchShown::Off : TSwitchShown::On;
    repeatDrawn_ = true;
  } else {
    picture_.RepeatAuthorisation = TSwitchShown::Disabled;
  }
  if (antiHijackEnabled_) {
    picture_.AntiHijack = Bit(msg.Data[0], 7) ? TSwitchShown::Off : TSwitchShown::On;
    antiHijackDrawn_ = true;
  } else {
    picture_.AntiHijack = TSwitchShown::Disabled;
  }
  bool powerDown = false;
  if (mode == kModeAntiHijack) {
    SetBlink(picture_.RepeatAuthorisationBlinks, false);
    SetBlink(picture_.AntiHijackBlinks, false);
  } else {
    SetBlink(picture_.RepeatAuthorisationBlinks, (sub & 5) == 4);
    SetBlink(picture_.AntiHijackBlinks, (sub & 5) == 5);
    if ((sub & 5) == 4 || (sub & 5) == 5) picture_.Submode = QStringLiteral("Опознание начато");
    powerDown = Bit(sub, 2);
  }
  emit KeyLearningChanged(learningAllowed_ && (msg.Data[0] & 0x1F) == 4);
  emit PictureChanged();
  if (powerDown) emit PowerDownWarningDue();
}

void TLiveStatus::SetBlink(bool& blinks, bool on) {
  blinks = on;
  if (picture_.RepeatAuthorisationBlinks || picture_.AntiHijackBlinks) {
    if (!blinkTimer_.isActive()) blinkTimer_.start();
  } else {
    blinkTimer_.stop();
    picture_.BlinkHidden = false;
  }
}

void TLiveStatus::HandleInputOutput(const TLanMsg& msg) {
  const uint8_t d0 = msg.Data[0];
  const int index = d0 & 0x3F;
  const TLampGroup group = Bit(d0, 6) ? TLampGroup::Output : TLampGroup::Input;
  SetLamp(LampOf(group, index), Bit(d0, 7));
}

void TLiveStatus::HandleState(const TLanMsg& msg) {
  const int index = msg.Data[0] & 0x7F;
  const bool on = Bit(msg.Data[0], 7);
  constexpr int kStarterState = 41;
  constexpr int kLockState = 50;
  SetLamp(LampOf(TLampGroup::State, index), on);
  if (index == kStarterState && !on) SetLamp(LampOf(TLampGroup::Input, kStarterState), false);
  if (index == kLockState) SetLampNamed("lmpLocked", !on);
}

void TLiveStatus::HandleEvent(const TLanMsg& msg) {
  const int event = msg.Data[0];
  if (msg.Command == kEventCommand) {
    switch (event) {
      case 58:
        LightFor(LampNamed("lmpLearnSpeed"));
        break;
      case 59:
        LightFor(LampNamed("lmpLearnTacho"));
        break;
      case 125:
      case 127:
        SetLampNamed("lmpHeater", false);
        break;
      case 126:
        SetLampNamed("lmpHeater", true);
        break;
      case 132:
      case 133:
        LightFor(LampNamed("ToolButton76"));
        break;
      case 134:
      case 135:
        SetLampNamed("ToolButton91", event == 135);
        break;
      case 136:
      case 137:
        SetLampNamed("lmpKeyBypass", event == 136);
        break;
      case 144:
      case 145:
        SetLampNamed("lmpTagPollBlocked", event == 144);
        break;
      case 150:
      case 151:
        SetLampNamed("lmpPowerSaving", event == 150);
        break;
      case 159:
      case 160:
        SetLampNamed("lmpCarRadio", event == 159);
        break;
      default:
        break;
    }
    if (std::find(std::begin(kAlarmCauses), std::end(kAlarmCauses), event) !=
        std::end(kAlarmCauses)) {
      emit AlarmCause(VocabularyText(EventCauseCodes, event));
    }
  }
  if (event == 30) LightFor(LampNamed("lmpLearnSpeed"));
  if (event == 32) LightFor(LampNamed("lmpLearnTacho"));
}

void TLiveStatus::HandleToPc(const TLanMsg& msg) {
  if (msg.Command == kFuelCommand && msg.Length >= 9) {
    const int unit = msg.Data[8] & 3;
    if (unit == 0) {
      picture_.FuelText =
          msg.Data[6] > 100 ? QStringLiteral("? %") : QStringLiteral("%1 %").arg(msg.Data[6]);
    } else if (unit == 1) {
      picture_.FuelText = QStringLiteral("%1 литр.").arg(msg.Data[6]);
    }
    const uint8_t engine = msg.Data[7];
    picture_.EngineTemperature = engine == 0 || engine == 255
                                     ? QStringLiteral("Не опред.")
                                     : QStringLiteral("%1 °C°").arg(engine - 50);
    emit PictureChanged();
  }
  if (msg.Command == kVoltageCommand && msg.Length >= 3) {
    picture_.BoardTemperature = TemperatureText(msg.Data[2]);
    picture_.Volts = msg.Data[0] * 20.0 / 1024.0 * 7.67;
    SetLampNamed("ToolButton88", msg.Data[0] > kBatteryLampAbove);
    emit PictureChanged();
  }
  // The long report carries the CAN bus's speeds: the tacho image follows it whichever page
  // asked for the report.
  if (msg.Command == kVoltageCommand && msg.Length >= kSpeedsInVoltage + 4) {
    const TCanSpeeds speeds =
        DecodeCanSpeeds(std::span<const uint8_t, 4>(msg.Data.data() + kSpeedsInVoltage, 4));
    SetCanSpeeds(speeds.Engine, speeds.Road, speeds.RevsPresent);
  }
}

void TLiveStatus::HandleIgnition(uint8_t data) {
  if (data == 3) ignitionOn_ = false;
  if (data == 131) ignitionOn_ = true;
  if ((data & 0x7F) == 3) ignitionKnown_ = true;
  if (data == 40) chargeLampOn_ = false;
  if (data == 168) chargeLampOn_ = true;
  ShowEngineDrive();
}

// The engine runs with the ignition on while the charge lamp is on or the CAN bus reports revs.
void TLiveStatus::ShowEngineDrive() {
  const bool runs = ignitionOn_ && (chargeLampOn_ || engineRevsPresent_);
  if (runs != picture_.EngineRuns) {
    picture_.EngineRuns = runs;
    emit PictureChanged();
  }
}

void TLiveStatus::SetCanSpeeds(const QString& engine, const QString& road, bool revsPresent) {
  engineRevsPresent_ = revsPresent;
  if (engine != picture_.EngineSpeedText || road != picture_.RoadSpeedText) {
    picture_.EngineSpeedText = engine;
    picture_.RoadSpeedText = road;
    emit PictureChanged();
  }
  ShowEngineDrive();
}

void TLiveStatus::HandleCanCommand(uint8_t code) {
  const auto light = [this](std::initializer_list<const char*> names) {
    for (const char* name : names) LightFor(LampNamed(name));
  };
  switch (code) {
    case 1:
    case 3:
    case 10:
    case 11:
    case 13:
      light({"ToolButton41"});
      break;
    case 2:
    case 4:
    case 12:
      light({"ToolButton42", "ToolButton45"});
      break;
    case 5:
      light({"ToolButton43"});
      break;
    case 6:
    case 19:
      light({"ToolButton40"});
      break;
    case 7:
      light({"ToolButton44"});
      break;
    case 9:
    case 14:
      light({"ToolButton42", "ToolButton67"});
      break;
    case 18:
      light({"ToolButton67"});
      break;
    default:
      break;
  }
}

void TLiveStatus::HandleTagResponse() {
  if (!tagReady_) return;
  tagReady_ = false;
  SetLampNamed("lmpTagFound", true);
  tagBlink_.start(kTagLitMs);
}

void TLiveStatus::SetLamp(int lamp, bool on) {
  if (lamp < 0 || lamp >= static_cast<int>(lamps_.size())) return;
  if (lamps_[static_cast<size_t>(lamp)] == on) return;
  lamps_[static_cast<size_t>(lamp)] = on;
  emit LampChanged(lamp, on);
}

// Lamps with an off-timer: lit, they go off by themselves; a timer already running keeps its
// time, so that a burst of messages gives one steady light.
void TLiveStatus::LightFor(int lamp) {
  if (lamp < 0) return;
  SetLamp(lamp, true);
  QTimer* timer = offTimers_[static_cast<size_t>(lamp)].get();
  if (timer != nullptr && !timer->isActive()) timer->start();
}

void TLiveStatus::SetLampNamed(const char* name, bool on) {
  SetLamp(LampNamed(name), on);
}
