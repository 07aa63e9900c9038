#include "pages/main/rstart_page.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "binding/ui/check_rules.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_look.h"
#include "binding/ui/vd_track_bar.h"
#include "link/bus_requests.h"
#include "link/lan_msg.h"
#include "pages/main/inputs_page.h"
#include "pages/main/main_board.h"
#include "pages/main/rstart_table.h"
#include "pages/main/start_relays.h"
#include "pages/main/tacho_graph.h"

namespace {

constexpr char kTachoSection[] = "Тахометр";
constexpr const char* kThresholds[] = {"tbMaxRPM", "tbStarter", "tbSensChange", "tbTTArm",
                                       "tbTTRun"};
// The tacho report: command 4 between the PC and the main module, data 1 to start, 0 to stop.
constexpr uint8_t kTachoReport = 4;
// What the sliders start from when a signal is first taken from the CAN bus.
constexpr int kCanTachoStart = 850;
constexpr int kCanSpeedStart = 15;
constexpr int kCanSpeedTop = 50;
constexpr int kCanSpeedTicks = 5;
constexpr int kPeriodTop = 8192;
constexpr int kPeriodTicks = 410;

constexpr TCheckRule kCheckRules[] = {
    {"VDCheckBox13", false, "VDCheckBox20", false}, {"VDCheckBox20", true, "VDCheckBox13", true},
    {"VDCheckBox24", true, "VDCheckBox26", false},  {"VDCheckBox26", true, "VDCheckBox24", false},
    {"VDCheckBox43", false, "VDCheckBox55", false}, {"VDCheckBox55", true, "VDCheckBox43", true},
    {"VDCheckBox50", true, "VDCheckBox52", false},  {"VDCheckBox50", true, "VDCheckBox53", false},
    {"VDCheckBox52", true, "VDCheckBox50", false},  {"VDCheckBox52", false, "VDCheckBox53", false},
    {"VDCheckBox53", true, "VDCheckBox52", true},   {"VDCheckBox53", true, "VDCheckBox50", false},
    {"VDCheckBox57", true, "VDCheckBox59", false},  {"VDCheckBox59", true, "VDCheckBox57", false},
};
static_assert(CheckRules(kCheckRules) == -1);
// A click on 51 weighs 24 again.
constexpr TCheckRuleTrigger kRuleTriggers[] = {{"VDCheckBox51", "VDCheckBox24"}};

}  // namespace

TMainRStart::TMainRStart(IPageHost& host, TMainBoard& board, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      board_(board),
      controls_(BuildTablePage(*this, MainRStartTable(), host)),
      period_(controls_.Get<TVDTrackBar>("tbTaho")),
      speedometer_(controls_.Get<TVDTrackBar>("VDTrackBar6")) {
  new TCheckRules(controls_, kCheckRules, kRuleTriggers, this);
  controls_.Get<TVDCheckBox>("VDCheckBox16")
      .setToolTip(QStringLiteral(
          "В режиме \"Охрана\" с включенной поддержкой зажигания повторная команда \"Запуск "
          "двигателя\" от GSM перезагружает таймер ДЗ.\r\nПри Снятии с охраны время также будет "
          "перезагружено автоматически"));
  AddTachoControls();
  AttachLabels();
  AttachCanSources();
  controls_.Get<TVDData>("vddMainVersion").OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index == 0) VersionLoaded(byte);
  };
  VersionLoaded(0);
  connect(&board_, &TMainBoard::Changed, this, &TMainRStart::ShowSpeeds);
  host_.WatchMessages(*this, [this](const TLanMsg& msg) {
    if (graph_ && msg.Source == kMainModuleAddr && msg.Dest == kPcAddr &&
        msg.Command == kTachoReport && msg.Length >= 2) {
      graph_->AddReport(static_cast<uint16_t>(msg.Data[0] << 8 | msg.Data[1]));
    }
  });
}

void TMainRStart::AddTachoControls() {
  auto* part = new QWidget;
  auto* row = new QHBoxLayout(part);
  row->setContentsMargins(0, 4, 0, 0);
  tachoFromCan_ = new QCheckBox(QStringLiteral("Принимать сигнал от тахометра по CAN"));
  tachoFromCan_->setObjectName(QStringLiteral("cbTachoFromCan"));
  halfCoefficient_ = new QCheckBox(QStringLiteral("Половинный коэффициент оборотов"));
  halfCoefficient_->setObjectName(QStringLiteral("cbHalfCoefficient"));
  halfCoefficient_->setToolTip(QStringLiteral("Только для настройки отображения в Вардексе"));
  auto* diagnosis = new QPushButton(QStringLiteral("Диагностика"));
  diagnosis->setObjectName(QStringLiteral("btDiagnosis"));
  connect(diagnosis, &QPushButton::clicked, this, &TMainRStart::ShowGraph);
  row->addWidget(tachoFromCan_);
  row->addWidget(halfCoefficient_);
  row->addStretch();
  row->addWidget(diagnosis);
  AddToSection(*this, QString::fromUtf8(kTachoSection), part);
  connect(halfCoefficient_, &QCheckBox::toggled, this, &TMainRStart::ShowSpeeds);
}

