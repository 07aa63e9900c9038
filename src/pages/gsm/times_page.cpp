#include "pages/gsm/times_page.h"

#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "binding/ui/page_command.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_data.h"
#include "link/bus_requests.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/gsm_codings.h"
#include "pages/gsm/named_button.h"
#include "pages/gsm/times_table.h"

namespace {

constexpr const char* WeekdayNames[] = {"понедельник", "вторник", "среда",      "четверг",
                                        "пятница",     "суббота", "воскресение"};
constexpr const char* kDayItems[] = {"понедельник", "вторник", "среда",      "четверг",
                                     "пятница",     "суббота", "воскресенье"};
constexpr uint8_t kClock = 44;
constexpr uint8_t kFirstStartTimer = 64;
constexpr uint8_t kWarmUpTimer = 66;
constexpr uint8_t kUnset = 255;
constexpr const char* kStartSections[] = {"Первый таймер запуска", "Второй таймер запуска"};
constexpr const char* kStartErrors[] = {"Ошибка чтения таймера 1 запуска",
                                        "Ошибка чтения таймера 2 запуска"};
constexpr char kWarmUpError[] = "Ошибка чтения таймера прогрева";

QLabel* ValueLabel(const QString& name) {
  auto* label = new QLabel(QStringLiteral("?"));
  label->setObjectName(name);
  return label;
}

bool ValidTime(int hour, int minute) {
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60;
}

}  // namespace

TGSMTimesGSMPager::TGSMTimesGSMPager(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmTimesTable(), host)),
      clockTimer_(new QTimer(this)) {
  clockTimer_->setInterval(1000);
  connect(clockTimer_, &QTimer::timeout, this, &TGSMTimesGSMPager::AskClock);
  AddClock();
  AddStartTimer(0, QString::fromUtf8(kStartSections[0]));
  AddStartTimer(1, QString::fromUtf8(kStartSections[1]));
  AddWarmUpTimer();
}

void TGSMTimesGSMPager::PageShown() {
  TVDFrame::PageShown();
  clockTimer_->start();
}

void TGSMTimesGSMPager::PageHidden() {
  TVDFrame::PageHidden();
  clockTimer_->stop();
}

void TGSMTimesGSMPager::EnableWith(TVDData& cell, std::vector<QWidget*> widgets) {
  cell.OnSetEnableEvent = [widgets = std::move(widgets)](QObject&, bool enabled) {
    for (QWidget* widget : widgets) widget->setEnabled(enabled);
  };
}

void TGSMTimesGSMPager::AddClock() {
  date_ = ValueLabel(QStringLiteral("LDate"));
  time_ = ValueLabel(QStringLiteral("LTime"));
  auto* sync = NamedButton(QStringLiteral("Синхронизировать с временем компьютера"),
                           QStringLiteral("btSynchronise"));
  connect(sync, &QPushButton::clicked, this, &TGSMTimesGSMPager::Synchronise);
  auto* part = new QWidget;
  auto* form = NewPartForm(part);
  auto* dateCaption = new QLabel(QStringLiteral("Текущая дата:"));
  auto* timeCaption = new QLabel(QStringLiteral("Текущее время:"));
  form->addRow(dateCaption, date_);
  form->addRow(timeCaption, time_);
  form->addRow(sync);
  AddToSection(*this, QStringLiteral("Время и дата"), part);

  auto& cell = controls_.Get<TVDData>("vddCurTime");
  cell.SetControl(sync);
  cell.OnLoad = [this](QObject&, uint8_t byte, int index) {
    clock_[static_cast<std::size_t>(index)] = byte;
    if (index == 6) ShowClock();
  };
  EnableWith(cell, {dateCaption, timeCaption, date_, time_});
}

void TGSMTimesGSMPager::ShowClock() {
  const auto at = [this](int i) { return static_cast<int>(clock_[static_cast<std::size_t>(i)]); };
  time_->setText(QString::asprintf("%2.2d:%2.2d:%2.2d", at(0), at(1), at(2)));
  const int weekday = at(6);
  const QString day = weekday >= 1 && weekday <= 7 ? QString::fromUtf8(WeekdayNames[weekday - 1])
                                                   : QStringLiteral("??");
  date_->setText(QString::asprintf("%2.2d.%2.2d.%4.4d, ", at(5), at(4), 2000 + at(3)) + day);
}

