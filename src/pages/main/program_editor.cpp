#include "pages/main/program_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "binding/position_coding.h"
#include "binding/ui/vd_look.h"
#include "journal/ui/event_field.h"
#include "journal/ui/events_form.h"
#include "pages/main/start_relays.h"

namespace {

constexpr const char* kModeNames[TProgOuts::kModes] = {"Снято с охраны",    "Диагностика+Охрана",
                                                       "Тревога",           "Процедура запуска",
                                                       "Защита от захвата", "Автосервис"};
constexpr const char* kConditionNames[TProgOuts::kConditions] = {"Кнопки 1+2",
                                                                 "Кнопки 1+3",
                                                                 "Открытие двери водителя",
                                                                 "Закрытие двери водителя",
                                                                 "Включение зажигания",
                                                                 "Выключение зажигания"};
// Every control of the editor has its caption on the left, its value on the right.
enum TEditorColumn { kCaptionColumn, kControlColumn, kValueColumn };

constexpr int kPulseTypes = 4;
constexpr int kMinRepeat = 1;
constexpr char kByConditions[] = "Включение по условиям";
constexpr char kByEvent[] = "Включение по событию:";
constexpr char kEventsTitle[] = "Список событий ";

constexpr TPositionCoding kTimeByte{.Kind = pcTimeByte};

int Position(uint8_t stored, int minimum = 0) {
  return std::max(minimum, kTimeByte.Position(stored).value_or(0));
}

uint8_t Stored(int position) {
  return static_cast<uint8_t>(kTimeByte.Stored(position, 0));
}

QString RepeatText(int value) {
  return value == TOutputProgram::kEndlessRepeat ? QStringLiteral("бесконечность")
                                                 : QString::asprintf("%4.0d ", value);
}

// The condition that excludes condition i: the two buttons, the two door and the two
// ignition conditions come in pairs.
int PartnerOf(int condition) {
  return condition ^ 1;
}

}  // namespace

TProgOuts::TProgOuts(TEventsForm& events, QWidget* parent) : QDialog(parent), events_(events) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildSwitchOn());
  layout->addWidget(BuildPulses());
  layout->addWidget(BuildSwitchOff());
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* clear = buttons->addButton(QStringLiteral("СБРОС"), QDialogButtonBox::ResetRole);
  buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  connect(clear, &QPushButton::clicked, this, &TProgOuts::Clear);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  Clear();
}

QWidget* TProgOuts::BuildSwitchOn() {
  auto* box = new QGroupBox(QStringLiteral("Включение"), this);
  auto* grid = new QGridLayout(box);
  byConditionsLabel_ = new QLabel(QString::fromUtf8(kByConditions), box);
  grid->addWidget(byConditionsLabel_, 0, 0, 1, 2);
  for (int i = 0; i < kModes; ++i) {
    auto* mode = new QCheckBox(QString::fromUtf8(kModeNames[i]), box);
    modes_[static_cast<size_t>(i)] = mode;
    grid->addWidget(mode, 1 + i, 0);
    connect(mode, &QCheckBox::clicked, this, [this, mode](bool on) { TickChanged(mode, on); });
  }
  for (int i = 0; i < kConditions; ++i) {
    auto* condition = new QCheckBox(QString::fromUtf8(kConditionNames[i]), box);
    conditions_[static_cast<size_t>(i)] = condition;
    grid->addWidget(condition, 1 + i, 1);
    connect(condition, &QCheckBox::clicked, this,
            [this, condition](bool on) { TickChanged(condition, on); });
  }
  byEventLabel_ = new QLabel(QString::fromUtf8(kByEvent), box);
  grid->addWidget(byEventLabel_, 1 + kModes, 0, 1, 2);
  onEvent_ = AddEventField(QString::fromUtf8(kEventsTitle) + QStringLiteral("включения"));
  grid->addWidget(onEvent_, 2 + kModes, 0, 1, 2);
  connect(onEvent_, &TEventField::Chosen, this, [this] { SetByEvent(true); });
  return box;
}