TTachoScale TMainRStart::Scale() const {
  return {.Coefficient = halfCoefficient_->isChecked() ? TTachoScale::kHalfCoefficient
                                                       : TTachoScale::kCoefficient,
          .DoubleImpulse = controls_.Get<TVDCheckBox>("cbDoubleImpulse").isChecked(),
          .FromCan = tachoFromCan_->isChecked()};
}

void TMainRStart::AttachLabels() {
  period_.OnChange = [this](QObject&) { ShowSpeeds(); };
  connect(&controls_.Get<TVDCheckBox>("cbDoubleImpulse"), &QCheckBox::toggled, this,
          &TMainRStart::ShowSpeeds);
}

void TMainRStart::ShowTachoSource() {
  const TBoardModel& model = board_.Model();
  const TTaskIn* tacho = model.TaskIn(kTachoTask);
  const bool fromCan = tacho != nullptr && tacho->FromCan && !model.IsOnStartModule(kTachoTask);
  if (tachoFromCan_->isChecked() == fromCan) return;
  tachoFromCan_->setChecked(fromCan);
  SetBoldLook(*tachoFromCan_, fromCan);
  ShowSpeeds();
}

// Taking a signal from the CAN bus gives its slider a speed instead of a period.
void TMainRStart::AttachCanSources() {
  // The inputs page keeps where the tacho signal comes from; this box shows and changes it.
  connect(tachoFromCan_, &QCheckBox::clicked, this, [this](bool checked) {
    TMainInputs* inputs = InputsPageOf(host_);
    if (checked && period_.Position() == 0) {
      period_.SetPosition(kCanTachoStart);
      if (inputs != nullptr) inputs->TakeTachoFrom(TTachoSource::Can);
    }
    if (checked && inputs != nullptr) inputs->ReleaseWire(kTachoTask);
    if (!checked) {
      period_.SetPosition(0);
      if (inputs != nullptr) inputs->TakeTachoFrom(TTachoSource::Wire);
    }
    SetBoldLook(*tachoFromCan_, checked);
    ShowSpeeds();
  });
  connect(&board_, &TMainBoard::Changed, this, &TMainRStart::ShowTachoSource);
  auto& canSpeed = controls_.Get<TVDCheckBox>("VDCheckBox21");
  connect(&canSpeed, &QCheckBox::clicked, this, [this](bool checked) {
    if (checked && speedometer_.Position() == 0) speedometer_.SetPosition(kCanSpeedStart);
    if (!checked) speedometer_.SetPosition(0);
    if (TMainInputs* inputs = InputsPageOf(host_); checked && inputs != nullptr) {
      inputs->ReleaseWire(kSpeedTask);
    }
  });
  connect(&canSpeed, &QCheckBox::toggled, this, [this](bool fromCan) {
    speedometer_.setMaximum(fromCan ? kCanSpeedTop : kPeriodTop);
    speedometer_.setTickInterval(fromCan ? kCanSpeedTicks : kPeriodTicks);
    speedometer_.RefreshValueLabel();
  });
}

void TMainRStart::ShowSpeeds() {
  period_.RefreshValueLabel();
  for (const char* name : kThresholds) {
    auto& bar = controls_.Get<TVDTrackBar>(name);
    bar.RefreshValueLabel();
  }
  auto& voltage = controls_.Get<TVDTrackBar>("VDTrackBar5");
  voltage.RefreshValueLabel();
  if (graph_) graph_->SetScale(Scale());
}

// The CAN sources and the half coefficient belong to the firmware that knows them.
void TMainRStart::VersionLoaded(uint8_t major) {
  const bool known = major == 4 || major == 5 || host_.DemoMode();
  for (QWidget* box :
       {static_cast<QWidget*>(tachoFromCan_), static_cast<QWidget*>(halfCoefficient_)}) {
    box->setEnabled(known);
  }
  controls_.Get<TVDCheckBox>("VDCheckBox21").SetDisabled(drRule, !known);
  ShowSpeeds();
}

TMainGraph* TMainRStart::Graph() const {
  return graph_;
}

void TMainRStart::ShowGraph() {
  if (!graph_) {
    graph_ = new TMainGraph(
        [this](bool on) {
          if (!HasBus() || !host_.ModuleAvailable(kMainModuleAddr)) return;
          Requests().Send(MakeMsg(kPcAddr, kMainModuleAddr, false, false,
                                  std::vector<uint8_t>{static_cast<uint8_t>(on ? 1 : 0)},
                                  kTachoReport));
        },
        this);
  }
  graph_->SetScale(Scale());
  graph_->show();
  graph_->raise();
}
