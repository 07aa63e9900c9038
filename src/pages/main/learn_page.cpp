#include "pages/main/learn_page.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "link/lan_msg.h"
#include "pages/main/learn_table.h"
#include "pages/main/programming_check.h"

namespace {

constexpr uint8_t kTagTransceiverAddr = 25;
constexpr uint8_t kTagSearch = 0;
constexpr int kAnswerWindowMs = 42000;
constexpr int kSearchSeconds = 42;
constexpr uint8_t kTagAnswered = 108;
constexpr uint8_t kLearningStep = 113;
constexpr uint8_t kTransceiverCode = 1;

struct TImitation {
  const char* Section;
  const char* Caption;
  uint8_t Source;
  uint8_t Command;
};
constexpr TImitation kImitations[] = {
    {"Запуск двигателя", "Старт", 4, 106},
    {"Запуск двигателя", "Стоп", 3, 112},
    {"Снять / поставить в охрану", "Снять", 3, 116},
    {"Снять / поставить в охрану", "Поставить", 3, 96},
};

QWidget* Row(std::initializer_list<QWidget*> widgets) {
  auto* part = new QWidget;
  auto* layout = new QHBoxLayout(part);
  layout->setContentsMargins(0, 2, 0, 2);
  for (QWidget* widget : widgets) layout->addWidget(widget);
  layout->addStretch();
  return part;
}

}  // namespace

TMainLearn::TMainLearn(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent), host_(host) {
  BuildTablePage(*this, MainLearnTable(), host);
  AddCommandButtons();
  AddTagRequest();
  AddImitations();
  host_.WatchMessages(*this, [this](const TLanMsg& msg) { Watch(msg); });
}

// Buttons that carry the window's own commands: they follow its enabling.
void TMainLearn::AddCommandButtons() {
  const struct {
    const char* Section;
    std::initializer_list<const char*> Commands;
    const char* Note;
  } parts[] = {
      {"Тахометр и спидометр", {"aMeasureTaho", "aMeasureSpeed"}, ""},
      {"Микроиммобилайзеры и  сетевые устройства",
       {"aLearnWL"},
       "Не следует использовать при заведённом двигателе"},
      {"Рестарт системы", {"ResetSystem"}, ""},
      {"Обучение брелокам и меткам", {"aLabelAndTxStartLearn", "aLabelAndTxEndLearn"}, ""},
  };
  for (const auto& part : parts) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 2, 0, 2);
    if (part.Note[0] != '\0') layout->addWidget(new QLabel(QString::fromUtf8(part.Note)));
    for (const char* name : part.Commands) {
      QAction* command = host_.WindowCommand(QLatin1String(name));
      if (command == nullptr) continue;
      auto* button = new QToolButton;
      button->setObjectName(QStringLiteral("bt") + QLatin1String(name));
      button->setDefaultAction(command);
      button->setToolButtonStyle(Qt::ToolButtonTextOnly);
      layout->addWidget(button);
    }
    layout->addStretch();
    AddToSection(*this, QString::fromUtf8(part.Section), row);
  }
}

void TMainLearn::AddTagRequest() {
  countLabel_ = new QLabel;
  countLabel_->setObjectName(QStringLiteral("lbAnswers"));
  countdownLabel_ = new QLabel;
  countdownLabel_->setObjectName(QStringLiteral("lbCountdown"));
  start_ = new QPushButton(QStringLiteral("Включить"));
  start_->setObjectName(QStringLiteral("btTagSearchOn"));
  stop_ = new QPushButton(QStringLiteral("Выключить"));
  stop_->setObjectName(QStringLiteral("btTagSearchOff"));
  connect(start_, &QPushButton::clicked, this, &TMainLearn::StartTagRequest);
  connect(stop_, &QPushButton::clicked, this, &TMainLearn::StopTagRequest);
  AddToSection(*this, QStringLiteral("Включить/выключить запрос метки"),
               Row({countLabel_, new QLabel(QStringLiteral("Оставшееся время:")), countdownLabel_,
                    start_, stop_}));
  answerWindow_.setSingleShot(true);
  answerWindow_.setInterval(kAnswerWindowMs);
  connect(&answerWindow_, &QTimer::timeout, this, [this] { counting_ = false; });
  countdown_.setInterval(1000);
  connect(&countdown_, &QTimer::timeout, this, &TMainLearn::Tick);
  ShowState();
}

