#include "pages/main/security_page.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "binding/ui/check_confirmation.h"
#include "binding/ui/check_rules.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_track_bar.h"
#include "link/lan_msg.h"
#include "pages/main/outputs_page.h"
#include "pages/main/security_table.h"

namespace {

// clang-format off
// Repeated authorisation and its start by a door go together; the box for the first
// switching-off by the steering buttons follows the one for the tag; the CAN activity boxes
// need the code transmission by CAN activity; the check of the main module follows the
// digital output.
constexpr TCheckRule kCheckRules[] = {
    {.Box = "VDCheckBox18", .When = false, .Target = "VDCheckBox1", .Then = false},
    {.Box = "VDCheckBox18", .When = false, .Target = "VDCheckBox2", .Then = false},
    {.Box = "VDCheckBox18", .When = false, .Target = "VDCheckBox8", .Then = false},
    {.Box = "VDCheckBox18", .When = false, .Target = "VDCheckBox21", .Then = false},
    {.Box = "VDCheckBox1", .When = true, .Target = "VDCheckBox2", .Then = true},
    {.Box = "VDCheckBox1", .When = false, .Target = "VDCheckBox2", .Then = false},
    {.Box = "VDCheckBox1", .When = false, .Target = "VDCheckBox8", .Then = false},
    {.Box = "VDCheckBox1", .When = false, .Target = "VDCheckBox21", .Then = false},
    {.Box = "VDCheckBox2", .When = true, .Target = "VDCheckBox18", .Then = true},
    {.Box = "VDCheckBox2", .When = true, .Target = "VDCheckBox1", .Then = true},
    {.Box = "VDCheckBox2", .When = true, .Target = "VDCheckBox8", .Then = true},
    {.Box = "VDCheckBox8", .When = true, .Target = "VDCheckBox2", .Then = true},
    {.Box = "VDCheckBox8", .When = true, .Target = "VDCheckBox21", .Then = true},
    {.Box = "VDCheckBox8", .When = false, .Target = "VDCheckBox2", .Then = false},
    {.Box = "VDCheckBox8", .When = false, .Target = "VDCheckBox21", .Then = false},
    {.Box = "VDCheckBox21", .When = true, .Target = "VDCheckBox2", .Then = true},
    {.Box = "VDCheckBox20", .When = false, .Target = "VDCheckBox38", .Then = false},
    {.Box = "VDCheckBox38", .When = true, .Target = "VDCheckBox20", .Then = true},
    {.Box = "VDCheckBox41", .When = true, .Target = "VDCheckBox46", .Then = true},
    // 41 works only together with 46: only taking 46 away takes 41 with it.
    {.Box = "VDCheckBox46", .When = false, .Target = "VDCheckBox41", .Then = false},
    {.Box = "VDCheckBox10", .When = true, .Target = "VDCheckBox46", .Then = false},
    {.Box = "VDCheckBox26", .When = true, .Target = "VDCheckBox51", .Then = false},
    {.Box = "VDCheckBox51", .When = true, .Target = "VDCheckBox60", .Then = false},
    {.Box = "VDCheckBox51", .When = false, .Target = "VDCheckBox60", .Then = false},
    {.Box = "VDCheckBox51", .When = false, .Target = "VDCheckBox72", .Then = false},
    {.Box = "VDCheckBox60", .When = true, .Target = "VDCheckBox51", .Then = true},
    {.Box = "VDCheckBox60", .When = true, .Target = "VDCheckBox72", .Then = false},
    {.Box = "VDCheckBox72", .When = true, .Target = "VDCheckBox51", .Then = true},
    {.Box = "VDCheckBox72", .When = true, .Target = "VDCheckBox60", .Then = false},
    {.Box = "VDCheckBox63", .When = true, .Target = "VDCheckBox64", .Then = true},
    {.Box = "VDCheckBox63", .When = false, .Target = "VDCheckBox64", .Then = false},
    {.Box = "VDCheckBox64", .When = true, .Target = "VDCheckBox63", .Then = true},
    {.Box = "VDCheckBox71", .When = false, .Target = "VDCheckBox78", .Then = false},
    {.Box = "VDCheckBox78", .When = true, .Target = "VDCheckBox71", .Then = true},
    {.Box = "VDCheckBox24", .When = false, .Target = "VDCheckBox63", .Then = false},
};
static_assert(CheckRules(kCheckRules) == -1);

constexpr TCheckRuleTrigger kRuleTriggers[] = {
    {.Clicked = "VDCheckBox48", .Box = "VDCheckBox21"},
    {.Clicked = "VDCheckBox28", .Box = "VDCheckBox21"},
    {.Clicked = "VDCheckBox58", .Box = "VDCheckBox21"},
    {.Clicked = "VDCheckBox62", .Box = "VDCheckBox21"},
    {.Clicked = "VDCheckBox82", .Box = "VDCheckBox78"},
    {.Clicked = "VDCheckBox68", .Box = "VDCheckBox78"},
    {.Clicked = "VDCheckBox81", .Box = "VDCheckBox78"},
    {.Clicked = "VDCheckBox80", .Box = "VDCheckBox78"},
};
// clang-format on

constexpr char kAntiHijackSection[] = "Защита от захвата (AHJ)";
constexpr int kSafeSpeedOnChoosing = 15;
// The blocking delay bars that the span on the engine stop bar follows, in tenths of a second
// against its 50 ms steps.
constexpr const char* kDelayBars[] = {"VDTrackBar1", "tbCutOff1_Off", "tbCutOff2_On",
                                      "VDTrackBar2", "VDTrackBar13",  "VDTrackBar14"};
constexpr int kDelaySpanFactor = 2;
constexpr char kDelaySection[] = "Задержки срабатывания блокировок";

constexpr char kAntiHijackHelpText[] =
    "<p><b>Стандартный переход в режим \"Защита от захвата\" (AHJ)</b></p>"
    "<p></p>"
    "<ul>"
    "<li>Время, отведенное на отмену режима защиты от захвата  - 22 с (режим \"Снято с "
    "охраны\").</li>"
    "<li>За 12 с до его окончания включается предупредительный сигнал зуммера.</li>"
    "<li>Через 10 с после входа в режим AHJ  включатся короткие предупредительные световые и "
    "звуковые сигналы.</li>"
    "<li>После предупредительных сигналов через 20 с вырабатывается событие №145.</li>"
    "<li>Ещё через 20 секунд (при разных настройках и условиях) система приступит к глушению "
    "двигателя и включит световые и звуковые сигналы.</li>"
    "</ul>"
    "<p></p>"
    "<p>Находясь в режиме \"AHJ\", когда глушение ещё не начиналось, после выключения "
    "зажигания запуск двигателя будет запрещён.</p>";

}  // namespace