QWidget* TProgOuts::BuildPulses() {
  auto* box = new QGroupBox(QStringLiteral("Импульсы"), this);
  auto* grid = new QGridLayout(box);
  grid->setColumnStretch(kControlColumn, 1);
  pulseType_ = new QComboBox(box);
  for (int type = 0; type < kPulseTypes; ++type) {
    pulseType_->addItem(QStringLiteral("Тип %1").arg(type + 1));
  }
  grid->addWidget(new QLabel(QStringLiteral("Тип импульсов"), box), 0, kCaptionColumn);
  grid->addWidget(pulseType_, 0, kControlColumn, Qt::AlignLeft);
  connect(pulseType_, &QComboBox::activated, this, &TProgOuts::ApplyPulseType);
  for (int i = 0; i < TOutputProgram::kTimes; ++i) {
    times_[static_cast<size_t>(i)] = AddTimeSlider(
        *grid, 1 + i, QStringLiteral("Время T%1").arg(i + 1), QStringLiteral("T%1 = ").arg(i + 1));
  }
  repeat_ = new QSlider(Qt::Horizontal, box);
  repeat_->setRange(kMinRepeat, TOutputProgram::kEndlessRepeat);
  repeatLabel_ = new QLabel(box);
  repeatLabel_->setMinimumWidth(repeatLabel_->fontMetrics().horizontalAdvance(RepeatText(255)));
  connect(repeat_, &QSlider::valueChanged, repeatLabel_,
          [this](int value) { repeatLabel_->setText(RepeatText(value)); });
  const int repeatRow = 1 + TOutputProgram::kTimes;
  grid->addWidget(new QLabel(QStringLiteral("Число повторов"), box), repeatRow, kCaptionColumn);
  grid->addWidget(repeat_, repeatRow, kControlColumn);
  grid->addWidget(repeatLabel_, repeatRow, kValueColumn);
  return box;
}

QWidget* TProgOuts::BuildSwitchOff() {
  auto* box = new QGroupBox(QStringLiteral("Выключение"), this);
  auto* grid = new QGridLayout(box);
  grid->setColumnStretch(kControlColumn, 1);
  for (int i = 0; i < TOutputProgram::kOffWays; ++i) {
    const QString number = QString::number(i + 1);
    offEvents_[static_cast<size_t>(i)] =
        AddEventField(QString::fromUtf8(kEventsTitle) + QStringLiteral("выключения №") + number);
    cancelEvents_[static_cast<size_t>(i)] = AddEventField(
        QString::fromUtf8(kEventsTitle) + QStringLiteral("отмены задержки выключения №") + number);
    const int row = 3 * i;
    grid->addWidget(new QLabel(QStringLiteral("Событие выключения №") + number, box), row,
                    kCaptionColumn);
    grid->addWidget(offEvents_[static_cast<size_t>(i)], row, kControlColumn, 1, 2);
    offDelays_[static_cast<size_t>(i)] = AddTimeSlider(
        *grid, row + 1, QStringLiteral("Задержка выключения №") + number, QStringLiteral("T = "));
    grid->addWidget(new QLabel(QStringLiteral("Отмена задержки №") + number, box), row + 2,
                    kCaptionColumn);
    grid->addWidget(cancelEvents_[static_cast<size_t>(i)], row + 2, kControlColumn, 1, 2);
  }
  return box;
}

QSlider* TProgOuts::AddTimeSlider(QGridLayout& grid, int row, const QString& caption,
                                  const QString& prefix) {
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setRange(0, kMaxDelayPosition);
  auto* label = new QLabel(prefix + DelayText(0));
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(prefix + DelayText(200)));
  connect(slider, &QSlider::valueChanged, label,
          [label, prefix](int position) { label->setText(prefix + DelayText(position)); });
  grid.addWidget(new QLabel(caption), row, kCaptionColumn);
  grid.addWidget(slider, row, kControlColumn);
  grid.addWidget(label, row, kValueColumn);
  return slider;
}

TEventField* TProgOuts::AddEventField(const QString& title) {
  auto* field = new TEventField;
  connect(field, &TEventField::PickerRequested, this, [this, field, title] {
    events_.Open(title, [field](int number) { field->ChooseNumber(number); });
  });
  return field;
}

void TProgOuts::SetByEvent(bool byEvent) {
  byEvent_ = byEvent;
  if (byEvent) {
    for (QCheckBox* box : modes_) box->setChecked(false);
    for (QCheckBox* box : conditions_) box->setChecked(false);
  } else {
    onEvent_->SetCode(0);
  }
  SetBoldLook(*byEventLabel_, byEvent);
  SetBoldLook(*byConditionsLabel_, !byEvent);
}

