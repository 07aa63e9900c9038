#include "pages/main/relays_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "link/lan_msg.h"
#include "pages/main/programming_check.h"
#include "pages/main/relays_table.h"

namespace {

constexpr char kProgrammingSection[] = "Микроиммобилайзеры и  сетевые устройства";
constexpr char kSettingsSection[] = "Настройки реле RBP/RBA";

// Learning of micro-immobilisers and service relays.
constexpr uint8_t kLearnCommand = 114;
constexpr uint8_t kLearnRelays = 2;
constexpr int kProgrammingSeconds = 10 * 60;
constexpr uint8_t kRelayCommand = 12;
constexpr uint8_t kLeaveCommand = 28;
constexpr uint8_t kLeaveData = 63;
// The target selector's index, times this, goes with each setting command.
constexpr int kTargetStep = 64;

QPushButton* MakeButton(const QString& caption, const QString& name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}

}  // namespace

TMainRelays::TMainRelays(IPageHost& host, QWidget* parent) : TVDFrame(0, parent), host_(host) {
  BuildTablePage(*this, MainRelaysTable(), host);
  AddProgrammingPart();
  AddSettingsPart();
  timer_.setInterval(1000);
  connect(&timer_, &QTimer::timeout, this, &TMainRelays::Tick);
}

void TMainRelays::AddProgrammingPart() {
  auto* part = new QWidget;
  auto* layout = new QGridLayout(part);
  auto* enter = MakeButton(QStringLiteral("Вход в программирование"), QStringLiteral("btEnter"));
  auto* reset = MakeButton(QStringLiteral("Обнулить"), QStringLiteral("btReset"));
  reset->setToolTip(QStringLiteral("Обнуление одноразовых реле"));
  auto* leave = MakeButton(QStringLiteral("Выход из программирования"), QStringLiteral("btLeave"));
  connect(enter, &QPushButton::clicked, this, [this, enter] { EnterProgramming(*enter); });
  connect(reset, &QPushButton::clicked, this, [this, reset] { ResetRelays(*reset); });
  connect(leave, &QPushButton::clicked, this, [this, leave] { LeaveProgramming(*leave); });
  countdown_ = new QLabel;
  countdown_->setObjectName(QStringLiteral("lbCountdown"));
  layout->addWidget(enter, 0, 0);
  layout->addWidget(reset, 0, 1);
  layout->addWidget(leave, 0, 2);
  layout->addWidget(new QLabel(QStringLiteral("До выхода реле из программирования:")), 1, 0, 1, 2);
  layout->addWidget(countdown_, 1, 2);
  layout->setColumnStretch(3, 1);
  ShowCountdown();
  AddToSection(*this, QString::fromUtf8(kProgrammingSection), part);
}

void TMainRelays::AddSettingsPart() {
  auto* part = new QWidget;
  auto* grid = new QGridLayout(part);
  target_ = new QComboBox;
  target_->setObjectName(QStringLiteral("cbTarget"));
  target_->addItems({QStringLiteral("Всем реле"), QStringLiteral("Реле №1"),
                     QStringLiteral("Реле №2"), QStringLiteral("Реле №3")});
  grid->addWidget(target_, 0, 0, Qt::AlignLeft);
  AddSetting(*grid, QStringLiteral("Контроль наличия Главного модуля в реле MR:"),
             {{"Включить", 2}, {"Выключить", 3}});
  AddSetting(*grid, QStringLiteral("Режим работы реле MR только цифровой:"),
             {{"Включить", 4}, {"Выключить", 5}});
  AddSetting(*grid, QStringLiteral("Длительность глушения реле RBA:"),
             {{"2.5 секунды (по умолч.)", 7}, {"5 секунд", 8}});
  AddSetting(*grid, QStringLiteral("Тестовая команда:"), {{"Заглушить двигатель", 6}});
  AddSetting(*grid, QStringLiteral("Режим обучения реле MR:"),
             {{"Одноразовое", 9}, {"Многоразовое", 10}});
  AddSetting(
      *grid, QStringLiteral("Управление выходами реле MR:"),
      {{"Активировать", 11}, {"Деактивировать", 12}, {"Активировать", 13}, {"Деактивировать", 14}});
  AddSetting(
      *grid, QStringLiteral("Управление задержками выходов реле MR:"),
      {{"Активировать", 15}, {"Деактивировать", 16}, {"Активировать", 17}, {"Деактивировать", 18}});
  AddSetting(*grid, QStringLiteral("Контроль пуска двигателя по напряжению MR (по умолч. вкл):"),
             {{"ВЫКЛ", 19}, {"ВКЛ", 20}});
  AddSetting(*grid,
             QStringLiteral("Использовать вход распредвала для пуска по U (по умолч. выкл):"),
             {{"ВКЛ", 24}, {"ВЫКЛ", 25}});
  auto* help = MakeButton(QStringLiteral("Справка"), QStringLiteral("btHelp"));
  connect(help, &QPushButton::clicked, this,
          [this] { host_.ShowHelpTopic(QStringLiteral("mr_settings")); });
  grid->addWidget(help, grid->rowCount(), 0);
  grid->setColumnStretch(5, 1);
  AddToSection(*this, QString::fromUtf8(kSettingsSection), part);
}

