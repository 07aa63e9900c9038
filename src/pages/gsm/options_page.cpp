#include "pages/gsm/options_page.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "binding/ui/check_rules.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_bound_label.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_track_bar.h"
#include "pages/gsm/data_choice.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/gsm_codings.h"
#include "pages/gsm/options_table.h"
#include "pages/gsm/time_cells.h"

namespace {

constexpr TCheckRule kRules[] = {
    {.Box = "VDCheckBox11", .When = true, .Target = "VDCheckBox1", .Then = true},
    {.Box = "VDCheckBox1", .When = false, .Target = "VDCheckBox11", .Then = false},
};
static_assert(CheckRules(kRules) == -1);

constexpr TDataChoice::TItem kForwarding[] = {{"Не пересылать", 0},
                                              {"Пересылать от незнакомых номеров", 1},
                                              {"Пересылать от всех номеров", 3}};
constexpr TDataChoice::TItem kBalanceReports[] = {
    {"Не присылать", 0}, {"Присылать еженедельно ", 1}, {"Присылать ежемесячно", 2}};

constexpr char kNetworkSection[] = "Работа в сети GSM";
constexpr char kFuelSection[] = "Учет топлива";
// The live status message of the main module that tells the fuel gauge's unit.
constexpr uint8_t kLiveStatus = 52;

}  // namespace

TGSMOptionsGSMPager::TGSMOptionsGSMPager(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent), controls_(BuildTablePage(*this, GsmOptionsTable(), host)) {
  new TCheckRules(controls_, kRules, {}, this);
  AttachLowVoltageNote();
  AttachFuelLevel(host);
  AddNetworkChoices();
  AddTagSearchTimes();
  AddTankVolume();
}

// Below 10.92 V the main module refuses to start the engine at all: the note says so while
// the threshold is set that low.
void TGSMOptionsGSMPager::AttachLowVoltageNote() {
  auto& bar = controls_.Get<TVDTrackBar>("tbAccuRStart");
  auto* note = new QLabel(
      QStringLiteral("При этом напряжении (10.91 и менее) запуск двигателя будет запрещен"));
  note->setObjectName(QStringLiteral("lbLowVoltageNote"));
  note->setWordWrap(true);
  AddToSection(*this, QStringLiteral("Реакция на низкое напряжение"), note);
  const auto show = [note, &bar] { note->setVisible(bar.Position() / 11.09 <= 10.92); };
  bar.OnChange = [show](QObject&) { show(); };
  show();
}

// A byte that makes no position (below 13 V or above the scale) stays as it is until the
// user moves the bar.
void TGSMOptionsGSMPager::AttachFuelLevel(IPageHost& host) {
  auto& bar = controls_.Get<TVDTrackBar>("VDTrackBar3");
  bar.SetValueFormat([this](int position) {
    if (!fuelLoaded_) return QStringLiteral("Не определено");
    return QString::number(position) +
           (fuelInLitres_ ? QStringLiteral(" л.") : QStringLiteral(" %"));
  });
  const auto coding = bar.OnLoad;
  bar.OnLoad = [this, coding](QObject& sender, int stored, int& position) {
    if (coding) coding(sender, stored, position);
    fuelLoaded_ = true;
  };
  bar.RefreshValueLabel();
  host.WatchMessages(*this, [this](const TLanMsg& msg) { TakeFuelUnit(msg); });
}

void TGSMOptionsGSMPager::TakeFuelUnit(const TLanMsg& msg) {
  if (msg.Dest != kPcAddr || msg.Command != kLiveStatus || msg.Length <= 8) return;
  auto& bar = controls_.Get<TVDTrackBar>("VDTrackBar3");
  switch (msg.Data[8] & 3) {
    case 0:
      fuelInLitres_ = false;
      bar.ExtLabel()->setText(QStringLiteral("Уровень топлива в %"));
      break;
    case 1:
      fuelInLitres_ = true;
      bar.ExtLabel()->setText(QStringLiteral("Уровень топлива в L"));
      break;
    default:
      break;
  }
}