void TProgOuts::TickChanged(QCheckBox* box, bool ticked) {
  const auto found = std::find(conditions_.begin(), conditions_.end(), box);
  if (ticked && found != conditions_.end()) {
    conditions_[static_cast<size_t>(PartnerOf(static_cast<int>(found - conditions_.begin())))]
        ->setChecked(false);
  }
  SetByEvent(false);
}

void TProgOuts::ApplyPulseType(int type) {
  keptPulseType_.reset();
  pulseType_->setCurrentIndex(type);
  for (int i = 1; i < TOutputProgram::kTimes; ++i) {
    times_[static_cast<size_t>(i)]->setEnabled(type >= i);
  }
  // Types 1 and 3 repeat their pulses; the others give one.
  const bool repeats = type == 1 || type == 3;
  if (!repeats) repeat_->setValue(kMinRepeat);
  repeat_->setEnabled(repeats);
}

// A type this editor does not know (a newer firmware's) shows no type and goes back as it came,
// with every time and the repeat count open, until the user picks a type.
void TProgOuts::KeepPulseType(uint8_t type) {
  keptPulseType_ = type;
  pulseType_->setCurrentIndex(-1);
  pulseType_->setPlaceholderText(QStringLiteral("Тип %1").arg(type + 1));
  for (QSlider* slider : times_) slider->setEnabled(true);
  repeat_->setEnabled(true);
}

void TProgOuts::Edit(int number, const TOutputProgram& program) {
  setWindowTitle(QStringLiteral("Настройка программы № %1").arg(number));
  if (program.PulseType < kPulseTypes) {
    ApplyPulseType(program.PulseType);
  } else {
    KeepPulseType(program.PulseType);
  }
  if (program.OnEvent != 0) {
    SetByEvent(true);
    onEvent_->SetCode(program.OnEvent);
  } else {
    for (int i = 0; i < kModes; ++i)
      modes_[static_cast<size_t>(i)]->setChecked(program.Modes & (1U << i));
    for (int i = 0; i < kConditions; ++i) {
      conditions_[static_cast<size_t>(i)]->setChecked(program.Conditions & (1U << i));
    }
    SetByEvent(false);
  }
  for (int i = 0; i < TOutputProgram::kTimes; ++i) {
    times_[static_cast<size_t>(i)]->setValue(
        Position(program.Times[static_cast<size_t>(i)], i == 0 ? 0 : 1));
  }
  repeat_->setValue(program.Repeat);
  repeatLabel_->setText(RepeatText(repeat_->value()));
  for (size_t i = 0; i < TOutputProgram::kOffWays; ++i) {
    offEvents_[i]->SetCode(program.OffEvents[i]);
    offDelays_[i]->setValue(Position(program.OffDelays[i]));
    cancelEvents_[i]->SetCode(program.CancelEvents[i]);
  }
}

TOutputProgram TProgOuts::Program() const {
  TOutputProgram program;
  for (int i = 0; i < kModes; ++i) {
    if (modes_[static_cast<size_t>(i)]->isChecked()) program.Modes |= static_cast<uint8_t>(1U << i);
  }
  for (int i = 0; i < kConditions; ++i) {
    if (conditions_[static_cast<size_t>(i)]->isChecked()) {
      program.Conditions |= static_cast<uint8_t>(1U << i);
    }
  }
  program.OnEvent = onEvent_->Code();
  for (size_t i = 0; i < TOutputProgram::kTimes; ++i) program.Times[i] = Stored(times_[i]->value());
  program.PulseType = keptPulseType_.value_or(static_cast<uint8_t>(pulseType_->currentIndex()));
  program.Repeat = static_cast<uint8_t>(repeat_->value());
  for (size_t i = 0; i < TOutputProgram::kOffWays; ++i) {
    program.OffEvents[i] = offEvents_[i]->Code();
    program.OffDelays[i] = Stored(offDelays_[i]->value());
    program.CancelEvents[i] = cancelEvents_[i]->Code();
  }
  return program;
}

void TProgOuts::Clear() {
  ApplyPulseType(0);
  for (QSlider* slider : times_) slider->setValue(0);
  for (QSlider* slider : offDelays_) slider->setValue(0);
  for (TEventField* field : offEvents_) field->SetCode(0);
  for (TEventField* field : cancelEvents_) field->SetCode(0);
  for (QCheckBox* box : modes_) box->setChecked(false);
  for (QCheckBox* box : conditions_) box->setChecked(false);
  SetByEvent(false);
}

void TProgOuts::done(int result) {
  events_.hide();
  QDialog::done(result);
}
