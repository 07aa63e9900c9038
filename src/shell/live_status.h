#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "link/lan_msg.h"

// What an image of the toolbar shows of a switch the user may have turned off: "DIS" while
// off, "?" until the module has said, else ON or OFF.
enum class TSwitchShown : uint8_t { Disabled, Unknown, On, Off };
enum class TImmobiliserShown : uint8_t { Unknown, On, Off };

// The live picture of the car as the toolbar images draw it.
struct TStatusPicture {
  QString Mode = QStringLiteral("?");
  bool ModeRed = false;
  QString Submode;
  QString PinText;
  int ModePicture = 1;
  TImmobiliserShown Immobiliser = TImmobiliserShown::Unknown;
  bool EngineRuns = false;
  TSwitchShown RepeatAuthorisation = TSwitchShown::Unknown;
  TSwitchShown AntiHijack = TSwitchShown::Unknown;
  // Blinking images show their ON in the window's colour every other half second.
  bool RepeatAuthorisationBlinks = false;
  bool AntiHijackBlinks = false;
  bool BlinkHidden = false;
  QString BoardTemperature = QStringLiteral("Не опр.");
  QString TransceiverTemperature = QStringLiteral("Не опр.");
  std::optional<double> Volts;
  QString FuelText;
  QString EngineTemperature = QStringLiteral("Не опред.");
  // Engine and road speed as the CAN inputs page shows them.
  QString EngineSpeedText;
  QString RoadSpeedText;
};

// Turns the messages the modules broadcast into the live picture and the indicator lamps, on
// the window's thread. Windows it asks for (the alarm cause, the warning) are asked for by
// signals after the message has been handled, never from inside its handling.
class TLiveStatus : public QObject {
  Q_OBJECT

 public:
  explicit TLiveStatus(QObject* parent = nullptr);
  ~TLiveStatus() override;

  const TStatusPicture& Picture() const { return picture_; }
  bool LampOn(int lamp) const;
  bool LearningAllowed() const { return learningAllowed_; }
  bool IgnitionOn() const { return ignitionOn_; }
  bool IgnitionKnown() const { return ignitionKnown_; }

  void Handle(const TLanMsg& msg);
  // The main module was lost: the picture is unknown again and every lamp goes off.
  void MainModuleLost();
  // After a read: the security page's switches as the settings image holds them.
  void SetSwitches(bool antiHijack, bool repeatAuthorisation);

  // The board and transceiver temperature byte as shown: 0x81 unknown, bit 7 below zero.
  static QString TemperatureText(uint8_t byte);

 signals:
  void PictureChanged();
  void LampChanged(int lamp, bool on);
  void AlarmCause(const QString& text);
  void AlarmEnded();
  void PowerDownWarningDue();
  // The main module restarts its mode: read again shortly.
  void ReconnectDue();
  // Key fob and tag learning runs (only "Выключить" makes sense) or does not.
  void KeyLearningChanged(bool running);

 private:
  struct TLampTimer;

  void ResetPicture();
  void HandleStatus(const TLanMsg& msg);
  void HandleInputOutput(const TLanMsg& msg);
  void HandleState(const TLanMsg& msg);
  void HandleEvent(const TLanMsg& msg);
  void HandleToPc(const TLanMsg& msg);
  // The CAN bus's engine and road speed; `revsPresent` when the engine turns.
  void SetCanSpeeds(const QString& engine, const QString& road, bool revsPresent);
  void HandleCanCommand(uint8_t code);
  void HandleIgnition(uint8_t data);
  void ShowEngineDrive();
  void HandleTagResponse();
  void SetLamp(int lamp, bool on);
  void LightFor(int lamp);
  void SetLampNamed(const char* name, bool on);
  void SetBlink(bool& blinks, bool on);

  TStatusPicture picture_;
  std::vector<bool> lamps_;
  std::vector<std::unique_ptr<QTimer>> offTimers_;
  QTimer blinkTimer_;
  QTimer tagBlink_;
  bool tagReady_ = true;
  bool learningAllowed_ = true;
  bool antiHijackEnabled_ = false;
  bool antiHijackDrawn_ = false;
  bool repeatEnabled_ = false;
  bool repeatDrawn_ = false;
  bool ignitionOn_ = false;
  bool ignitionKnown_ = false;
  bool chargeLampOn_ = false;
  bool engineRevsPresent_ = false;
};