void TMainLearn::AddImitations() {
  for (const TImitation& imitation : kImitations) {
    auto* button = new QPushButton(QString::fromUtf8(imitation.Caption));
    button->setObjectName(QStringLiteral("btImitate%1").arg(imitation.Command));
    connect(button, &QPushButton::clicked, this,
            [this, button, imitation] { Imitate(*button, imitation.Source, imitation.Command); });
    AddToSection(*this, QString::fromUtf8(imitation.Section), Row({button}));
  }
  AddToSection(
      *this, QStringLiteral("Снять / поставить в охрану"),
      new QLabel(QStringLiteral(
          "При постановке в охрану без Трансивера управление главным модулем недоступно")));
}

void TMainLearn::StartTagRequest() {
  if (countdown_.isActive()) return;
  answers_ = 0;
  counting_ = true;
  SendPageCommand(*this, host_, start_,
                  {.Dest = kTagTransceiverAddr, .Command = kTagSearch, .Data = {1}},
                  [this](const TAdapter::TAnswer& answer) {
                    if (!answer.Answered) {
                      host_.ShowStatusText(QStringLiteral("Трансивер метки не ответил"), false);
                    }
                    ShowState();
                  });
  secondsLeft_ = kSearchSeconds;
  answerWindow_.start();
  countdown_.start();
  ShowState();
}

void TMainLearn::StopTagRequest() {
  counting_ = false;
  answerWindow_.stop();
  SendPageCommand(*this, host_, stop_,
                  {.Dest = kTagTransceiverAddr, .Command = kTagSearch, .Data = {0}},
                  [this](const TAdapter::TAnswer&) { ShowState(); });
  countdown_.stop();
  secondsLeft_ = 0;
  ShowState();
}

void TMainLearn::Tick() {
  if (secondsLeft_ > 0) --secondsLeft_;
  if (secondsLeft_ == 0) countdown_.stop();
  ShowState();
}

QString TMainLearn::Countdown() const {
  return QStringLiteral("0:%1").arg(secondsLeft_, 2, 10, QLatin1Char('0'));
}

void TMainLearn::ShowState() {
  countLabel_->setText(QStringLiteral("Кол. ответов: %1").arg(answers_));
  countdownLabel_->setText(Countdown());
  const bool running = countdown_.isActive();
  start_->setEnabled(!running);
  stop_->setEnabled(running);
}

// The imitated module's message carries the last code the tag transceiver sent.
void TMainLearn::Imitate(QAbstractButton& button, uint8_t source, uint8_t command) {
  WhenRelaysProgrammed(*this, host_, button, [this, &button, source, command] {
    SendPageCommand(*this, host_, &button,
                    {.Source = source,
                     .Dest = kBroadcastAddr,
                     .Command = command,
                     .Data = {transceiverCode_[0], transceiverCode_[1]}});
  });
}

void TMainLearn::Watch(const TLanMsg& msg) {
  if (msg.Source == kTagTransceiverAddr && msg.Dest == kMainModuleAddr &&
      msg.Command == kTransceiverCode && msg.Length >= 2) {
    transceiverCode_ = {msg.Data[0], msg.Data[1]};
  }
  const bool tagAnswered =
      msg.Command == kTagAnswered ||
      (msg.Command == kLearningStep && msg.Length >= 5 && (msg.Data[4] & 0x0F) == 0);
  if (counting_ && tagAnswered) {
    ++answers_;
    ShowState();
  }
}
