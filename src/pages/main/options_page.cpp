#include "pages/main/options_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "binding/pin_coding.h"
#include "binding/ui/check_rules.h"
#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/pin_edit.h"
#include "binding/ui/pin_field.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_track_bar.h"
#include "link/lan_msg.h"
#include "pages/main/inputs_page.h"
#include "pages/main/options_table.h"

namespace {

// clang-format off
constexpr TCheckRule kCheckRules[] = {
    {.Box = "cbHoodUnlockImmoOff", .When = false, .Target = "cbHoodLockImmoOn", .Then = false},
    {.Box = "cbHoodUnlockImmoOff", .When = false, .Target = "VDCheckBox26", .Then = false},
    {.Box = "cbHoodUnlockImmoOff", .When = false, .Target = "VDCheckBox80", .Then = false},
    {.Box = "cbHoodLockImmoOn", .When = true, .Target = "cbHoodUnlockImmoOff", .Then = true},
    {.Box = "VDCheckBox26", .When = true, .Target = "cbHoodUnlockImmoOff", .Then = true},
    {.Box = "VDCheckBox80", .When = true, .Target = "cbHoodUnlockImmoOff", .Then = true},
    {.Box = "cbMovementDoorLock", .When = false, .Target = "VDCheckBox18", .Then = false},
    {.Box = "VDCheckBox18", .When = true, .Target = "cbMovementDoorLock", .Then = true},
    {.Box = "VDCheckBox32", .When = true, .Target = "VDCheckBox51", .Then = false},
    {.Box = "VDCheckBox51", .When = true, .Target = "VDCheckBox32", .Then = false},
    {.Box = "VDCheckBox35", .When = true, .Target = "VDCheckBox10", .Then = true},
    {.Box = "VDCheckBox35", .When = true, .Target = "VDLabelCheckInArm", .Then = true},
    {.Box = "VDCheckBox35", .When = false, .Target = "VDCheckBox78", .Then = false},
    {.Box = "VDCheckBox35", .When = false, .Target = "VDCheckBox94", .Then = false},
    {.Box = "VDCheckBox78", .When = true, .Target = "VDCheckBox35", .Then = true},
    {.Box = "VDCheckBox94", .When = true, .Target = "VDCheckBox35", .Then = true},
    {.Box = "VDCheckBox38", .When = false, .Target = "VDCheckBox71", .Then = false},
    {.Box = "VDCheckBox71", .When = true, .Target = "VDCheckBox38", .Then = true},
};
static_assert(CheckRules(kCheckRules) == -1);

constexpr TCheckRuleTrigger kRuleTriggers[] = {
    {.Clicked = "VDCheckBox33", .Box = "VDCheckBox26"},
    {.Clicked = "VDCheckBox95", .Box = "VDCheckBox80"},
    {.Clicked = "VDCheckBox79", .Box = "VDCheckBox78"},
    {.Clicked = "VDCheckBox81", .Box = "VDCheckBox78"},
    {.Clicked = "VDCheckBox13", .Box = "VDCheckBox78"},
};

// Buttons that send what the GSM module sends to block or unblock the search for the tag.
struct TImitationButton {
  const char* Name;
  const char* Caption;
  uint8_t Command;
};
constexpr TImitationButton kAutomaticBlocking[] = {
    {"btAutoBlock", "Заблокировать", 14}, {"btAutoUnblock", "Разблокировать", 13}};
constexpr TImitationButton kForcedBlocking[] = {
    {"btForcedBlock", "Заблокировать", 67}, {"btForcedUnblock", "Разблокировать", 101}};
// clang-format on

constexpr uint8_t kGsmAddr = 3;

constexpr char kPinSection[] = "Персональный ПИН-код Главного Модуля";
constexpr char kTagSection[] = "Взаимодействия с меткой";

QHBoxLayout* Row(QBoxLayout& column) {
  auto* row = new QHBoxLayout;
  column.addLayout(row);
  return row;
}

}  // namespace

TMainOptions::TMainOptions(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, MainOptionsTable(), host)),
      leftSide_(controls_.Get<TVDTrackBar>("vdd_L_Side")),
      rightSide_(controls_.Get<TVDTrackBar>("vdd_R_side")) {
  new TCheckRules(controls_, kCheckRules, kRuleTriggers, this);
  auto& canSpeed = controls_.Get<TVDCheckBox>("VDCheckBox58");
  connect(&canSpeed, &QAbstractButton::clicked, this, [this](bool checked) {
    if (TMainInputs* inputs = InputsPageOf(host_); checked && inputs != nullptr) {
      inputs->ReleaseWire(kSpeedTask);
    }
  });
  AttachOverloads();
  AddPinFields();
  AddImitationButtons();
}