TMainSecurity::TMainSecurity(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, MainSecurityTable(), host)) {
  new TCheckRules(controls_, kCheckRules, kRuleTriggers, this);
  AttachSpeedReset();
  AttachDoubleAccess();
  AttachDigitalOutput();
  AttachDelaySpan();
  AddAntiHijackButton();
}

// Choosing the safe stop by speed starts from the usual threshold.
void TMainSecurity::AttachSpeedReset() {
  connect(&controls_.Get<TVDCheckBox>("VDCheckBox17"), &QAbstractButton::clicked, this,
          [this](bool checked) {
            if (checked)
              controls_.Get<TVDTrackBar>("VDTrackBar6").SetPosition(kSafeSpeedOnChoosing);
          });
}

void TMainSecurity::AttachDoubleAccess() {
  AskBeforeChecking(controls_.Get<TVDCheckBox>("VDCheckBox3"), [this] {
    return host_.ConfirmWarning(QStringLiteral("Двойной доступ"), QStringLiteral("Вы уверены?"));
  });
}

// The first digital output drives the pin of the board's digital output unless the second
// one takes over; turning it on there takes that pin from the outputs page's functions.
void TMainSecurity::AttachDigitalOutput() {
  auto& first = controls_.Get<TVDCheckBox>("VDCheckBox24");
  auto& second = controls_.Get<TVDCheckBox>("vdcbDigitalOut2");
  connect(&first, &QAbstractButton::clicked, this, [this, &second](bool checked) {
    if (checked && !second.isChecked()) FreeDigitalOutputPin();
  });
  connect(&second, &QAbstractButton::clicked, this, [this, &first](bool checked) {
    if (!checked && first.isChecked()) FreeDigitalOutputPin();
  });
}

bool TMainSecurity::DigitalOutputTakesPin() const {
  return controls_.Get<TVDCheckBox>("VDCheckBox24").isChecked() &&
         !controls_.Get<TVDCheckBox>("vdcbDigitalOut2").isChecked();
}

void TMainSecurity::FreeDigitalOutputPin() {
  if (auto* outputs =
          qobject_cast<TMainOutputs*>(host_.SettingsPage(QStringLiteral("MainOutputs")))) {
    outputs->FreeDigitalOutputPin();
  }
}

// The engine stop bar marks the span between the two switch-off delays.
void TMainSecurity::AttachDelaySpan() {
  auto& stop = controls_.Get<TVDTrackBar>("VDTrackBar12");
  const auto show = [this, &stop] {
    stop.SetSelection(kDelaySpanFactor * controls_.Get<TVDTrackBar>("VDTrackBar2").Position(),
                      kDelaySpanFactor * controls_.Get<TVDTrackBar>("tbCutOff1_Off").Position());
  };
  for (const char* name : kDelayBars) {
    connect(&controls_.Get<TVDTrackBar>(name), &QSlider::valueChanged, this, show);
  }
  show();
  // The band appears once the delays differ, after a read or an open: say what it marks.
  auto* note = new QLabel(QStringLiteral(
      "Полоса над шкалой «Время продолжения глушения при выключении зажигания» отмечает "
      "промежуток между задержками выключения блокировки №2 и блокировки №1."));
  note->setObjectName(QStringLiteral("lbDelaySpan"));
  note->setWordWrap(true);
  AddToSection(*this, QString::fromUtf8(kDelaySection), note);
}

void TMainSecurity::AddAntiHijackButton() {
  auto* button = new QPushButton(QStringLiteral("Справка по AHJ"));
  button->setObjectName(QStringLiteral("btAHJHelp"));
  connect(button, &QPushButton::clicked, this, [this] { AntiHijackHelp()->exec(); });
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 4, 0, 0);
  layout->addWidget(button);
  layout->addStretch();
  AddToSection(*this, QString::fromUtf8(kAntiHijackSection), row);
}

QDialog* TMainSecurity::AntiHijackHelp() {
  if (antiHijackHelp_ == nullptr) {
    antiHijackHelp_ = new QDialog(this);
    antiHijackHelp_->setWindowTitle(QStringLiteral("Справка по AHJ"));
    antiHijackHelp_->setSizeGripEnabled(true);
    antiHijackHelp_->resize(500, 250);
    auto* text = new QTextBrowser;
    text->setObjectName(QStringLiteral("AHJHelpText"));
    text->setHtml(QString::fromUtf8(kAntiHijackHelpText));
    auto* layout = new QVBoxLayout(antiHijackHelp_);
    layout->addWidget(text);
  }
  // Centred on the main window, wherever the page sits in it.
  const QWidget* window = this->window();
  antiHijackHelp_->move(window->geometry().center() - antiHijackHelp_->rect().center());
  return antiHijackHelp_;
}
