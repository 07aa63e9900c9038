#include "pages/extension/sensor_pages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "binding/ui/byte_table.h"
#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_label.h"
#include "pages/extension/held_lamp.h"
#include "pages/extension/sensor_tables.h"

namespace {

QLabel* Note(const char* text) {
  auto* note = new QLabel(QString::fromUtf8(text));
  note->setWordWrap(true);
  return note;
}

// The shock sensor settings that firmware before 3.6 does not know.
constexpr const char* kNewerShockSettings[] = {"vdcbTurnOff", "vdcbNoSound", "vdcbNoAdapt",
                                               "VDCheckBox18"};
constexpr TModuleVersion kShockSettingsSince{3, 6};

constexpr int kChannels = 128;
constexpr uint8_t kAccess = 0;
constexpr uint8_t kAccessRefusedBit = 0x10;
constexpr uint8_t kReadInternal = kMemoryCommands[mlInt]->Read;
constexpr uint8_t kWriteInternal = kMemoryCommands[mlInt]->Write;
// Bit 0 of this byte of the transceiver's settings switches its radio off.
constexpr uint8_t kPowerByte = 15;
constexpr int kAfterWriteMs = 100;

}  // namespace

TTiltOptions::TTiltOptions(IPageHost& host, QWidget* parent)
    : TVDFrame(kTiltAddr, parent), controls_(BuildTablePage(*this, TiltOptionsTable(), host)) {
  AddNotes();
  AttachLamps();
}

void TTiltOptions::AddNotes() {
  AddToSection(*this, QStringLiteral("Наклон"),
               Note("Изменение любых настроек и режима работы отключает датчики на 40 секунд"));
  AddToSection(*this, QStringLiteral("Движение"),
               Note("Настройки не влияют на алгоритм запирания дверей по акселерометру"));
}

void TTiltOptions::AttachLamps() {
  for (const char* name : {"LTiltX", "LTiltY", "LMovement", "LMovementX"}) {
    auto& label = controls_.Get<TVDLabel>(name);
    auto* lamp = new THeldLamp([&label](bool lit) { label.SetActive(lit); },
                               std::chrono::milliseconds(4000), &label);
    label.OnLoad = [&label, lamp](QObject&, uint8_t byte, int) {
      lamp->Take(((byte >> label.GetStartBit()) & 1) != 0);
    };
  }
}

TShockOptions::TShockOptions(IPageHost& host, QWidget* parent)
    : TVDFrame(kShockAddr, parent), controls_(BuildTablePage(*this, ShockOptionsTable(), host)) {
  auto& version = controls_.Get<TVDData>("vddShockV");
  version.OnLoad = [this](QObject&, uint8_t byte, int index) { TakeVersionByte(byte, index); };
  ApplyVersions();
}

void TShockOptions::PageShown() {
  TVDFrame::PageShown();
  first_.reset();
  second_.reset();
  versionBytes_ = {};
  ApplyVersions();
}

void TShockOptions::TakeVersionByte(uint8_t byte, int index) {
  versionBytes_.at(static_cast<std::size_t>(index)) = byte;
  if (index != 1) return;
  const TModuleVersion seen{versionBytes_[0], versionBytes_[1]};
  if (!seen.Known()) return;
  if (!first_) {
    first_ = seen;
  } else if (*first_ != seen) {
    second_ = seen;
  }
  ApplyVersions();
}

// Versions are compared as numbers, major first: 4.0 and 3.10 know what 3.6 knows.
void TShockOptions::ApplyVersions() {
  const auto knows = [](const std::optional<TModuleVersion>& version) {
    return version && *version >= kShockSettingsSince;
  };
  const bool enabled = knows(first_) || knows(second_);
  for (const char* name : kNewerShockSettings) {
    controls_.Get<TVDCheckBox>(name).SetDisabled(drRule, !enabled);
  }
}

namespace {

QString VersionText(const std::optional<TModuleVersion>& version) {
  return version ? QStringLiteral("%1.%2").arg(version->Major).arg(version->Minor)
                 : QStringLiteral("?");
}

}  // namespace

QString TShockOptions::FirstVersion() const {
  return VersionText(first_);
}
QString TShockOptions::SecondVersion() const {
  return VersionText(second_);
}

TTransceiverPage::TTransceiverPage(IPageHost& host, QWidget* parent)
    : TVDFrame(kTransceiverAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, TransceiverTable(), host)) {
  AddToSection(*this, QStringLiteral("Свойства"),
               Note("Изменение любых настроек в Трансивере отключает датчики на 20 секунд"));
  auto& version = controls_.Get<TVDData>("vddTransV");
  version.OnLoad = [this](QObject&, uint8_t byte, int index) {
    // An odd second version byte: a transceiver without the tilt sensor.
    if (index == 1) controls_.Get<TVDCheckBox>("VDCheckBox1").setVisible((byte & 1) == 0);
  };
  AddChannelList();
  AddPowerButtons();
}

