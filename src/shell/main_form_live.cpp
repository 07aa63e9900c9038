// The main window's live side: what the modules broadcast becomes the status images, the
// indicator's lamps and, after the message has been handled, the windows the status asks for.

#include <QLabel>

#include "shell/alarm_cause_form.h"
#include "shell/indicator_form.h"
#include "shell/live_status.h"
#include "shell/main_form.h"
#include "shell/page_area.h"
#include "shell/warning_form.h"

void TMainForm::CreateLiveStatus() {
  connect(liveStatus_, &TLiveStatus::PictureChanged, this, &TMainForm::ShowCanReadings);
  connect(this, &TMainForm::MainModuleLost, liveStatus_, &TLiveStatus::MainModuleLost);
  // Queued: a window must not open inside the handling of a message.
  connect(liveStatus_, &TLiveStatus::AlarmCause, this, &TMainForm::ShowAlarmCause,
          Qt::QueuedConnection);
  connect(
      liveStatus_, &TLiveStatus::AlarmEnded, this,
      [this] {
        if (alarmCause_) alarmCause_->close();
      },
      Qt::QueuedConnection);
  connect(
      liveStatus_, &TLiveStatus::PowerDownWarningDue, this, [this] { CheckWarnings(false); },
      Qt::QueuedConnection);
  connect(liveStatus_, &TLiveStatus::KeyLearningChanged, this, [this](bool running) {
    Action(QStringLiteral("aLabelAndTxStartLearn"))->setEnabled(!running);
    Action(QStringLiteral("aLabelAndTxEndLearn"))->setEnabled(running);
  });
  Action(QStringLiteral("aLabelAndTxEndLearn"))->setEnabled(false);
  connect(liveStatus_, &TLiveStatus::ReconnectDue, data_, &TDataCommands::Reconnect,
          Qt::QueuedConnection);
  connect(data_, &TDataCommands::SettingsRead, this,
          [this](bool antiHijack, bool repeatAuthorisation, bool selfArmByTag) {
            liveStatus_->SetSwitches(antiHijack, repeatAuthorisation);
            if (selfArmByTag) CheckWarnings(true);
          });
}

// The CAN inputs page, once made, shows the fuel level and the engine temperature that the
// live status read from the bus.
void TMainForm::ShowCanReadings() {
  auto* page = pageArea_->findChild<QWidget*>(QStringLiteral("CanIn"), Qt::FindDirectChildrenOnly);
  if (page == nullptr) return;
  const TStatusPicture& picture = liveStatus_->Picture();
  if (auto* fuel = page->findChild<QLabel*>(QStringLiteral("Label2"));
      fuel != nullptr && !picture.FuelText.isEmpty()) {
    fuel->setText(picture.FuelText);
  }
  if (auto* engine = page->findChild<QLabel*>(QStringLiteral("Label4"));
      engine != nullptr && picture.EngineTemperature != TStatusPicture{}.EngineTemperature) {
    engine->setText(picture.EngineTemperature);
  }
}

void TMainForm::WatchMessages(QObject& watcher, std::function<void(const TLanMsg&)> onMessage) {
  std::erase_if(watchers_, [](const auto& entry) { return entry.first.isNull(); });
  watchers_.emplace_back(&watcher, std::move(onMessage));
}

TAlarmCauseForm* TMainForm::AlarmCauseForm() const {
  return alarmCause_;
}

void TMainForm::ShowAlarmCause(const QString& cause) {
  if (!alarmCause_) {
    alarmCause_ = new TAlarmCauseForm(this);
    alarmCause_->setPalette(palette());
  }
  alarmCause_->SetCause(cause);
  alarmCause_->show();
}

// Each warning once per run, unless the user has switched it off.
void TMainForm::CheckWarnings(bool autoArm) {
  bool& shown = autoArm ? autoArmWarned_ : powerDownWarned_;
  bool& off = autoArm ? options_.AutoArmWarning : options_.PowerDownWarning;
  if (shown || off) return;
  shown = true;
  off = autoArm ? dialogs_->Warn(TWarningForm::AutoArmText(), TWarningForm::AutoArmNote())
                : dialogs_->Warn(TWarningForm::PowerDownText(), {});
}
