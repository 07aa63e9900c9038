#include "pages/can/can_program_editor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "binding/position_coding.h"
#include "journal/ui/event_field.h"
#include "journal/ui/events_form.h"
#include "pages/main/start_relays.h"

namespace {

constexpr TPositionCoding kTimeCoding{.Kind = pcTimeByte};

int TimePosition(uint8_t stored) {
  return kTimeCoding.Position(stored).value_or(0);
}

uint8_t TimeByte(int position) {
  return static_cast<uint8_t>(kTimeCoding.Stored(position, 0));
}

QString RepeatText(int count) {
  return QString::asprintf("%4d ", count);
}

}  // namespace

TProgCan::TProgCan(TEventsForm& events, QWidget* parent) : QDialog(parent), events_(events) {
  setWindowTitle(QStringLiteral("Настройка программы CAN"));
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(QStringLiteral("Послать команду:")));
  command_ = new QComboBox;
  command_->setObjectName(QStringLiteral("cbCommand"));
  for (int item = 0; item < kCanCommandItems; ++item) {
    command_->addItem(CanCommandItemText(item), CanCommandOfItem(item));
  }
  connect(command_, &QComboBox::activated, this, [this](int index) {
    if (index == unknownCommand_) return;
    const QSignalBlocker blocker(command_);
    command_->removeItem(unknownCommand_);
    unknownCommand_ = -1;
    command_->setCurrentIndex(index);
  });
  left->addWidget(command_);
  left->addWidget(new QLabel(QStringLiteral("Включение по событию:")));
  onEvent_ = AddEventField(QStringLiteral("включения"));
  left->addWidget(onEvent_);
  for (int i = 0; i < TCanProgram::kOffEvents; ++i) {
    left->addWidget(new QLabel(QStringLiteral("Выключение по событию №%1:").arg(i + 1)));
    offEvents_.at(static_cast<size_t>(i)) =
        AddEventField(QStringLiteral("выключения №%1").arg(i + 1));
    left->addWidget(offEvents_.at(static_cast<size_t>(i)));
  }
  left->addStretch();
  auto* right = new QGridLayout;
  delay_ = AddTimeSlider(*right, 0, QStringLiteral("Задержка включения"));
  pause_ = AddTimeSlider(*right, 2, QStringLiteral("Пауза между повторами:"));
  right->addWidget(new QLabel(QStringLiteral("Количество повторов")), 4, 0, 1, 2);
  repeats_ = new QSlider(Qt::Horizontal);
  repeats_->setRange(0, TCanProgram::kMaxRepeats);
  repeatCount_ = new QLabel(RepeatText(0));
  connect(repeats_, &QSlider::valueChanged, repeatCount_,
          [this](int count) { repeatCount_->setText(RepeatText(count)); });
  right->addWidget(repeats_, 5, 0);
  right->addWidget(repeatCount_, 5, 1);
  right->setRowStretch(6, 1);
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

TEventField* TProgCan::AddEventField(const QString& listTitle) {
  auto* field = new TEventField;
  connect(field, &TEventField::PickerRequested, this, [this, field, listTitle] {
    events_.Open(QStringLiteral("Список событий ") + listTitle,
                 [field](int number) { field->ChooseNumber(number); });
  });
  return field;
}

QSlider* TProgCan::AddTimeSlider(QGridLayout& grid, int row, const QString& caption) {
  grid.addWidget(new QLabel(caption), row, 0, 1, 2);
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setRange(0, kMaxDelayPosition);
  auto* label = new QLabel(CanProgramTimeText(0));
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(CanProgramTimeText(200)));
  connect(slider, &QSlider::valueChanged, label,
          [label](int position) { label->setText(CanProgramTimeText(position)); });
  grid.addWidget(slider, row + 1, 0);
  grid.addWidget(label, row + 1, 1);
  return slider;
}

void TProgCan::Edit(int number, const TCanProgram& program) {
  setWindowTitle(QStringLiteral("Настройка программы CAN № %1").arg(number));
  ShowCommand(program.Command);
  onEvent_->SetCode(program.OnEvent);
  for (size_t i = 0; i < offEvents_.size(); ++i) offEvents_[i]->SetCode(program.OffEvents[i]);
  repeats_->setValue(std::min<int>(program.Repeats, TCanProgram::kMaxRepeats));
  delay_->setValue(TimePosition(program.Delay));
  pause_->setValue(TimePosition(program.Pause));
}

// A command the list cannot offer (a newer firmware's, or one of those the list leaves out)
// stays an item of its own, so that "ОК" writes back what the module holds.
void TProgCan::ShowCommand(uint8_t command) {
  const QSignalBlocker blocker(command_);
  if (unknownCommand_ >= 0) command_->removeItem(unknownCommand_);
  unknownCommand_ = -1;
  if (const auto item = CanCommandItem(command)) {
    command_->setCurrentIndex(*item);
    return;
  }
  command_->addItem(CanCommandTitle(command), command);
  unknownCommand_ = command_->count() - 1;
  command_->setCurrentIndex(unknownCommand_);
}

TCanProgram TProgCan::Program() const {
  TCanProgram program;
  program.Command = static_cast<uint8_t>(command_->currentData().toInt());
  // Without a command nothing switches the program on, and without a switch-on event
  // nothing switches it off.
  if (command_->currentIndex() != 0) program.OnEvent = onEvent_->Code();
  if (program.OnEvent != 0) {
    for (size_t i = 0; i < offEvents_.size(); ++i) program.OffEvents[i] = offEvents_[i]->Code();
  }
  program.Repeats = static_cast<uint8_t>(repeats_->value());
  program.Delay = TimeByte(delay_->value());
  program.Pause = TimeByte(pause_->value());
  return program;
}

void TProgCan::done(int result) {
  events_.hide();
  QDialog::done(result);
}