void TGSMOptionsGSMPager::AddNetworkChoices() {
  auto* part = new QWidget;
  auto* row = new QHBoxLayout(part);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new TDataChoice(QStringLiteral("Пересылка входящих СМС"), kForwarding,
                                 controls_.Get<TVDData>("vddPort")));
  row->addWidget(new TDataChoice(QStringLiteral("СМС о балансе"), kBalanceReports,
                                 controls_.Get<TVDData>("VDData1")));
  AddToSection(*this, QString::fromUtf8(kNetworkSection), part);
}

void TGSMOptionsGSMPager::AddTagSearchTimes() {
  auto* off = new TTimeCells(controls_.Get<TVDData>("vddOffTime"), QTime(1, 0));
  off->setObjectName(QStringLiteral("dtpOffTime"));
  auto* on = new TTimeCells(controls_.Get<TVDData>("vddOnTime"), QTime(6, 0));
  on->setObjectName(QStringLiteral("dtpOnTime"));
  auto* part = new QWidget;
  auto* form = NewPartForm(part);
  form->addRow(QStringLiteral("Время выключения"), off);
  form->addRow(QStringLiteral("Время включения"), on);
  AddToSection(*this, QStringLiteral("Автоматическое управление поиском метки в охране"), part);
}

// The tank volume is one byte: a key that would make a number beyond it is refused where it
// is typed, with a note, instead of the number being stored cut to its low byte.
void TGSMOptionsGSMPager::AddTankVolume() {
  auto& cell = controls_.Get<TVDData>("vddMaxFuel");
  tank_ = new QLineEdit(QStringLiteral("0"));
  tank_->setObjectName(QStringLiteral("eMaxFuel"));
  tank_->setMaxLength(8);
  tank_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("25[0-5]|2[0-4][0-9]|1[0-9]{2}|[1-9]?[0-9]")), tank_));
  tankWarning_ = new QLabel(QStringLiteral("Не более 255 л"));
  tankWarning_->setObjectName(QStringLiteral("lbTankWarning"));
  tankWarning_->setStyleSheet(QStringLiteral("color: red"));
  tankWarning_->hide();
  cell.SetControl(tank_);
  cell.OnLoad = [this](QObject&, uint8_t byte, int) {
    tankVolume_ = byte;
    tank_->setText(QString::number(byte));
    tankWarning_->hide();
  };
  cell.OnStore = [this](QObject&, uint8_t& byte, int) { byte = tankVolume_; };
  cell.OnSetDefaultState = [this](QObject&, uint8_t& byte, int) {
    tankVolume_ = 0;
    tank_->setText(QStringLiteral("0"));
    tankWarning_->hide();
    byte = 0;
  };
  cell.OnAsString = [this](const QObject&, QString& text) { text = QString::number(tankVolume_); };
  connect(tank_, &QLineEdit::textEdited, this, &TGSMOptionsGSMPager::TankVolumeEdited);
  connect(tank_, &QLineEdit::inputRejected, tankWarning_, &QLabel::show);

  auto* part = new QWidget;
  auto* form = NewPartForm(part);
  form->addRow(QStringLiteral("Объём бака (л)"), tank_);
  form->addRow(tankWarning_);
  auto* note = new QLabel(QStringLiteral(
      "Если объём ненулевой и уровень топлива в процентах, то в телематическом приложении "
      "отображение будет в литрах"));
  note->setWordWrap(true);
  form->addRow(note);
  AddToSection(*this, QString::fromUtf8(kFuelSection), part);
}

void TGSMOptionsGSMPager::TankVolumeEdited() {
  const auto volume = TankVolumeOf(tank_->text());
  tankWarning_->setHidden(volume.has_value());
  if (!volume) return;
  tankVolume_ = *volume;
  controls_.Get<TVDData>("vddMaxFuel").StoreEdited();
}