void TGSMTimesGSMPager::AskClock() {
  Ask({kClock});
}

// The module answers each question with the item's bytes, which its message area takes: the
// page then shows the clock or the timer as it now stands.
void TGSMTimesGSMPager::Ask(std::vector<uint8_t> commands) {
  if (!HasBus()) return;
  Requests().Run(
      [commands = std::move(commands)](TAdapter& adapter) {
        for (const uint8_t command : commands) {
          adapter.QueueCommand(kPcAddr, kGsmModuleAddr, command);
        }
      },
      {});
}

void TGSMTimesGSMPager::Send(uint8_t command, std::vector<uint8_t> data) {
  SendPageCommand(*this, host_, nullptr,
                  {.Dest = kGsmModuleAddr, .Command = command, .Data = std::move(data)});
}

void TGSMTimesGSMPager::Synchronise() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  Send(kClock, {static_cast<uint8_t>(time.hour()), static_cast<uint8_t>(time.minute()),
                static_cast<uint8_t>(time.second()), static_cast<uint8_t>(date.year() - 2000),
                static_cast<uint8_t>(date.month()), static_cast<uint8_t>(date.day())});
}

void TGSMTimesGSMPager::AddStartTimer(int index, const QString& section) {
  TStartTimer& timer = starts_[static_cast<std::size_t>(index)];
  const QString number = QString::number(index + 1);
  timer.Time = new QTimeEdit;
  timer.Time->setObjectName(QStringLiteral("dtpTimer") + number);
  timer.Time->setDisplayFormat(QStringLiteral("HH:mm"));
  timer.State = ValueLabel(QStringLiteral("LTimer") + number);
  timer.Days = new QListWidget;
  timer.Days->setObjectName(QStringLiteral("lbDays") + number);
  for (const char* day : kDayItems) {
    auto* item = new QListWidgetItem(QString::fromUtf8(day), timer.Days);
    item->setCheckState(Qt::Unchecked);
  }
  timer.Days->setMaximumHeight(140);
  auto* set = NamedButton(QStringLiteral("Установить"), QStringLiteral("btSetTimer") + number);
  auto* cancel = NamedButton(QStringLiteral("Отменить"), QStringLiteral("btCancelTimer") + number);
  connect(set, &QPushButton::clicked, this, [this, index] { SetStartTimer(index, true); });
  connect(cancel, &QPushButton::clicked, this, [this, index] { SetStartTimer(index, false); });

  auto* part = new QWidget;
  auto* form = NewPartForm(part);
  auto* timeCaption = new QLabel(QStringLiteral("Время запуска"));
  auto* daysCaption = new QLabel(QStringLiteral("Дни недели"));
  form->addRow(timeCaption, timer.Time);
  form->addRow(QString(), timer.State);
  form->addRow(daysCaption, timer.Days);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(set);
  buttons->addWidget(cancel);
  buttons->addStretch();
  form->addRow(buttons);
  AddToSection(*this, section, part);

  auto& cell = controls_.Get<TVDData>(index == 0 ? "vddRSTimer1" : "vddRSTimer2");
  cell.SetControl(set);
  cell.OnLoad = [this, index](QObject&, uint8_t byte, int at) {
    if (byte == kUnset) return;
    TStartTimer& shown = starts_[static_cast<std::size_t>(index)];
    switch (at) {
      case 0:
        shown.State->setText(TimerStateText(byte));
        break;
      case 1:
        shown.Hour = byte;
        break;
      case 2:
        // A time the day does not have is told in the page, not in a box at every answer.
        if (!ValidTime(shown.Hour, byte)) {
          shown.State->setText(QString::fromUtf8(kStartErrors[index]));
          break;
        }
        shown.Time->setTime(QTime(shown.Hour, byte));
        break;
      default:
        for (int day = 0; day < 7; ++day) {
          shown.Days->item(day)->setCheckState((byte >> day) & 1 ? Qt::Checked : Qt::Unchecked);
        }
        break;
    }
  };
  EnableWith(cell, {timer.Days, timeCaption, daysCaption, timer.Time, cancel, timer.State});
}