// Relay and transistor outputs share a caption pair; the button's name tells them apart.
void TMainRelays::AddSetting(QGridLayout& grid, const QString& caption,
                             std::initializer_list<std::pair<const char*, uint8_t>> buttons) {
  const int row = grid.rowCount();
  grid.addWidget(new QLabel(caption), row, 0);
  int column = 1;
  for (const auto& [text, command] : buttons) {
    auto* button = MakeButton(QString::fromUtf8(text), QStringLiteral("btSetting%1").arg(command));
    connect(button, &QPushButton::clicked, this,
            [this, button, command = command] { SendSetting(*button, command); });
    grid.addWidget(button, row, column++);
  }
}

void TMainRelays::EnterProgramming(QAbstractButton& button) {
  if (!host_.ModuleAvailable(kMainModuleAddr)) {
    host_.ShowStatusText(
        QStringLiteral("Модуль %1 не отвечает: команда не отправлена").arg(kMainModuleAddr), false);
    return;
  }
  SendPageCommand(*this, host_, &button,
                  {.Dest = kMainModuleAddr, .Command = kLearnCommand, .Data = {kLearnRelays}});
  secondsLeft_ = kProgrammingSeconds;
  ShowCountdown();
  timer_.start();
}

void TMainRelays::ResetRelays(QAbstractButton& button) {
  WhenRelaysProgrammed(*this, host_, button, [this, &button] {
    SendPageCommand(
        *this, host_, &button, {.Dest = kMainModuleAddr, .Command = kRelayCommand, .Data = {0}},
        [this](const TAdapter::TAnswer& answer) {
          static const QString kResults[] = {QStringLiteral("Команда принята"),
                                             QStringLiteral("Снимите с охраны полностью"),
                                             QStringLiteral("Выключите зажигание")};
          if (!answer.Answered) {
            host_.ShowStatusText(QStringLiteral("Реле не ответили"), false);
          } else if (answer.Length > 0 && answer.Data[0] < 3) {
            host_.ShowStatusText(kResults[answer.Data[0]], false);
          }
        });
  });
}

void TMainRelays::LeaveProgramming(QAbstractButton& button) {
  WhenRelaysProgrammed(*this, host_, button, [this, &button] {
    SendPageCommand(*this, host_, &button,
                    {.Dest = kMainModuleAddr, .Command = kLeaveCommand, .Data = {kLeaveData, 0}});
    secondsLeft_ = 0;
    timer_.stop();
    ShowCountdown();
  });
}

void TMainRelays::SendSetting(QAbstractButton& button, uint8_t command) {
  const auto data = static_cast<uint8_t>(target_->currentIndex() * kTargetStep + command);
  WhenRelaysProgrammed(*this, host_, button, [this, &button, data] {
    SendPageCommand(*this, host_, &button,
                    {.Dest = kMainModuleAddr, .Command = kRelayCommand, .Data = {data}});
  });
}

void TMainRelays::Tick() {
  if (secondsLeft_ > 0) --secondsLeft_;
  if (secondsLeft_ == 0) timer_.stop();
  ShowCountdown();
}

QString TMainRelays::Countdown() const {
  return QStringLiteral("%1:%2")
      .arg(secondsLeft_ / 60)
      .arg(secondsLeft_ % 60, 2, 10, QLatin1Char('0'));
}

void TMainRelays::ShowCountdown() {
  countdown_->setText(Countdown());
}