void TMainOptions::AddPinFields() {
  auto* part = new QWidget;
  auto* column = new QVBoxLayout(part);
  column->setContentsMargins(0, 4, 0, 0);

  auto* pinEdit = new TPinEdit(u'1', u'9');
  pinEdit->setObjectName(QStringLiteral("edPin"));
  auto* factory = new QPushButton(QStringLiteral("Заводской ПИН"));
  factory->setObjectName(QStringLiteral("btFactoryPin"));
  auto* generate = new QPushButton(QStringLiteral("Сгенерировать ПИН"));
  generate->setObjectName(QStringLiteral("btGeneratePin"));
  QHBoxLayout* pinRow = Row(*column);
  pinRow->addWidget(new QLabel(QStringLiteral("ПИН:")));
  pinRow->addWidget(pinEdit);
  pinRow->addWidget(factory);
  pinRow->addWidget(generate);
  pinRow->addStretch();

  auto* protectionEdit = new TPinEdit(u'0', u'2');
  protectionEdit->setObjectName(QStringLiteral("edTempPin"));
  QHBoxLayout* protectionRow = Row(*column);
  protectionRow->addWidget(
      new QLabel(QStringLiteral("Защита временного ПИН кода (разрешено применить 0, 1, 2)")));
  protectionRow->addWidget(protectionEdit);
  protectionRow->addStretch();
  AddToSection(*this, QString::fromUtf8(kPinSection), part);

  auto* pin = new TPinField(controls_.Get<TVDData>("VDData1"), *pinEdit,
                            {QStringLiteral("ПИН"), PinPairText, QLatin1String(kFactoryPin)}, this);
  new TPinField(
      controls_.Get<TVDData>("VDData3"), *protectionEdit,
      {QStringLiteral("Защита временного ПИН кода"), ProtectionPairText, QStringLiteral("0000")},
      this);
  connect(factory, &QPushButton::clicked, pin, [pin] { pin->Enter(QLatin1String(kFactoryPin)); });
  connect(generate, &QPushButton::clicked, pin, [pin] { pin->Enter(GeneratePin()); });
}

void TMainOptions::AddImitationButtons() {
  auto* part = new QWidget;
  auto* column = new QVBoxLayout(part);
  column->setContentsMargins(0, 4, 0, 0);
  const auto addButtons = [this, column](std::span<const TImitationButton> buttons) {
    QHBoxLayout* row = Row(*column);
    for (const TImitationButton& button : buttons) {
      auto* push = new QPushButton(QString::fromUtf8(button.Caption));
      push->setObjectName(QLatin1String(button.Name));
      connect(push, &QPushButton::clicked, this,
              [this, push, command = button.Command] { SendImitation(*push, command); });
      row->addWidget(push);
    }
    row->addStretch();
  };
  column->addWidget(new QLabel(
      QStringLiteral("Имитация автоматической блокировки поиска метки в охране/тревоге")));
  addButtons(kAutomaticBlocking);
  column->addWidget(new QLabel(
      QStringLiteral("Имитация принудительной блокировки поиска метки в охране/тревоге")));
  auto* note = new QLabel(QStringLiteral(
      "(Команды игнорируются, если открыт багажник, заведён двигатель и/или метка найдена)"));
  note->setWordWrap(true);
  column->addWidget(note);
  addButtons(kForcedBlocking);
  AddToSection(*this, QString::fromUtf8(kTagSection), part);
}

void TMainOptions::AttachOverloads() {
  // The thresholds have no caption of their own: a label names the wire instead.
  const auto nameWire = [](TVDTrackBar& bar, const QString& wire) {
    auto* label = new QLabel(wire);
    label->setWordWrap(true);
    // The layout hands back the item that held the empty caption; the caption stays hidden.
    delete bar.ExtLabel()->parentWidget()->layout()->replaceWidget(bar.ExtLabel(), label);
    bar.ExtLabel()->hide();
  };
  nameWire(rightSide_, QStringLiteral("Порог перегрузки серого провода"));
  nameWire(leftSide_, QStringLiteral("Порог перегрузки серо-черного провода"));
  controls_.Get<TVDData>("vddMainVersion").OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index == 0) VersionLoaded(byte);
  };
  controls_.Get<TVDData>("VDData2").OnLoad = [this](QObject&, uint8_t byte, int) {
    BoardRevisionLoaded(byte);
  };
  controls_.Get<TVDData>("vdd_max_amperage_val").OnStore = [this](QObject&, uint8_t& sum, int) {
    sum = static_cast<uint8_t>(leftSide_.Position() + rightSide_.Position());
  };
}

void TMainOptions::VersionLoaded(uint8_t major) {
  versionMajor_ = major;
  ApplyOverloadScale();
}

// The version and the board revision arrive in one status message, the version first: the
// scale follows whichever of the two comes last.
void TMainOptions::BoardRevisionLoaded(uint8_t revision) {
  boardRevision_ = revision;
  ApplyOverloadScale();
}

void TMainOptions::ApplyOverloadScale() {
  const bool scaled = HasOverloadScale(versionMajor_) || host_.DemoMode();
  const TOverloadScale scale = OverloadScaleOf(boardRevision_);
  for (TVDTrackBar* bar : {&leftSide_, &rightSide_}) {
    if (scaled) {
      bar->setMaximum(scale.Positions);
      bar->SetDefaultValue(scale.Positions);
    }
    bar->RefreshValueLabel();
  }
}

void TMainOptions::SendImitation(QPushButton& button, uint8_t command) {
  SendPageCommand(*this, host_, &button,
                  {.Source = kGsmAddr,
                   .Dest = kBroadcastAddr,
                   .Command = command,
                   .Data = {transceiverCode_[0], transceiverCode_[1]}});
}