void TGSMTimesGSMPager::SetStartTimer(int index, bool set) {
  const auto command = static_cast<uint8_t>(kFirstStartTimer + index);
  if (!set) {
    Send(command, {0});
  } else {
    const TStartTimer& timer = starts_[static_cast<std::size_t>(index)];
    uint8_t days = 0;
    for (int day = 0; day < 7; ++day) {
      if (timer.Days->item(day)->checkState() == Qt::Checked)
        days |= static_cast<uint8_t>(1u << day);
    }
    const QTime time = timer.Time->time();
    Send(command,
         {1, static_cast<uint8_t>(time.hour()), static_cast<uint8_t>(time.minute()), days});
  }
  Ask({command});
}

void TGSMTimesGSMPager::AddWarmUpTimer() {
  warmUp_ = new QTimeEdit;
  warmUp_->setObjectName(QStringLiteral("dtpWarmUp"));
  warmUp_->setDisplayFormat(QStringLiteral("HH:mm"));
  warmUpState_ = ValueLabel(QStringLiteral("LTimer3"));
  nextStart_ = ValueLabel(QStringLiteral("LNextStart"));
  auto* set = NamedButton(QStringLiteral("Установить"), QStringLiteral("btSetTimer3"));
  auto* cancel = NamedButton(QStringLiteral("Отменить"), QStringLiteral("btCancelTimer3"));
  connect(set, &QPushButton::clicked, this, [this] { SetWarmUpTimer(true); });
  connect(cancel, &QPushButton::clicked, this, [this] { SetWarmUpTimer(false); });
  auto* part = new QWidget;
  auto* form = NewPartForm(part);
  auto* intervalCaption = new QLabel(QStringLiteral("Интервал прогрева"));
  auto* nextCaption = new QLabel(QStringLiteral("Время следующего запуска: "));
  form->addRow(intervalCaption, warmUp_);
  form->addRow(QString(), warmUpState_);
  form->addRow(nextCaption, nextStart_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(set);
  buttons->addWidget(cancel);
  buttons->addStretch();
  form->addRow(buttons);
  AddToSection(*this, QStringLiteral("Таймер периодического прогрева"), part);

  auto& next = controls_.Get<TVDData>("vddTimer3");
  next.SetControl(set);
  next.OnLoad = [this](QObject&, uint8_t byte, int at) {
    if (byte == kUnset) return;
    if (at == 0) warmUpState_->setText(TimerStateText(byte));
    if (at == 1) nextHour_ = byte;
    if (at != 2) return;
    if (!ValidTime(nextHour_, byte)) {
      warmUpState_->setText(QString::fromUtf8(kWarmUpError));
      return;
    }
    nextStart_->setText(QString::asprintf("%2.2d:%2.2d", nextHour_, byte));
  };
  EnableWith(next, {intervalCaption, nextCaption, nextStart_, warmUpState_, warmUp_, cancel});
  controls_.Get<TVDData>("vddTimer4").OnLoad = [this](QObject&, uint8_t byte, int at) {
    if (byte == kUnset) return;
    if (at == 1) warmUpHour_ = byte;
    if (at != 2) return;
    if (!ValidTime(warmUpHour_, byte)) {
      warmUpState_->setText(QString::fromUtf8(kWarmUpError));
      return;
    }
    warmUp_->setTime(QTime(warmUpHour_, byte));
  };
}

void TGSMTimesGSMPager::SetWarmUpTimer(bool set) {
  if (set) {
    const QTime time = warmUp_->time();
    Send(kWarmUpTimer, {1, static_cast<uint8_t>(time.hour()), static_cast<uint8_t>(time.minute())});
  } else {
    Send(kWarmUpTimer, {0});
  }
  Ask({kWarmUpTimer, static_cast<uint8_t>(kWarmUpTimer + 1)});
}

QString TGSMTimesGSMPager::ClockDate() const {
  return date_->text();
}

QString TGSMTimesGSMPager::ClockTime() const {
  return time_->text();
}

QString TGSMTimesGSMPager::TimerState(int timer) const {
  return timer < 2 ? starts_.at(static_cast<std::size_t>(timer)).State->text()
                   : warmUpState_->text();
}

QString TGSMTimesGSMPager::NextWarmUp() const {
  return nextStart_->text();
}