void TTransceiverPage::AddChannelList() {
  channels_ = new QComboBox;
  channels_->setObjectName(QStringLiteral("cbChannel"));
  channels_->addItem(QStringLiteral("---------"));
  for (int channel = 1; channel <= kChannels; ++channel) {
    channels_->addItem(QStringLiteral("Канал %1").arg(channel));
  }
  auto& item = controls_.Get<TVDData>("vdTransFreq");
  item.SetControl(channels_);
  item.OnLoad = [this](QObject&, uint8_t byte, int) {
    channelByte_ = byte;
    ShowChannel();
  };
  item.OnStore = [this](QObject&, uint8_t& byte, int) { byte = channelByte_; };
  connect(channels_, &QComboBox::activated, this, &TTransceiverPage::ChooseChannel);
  auto* part = new QWidget;
  auto* column = new QVBoxLayout(part);
  column->setContentsMargins(0, 4, 0, 0);
  column->addWidget(new QLabel(QStringLiteral("Выбор радиоканала трансивера")));
  column->addWidget(channels_, 0, Qt::AlignLeft);
  column->addWidget(
      Note("После изменения радиоканала на новый необходимо заново обучить "
           "трансивер главному модулю и брелокам!"));
  AddToSection(*this, QStringLiteral("Настройка датчика температуры"), part);
}

// The channel is the byte's low seven bits, counted from 0; the list's first entry stands
// for no choice.
void TTransceiverPage::ShowChannel() {
  channels_->setCurrentIndex((channelByte_ & 0x7F) + 1);
}

void TTransceiverPage::ChooseChannel(int entry) {
  if (entry < 1) return;
  channelByte_ = static_cast<uint8_t>(entry - 1);
  controls_.Get<TVDData>("vdTransFreq").StoreEdited();
}

void TTransceiverPage::AddPowerButtons() {
  auto* part = new QWidget;
  auto* row = new QHBoxLayout(part);
  row->setContentsMargins(0, 4, 0, 0);
  auto* off = new QPushButton(QStringLiteral("Выкл. трансивер"));
  off->setObjectName(QStringLiteral("btTransceiverOff"));
  auto* on = new QPushButton(QStringLiteral("Вкл. трансивер"));
  on->setObjectName(QStringLiteral("btTransceiverOn"));
  connect(off, &QPushButton::clicked, this, [this, off] { SwitchOff(*off); });
  connect(on, &QPushButton::clicked, this, [this, on] { SetPower(*on, true); });
  row->addWidget(off);
  row->addWidget(on);
  row->addStretch();
  AddToSection(*this, QStringLiteral("Свойства"), part);
}

void TTransceiverPage::SwitchOff(QPushButton& button) {
  SendPageCommand(
      *this, host_, &button,
      {.Dest = kTransceiverAddr, .Command = kAccess, .Confirm = QStringLiteral("Вы уверены?")},
      [this, &button](const TAdapter::TAnswer& answer) {
        if (!answer.Answered) {
          host_.ShowStatusText(QStringLiteral("Трансивер не ответил"), false);
          return;
        }
        if (answer.Length > 0 && (answer.Data[0] & kAccessRefusedBit) != 0) {
          host_.ShowStatusText(QStringLiteral("Доступ запрещён"), false);
          return;
        }
        SetPower(button, false);
      });
}

// Reads the byte first so that its other bits stay as the transceiver holds them. Without an
// answer there is nothing to write back: a guessed byte would change the other settings.
void TTransceiverPage::SetPower(QPushButton& button, bool on) {
  SendPageCommand(*this, host_, &button,
                  {.Dest = kTransceiverAddr, .Command = kReadInternal, .Data = {1, kPowerByte, 0}},
                  [this, &button, on](const TAdapter::TAnswer& answer) {
                    if (!answer.Answered || answer.Length < 1) {
                      host_.ShowStatusText(
                          QStringLiteral("Трансивер не ответил: настройка не изменена"), false);
                      return;
                    }
                    WritePower(button, answer.Data[0], on);
                  });
}

void TTransceiverPage::WritePower(QPushButton& button, uint8_t stored, bool on) {
  const auto value = static_cast<uint8_t>(on ? (stored & ~1u) : (stored | 1u));
  SendPageCommand(
      *this, host_, &button,
      {.Dest = kTransceiverAddr, .Command = kWriteInternal, .Data = {kPowerByte, 0, value}},
      [this, &button, on](const TAdapter::TAnswer& answer) {
        if (!answer.Answered) {
          host_.ShowStatusText(QStringLiteral("Трансивер не подтвердил запись"), false);
          return;
        }
        // The transceiver restarts its radio; the next command waits for it.
        button.setEnabled(false);
        QTimer::singleShot(kAfterWriteMs, &button, [&button] { button.setEnabled(true); });
        host_.ShowStatusText(
            on ? QStringLiteral("Трансивер включён") : QStringLiteral("Трансивер выключен"), false);
      });
}
