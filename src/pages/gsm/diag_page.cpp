#include "pages/gsm/diag_page.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "binding/ui/category_panels.h"
#include "binding/ui/page_command.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_label.h"
#include "link/bus_requests.h"
#include "pages/gsm/diag_table.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/named_button.h"
#include "text/code_page_1251.h"
#include "text/file_save.h"

namespace {

constexpr char kStateSection[] = "Состояние модема";
constexpr char kControlSection[] = "Контроль";
constexpr char kConsoleSection[] = "AT-сообщения модема";

constexpr uint8_t kState = 3;
constexpr uint8_t kRestart = 0;
constexpr uint8_t kRestartModem = 64;
constexpr uint8_t kRestartModule = 192;
constexpr uint8_t kStatus = 0;
constexpr uint8_t kFirstStatus = 1;
constexpr uint8_t kHeaterOn = 5;
constexpr uint8_t kHeaterOff = 6;
constexpr uint8_t kDump = 8;
constexpr uint8_t kConsoleOn = 9;
constexpr uint8_t kConsoleOff = 10;
constexpr uint8_t kConsoleKey = 43;
constexpr uint8_t kBalance = 70;
constexpr uint8_t kCtrlZ = 26;
constexpr int kStatusLength = 7;

constexpr const char* kStatusCaptions[] = {"Температура салона", "Напряжение \"+12В\"",
                                           "Уровень сигнала", "Температура двигателя"};
constexpr int kSignalRow = 2;

QString Bit(uint8_t byte, int bit) {
  return (byte >> bit) & 1 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QString DumpText(const TAdapter::TAnswer& answer) {
  const auto& d = answer.Data;
  QStringList lines = {
      QStringLiteral("Статус = ") + Bit(d[0], 0),
      QStringLiteral("Питание =") + Bit(d[0], 1),
      QStringLiteral("pwrkey = ") + Bit(d[0], 2),
      QStringLiteral("emerg_off = ") + Bit(d[0], 3),
      QStringLiteral("start_calling = ") + Bit(d[0], 4),
      QStringLiteral("ring_detected = ") + Bit(d[0], 5),
      QStringLiteral("needRepeatFromModem = ") + Bit(d[0], 6),
      QStringLiteral("ModemInitStage = %1").arg(d[1]),
      QStringLiteral("ModemRebootCounter = %1").arg(d[2]),
      QStringLiteral("ModemRebootAttempts = %1").arg(d[3]),
      QStringLiteral("tm1minModemReboot = %1").arg(d[4]),
      QStringLiteral("tm5minGprsTempLock = %1").arg(d[5]),
      QStringLiteral("NoAnsSIMCount = %1").arg(d[6]),
  };
  return QStringLiteral("Статусы GSM:\r\n") + lines.join(QStringLiteral("\r\n"));
}

void ShowInformation(QWidget* parent, const QString& text) {
  auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Диагностика"), text,
                              QMessageBox::Ok, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

QString Now() {
  return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace

TGSMDiagGSMPager::TGSMDiagGSMPager(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmDiagTable(), host)),
      pollTimer_(new QTimer(this)) {
  pollTimer_->setInterval(kPollInterval);
  connect(pollTimer_, &QTimer::timeout, this, &TGSMDiagGSMPager::Poll);
  AddButtons();
  AddControlSection();
  AddConsole();
  AttachModemOutput();
  AttachBalance();
}

QString TGSMDiagGSMPager::LogFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("GSMLog"));
}

void TGSMDiagGSMPager::Initialize() {
  for (auto* category : findChildren<TPanelCategory*>()) {
    if (category->Caption() == QString::fromUtf8(kConsoleSection)) category->SetCollapsed(true);
  }
}

void TGSMDiagGSMPager::PageShown() {
  TVDFrame::PageShown();
  firstRequest_ = true;
  pollPending_ = false;
  pollTimer_->start();
  SendOnly(kState, {});
  Poll();
}

void TGSMDiagGSMPager::PageHidden() {
  TVDFrame::PageHidden();
  pollTimer_->stop();
}

void TGSMDiagGSMPager::SendOnly(uint8_t command, std::vector<uint8_t> data) {
  if (!HasBus()) return;
  TLanMsg msg;
  msg.Source = kPcAddr;
  msg.Dest = kGsmModuleAddr;
  msg.Command = command;
  msg.Length = static_cast<uint8_t>(data.size());
  std::copy(data.begin(), data.end(), msg.Data.begin());
  msg.AnswerRequested = command == kState;
  Requests().Send(msg);
}

void TGSMDiagGSMPager::AddButtons() {
  auto* modem = NamedButton(QStringLiteral("Перезапуск модема"), QStringLiteral("btRestartModem"));
  auto* module =
      NamedButton(QStringLiteral("Перезапуск модуля"), QStringLiteral("btRestartModule"));
  connect(modem, &QPushButton::clicked, this, [this] { SendOnly(kRestart, {kRestartModem}); });
  connect(module, &QPushButton::clicked, this, [this] { SendOnly(kRestart, {kRestartModule}); });
  auto* part = new QWidget;
  auto* row = new QHBoxLayout(part);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(modem);
  row->addWidget(module);
  row->addStretch();
  AddToSection(*this, QString::fromUtf8(kStateSection), part);
}

void TGSMDiagGSMPager::AddStatusGrid() {
  grid_ = new QTableWidget(4, 2);
  grid_->setObjectName(QStringLiteral("sgStatus"));
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setShowGrid(false);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setColumnWidth(0, 220);
  for (int row = 0; row < 4; ++row) {
    grid_->setRowHeight(row, 24);
    grid_->setItem(row, 0, new QTableWidgetItem(QString::fromUtf8(kStatusCaptions[row])));
    grid_->setItem(row, 1, new QTableWidgetItem);
  }
  grid_->setFixedHeight(4 * 24 + 2);
  signal_ = new QProgressBar;
  signal_->setObjectName(QStringLiteral("pbSignal"));
  signal_->setRange(0, 31);
  signal_->setFormat(QStringLiteral("%v"));
  signal_->setValue(0);
  grid_->setCellWidget(kSignalRow, 1, signal_);
  auto& record = controls_.Get<TVDData>("VDData2");
  record.SetControl(grid_);
  std::vector<QWidget*> markers;
  for (const char* name : {"VDLabel3", "VDLabel5", "VDLabel6", "VDLabel7", "VDLabel8"}) {
    markers.push_back(&controls_.Get<TVDLabel>(name));
  }
  record.OnSetEnableEvent = [markers](QObject&, bool enabled) {
    for (QWidget* marker : markers) marker->setEnabled(enabled);
  };
}

void TGSMDiagGSMPager::AddControlSection() {
  AddStatusGrid();
  pollState_ = new QLabel;
  pollState_->setObjectName(QStringLiteral("lbPollState"));
  balance_ = new QLabel;
  balance_->setObjectName(QStringLiteral("lbBalance"));
  balance_->setWordWrap(true);
  auto* heaterOn = NamedButton(QStringLiteral("Включить Webasto"), QStringLiteral("btHeaterOn"));
  auto* heaterOff = NamedButton(QStringLiteral("Выключить Webasto"), QStringLiteral("btHeaterOff"));
  auto* balance = NamedButton(QStringLiteral("Баланс"), QStringLiteral("btBalance"));
  auto* dump = NamedButton(QStringLiteral("Статус IOs"), QStringLiteral("btDump"));
  connect(heaterOn, &QPushButton::clicked, this, [this] { SendOnly(kModemCommand, {kHeaterOn}); });
  connect(heaterOff, &QPushButton::clicked, this,
          [this] { SendOnly(kModemCommand, {kHeaterOff}); });
  connect(balance, &QPushButton::clicked, this, &TGSMDiagGSMPager::RequestBalance);
  connect(dump, &QPushButton::clicked, this, &TGSMDiagGSMPager::RequestDump);

  auto* panel = new QWidget;
  auto* column = new QVBoxLayout(panel);
  column->addWidget(grid_);
  column->addWidget(pollState_);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {heaterOn, heaterOff, balance, dump}) buttons->addWidget(button);
  buttons->addStretch();
  column->addLayout(buttons);
  column->addWidget(balance_);
  AddPanel(QString::fromUtf8(kControlSection), panel);
}

void TGSMDiagGSMPager::Poll() {
  if (!HasBus() || pollPending_) return;
  pollPending_ = true;
  const uint8_t request = firstRequest_ ? kFirstStatus : kStatus;
  firstRequest_ = false;
  Requests().Request(kGsmModuleAddr, kModemCommand, {request},
                     [this](const TAdapter::TAnswer& answer) {
                       pollPending_ = false;
                       ShowStatus(answer);
                     });
}

void TGSMDiagGSMPager::ShowStatus(const TAdapter::TAnswer& answer) {
  if (!answer.Answered || answer.Length != kStatusLength) {
    pollState_->setText(QStringLiteral("Модуль не ответил на запрос состояния (%1)").arg(Now()));
    return;
  }
  pollState_->setText(QStringLiteral("Состояние получено в %1").arg(Now()));
  std::copy_n(answer.Data.begin(), status_.size(), status_.begin());
  grid_->item(0, 1)->setText(CabinTemperatureText(status_[0]));
  grid_->item(1, 1)->setText(SupplyVoltageText(status_[1]));
  const bool network = status_[4] != kNoNetwork;
  grid_->item(kSignalRow, 1)->setText(network ? QString() : QStringLiteral("нет сети"));
  signal_->setVisible(network);
  signal_->setValue(SignalLevel(status_[4]));
  grid_->item(3, 1)->setText(EngineTemperatureText(status_[6]));
}

void TGSMDiagGSMPager::RequestDump() {
  auto* button = findChild<QPushButton*>(QStringLiteral("btDump"));
  SendPageCommand(*this, host_, button,
                  {.Dest = kGsmModuleAddr, .Command = kModemCommand, .Data = {kDump}},
                  [this](const TAdapter::TAnswer& answer) {
                    if (!answer.Answered || answer.Length != kStatusLength) {
                      pollState_->setText(
                          QStringLiteral("Модуль не ответил на запрос статусов (%1)").arg(Now()));
                      return;
                    }
                    lastDump_ = DumpText(answer);
                    ShowInformation(this, lastDump_);
                  });
}

void TGSMDiagGSMPager::AttachBalance() {
  controls_.Get<TVDData>("vddGSMBalance").OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (const auto text = balancePieces_.Take(index, byte)) balance_->setText(*text);
  };
}

void TGSMDiagGSMPager::RequestBalance() {
  balancePieces_.Clear();
  balance_->clear();
  SendOnly(kBalance, {});
}

void TGSMDiagGSMPager::AddConsole() {
  output_ = new QPlainTextEdit;
  output_->setObjectName(QStringLiteral("mmModemOutput"));
  output_->setReadOnly(true);
  output_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  input_ = new QPlainTextEdit;
  input_->setObjectName(QStringLiteral("mmModemInput"));
  input_->setMaximumHeight(60);
  input_->installEventFilter(this);
  auto* clearOutput = new QAction(QStringLiteral("Очистить"), this);
  auto* repeat = new QAction(QStringLiteral("Повторить"), this);
  connect(clearOutput, &QAction::triggered, output_, &QPlainTextEdit::clear);
  connect(repeat, &QAction::triggered, this, &TGSMDiagGSMPager::Repeat);
  for (QPlainTextEdit* memo : {output_, input_}) {
    memo->setContextMenuPolicy(Qt::ActionsContextMenu);
    memo->addAction(clearOutput);
    memo->addAction(repeat);
  }
  auto* clearBoth = NamedButton(QStringLiteral("Очистка"), QStringLiteral("btClearConsole"));
  connect(clearBoth, &QPushButton::clicked, this, [this] {
    output_->clear();
    input_->clear();
  });
  lineLimit_ = new QLineEdit(QStringLiteral("1000"));
  lineLimit_->setObjectName(QStringLiteral("eLineLimit"));
  allCharacters_ = new QCheckBox(QStringLiteral("Все символы"));
  allCharacters_->setObjectName(QStringLiteral("cbAllCharacters"));
  auto* on = NamedButton(QStringLiteral("Включить AT-комманды"), QStringLiteral("btConsoleOn"));
  auto* off = NamedButton(QStringLiteral("Выключить AT-комманды"), QStringLiteral("btConsoleOff"));
  connect(on, &QPushButton::clicked, this, [this] { SwitchConsole(true); });
  connect(off, &QPushButton::clicked, this, [this] { SwitchConsole(false); });
  consoleState_ = new QLabel;
  consoleState_->setObjectName(QStringLiteral("lbConsoleState"));

  auto* panel = new QWidget;
  auto* column = new QVBoxLayout(panel);
  column->addWidget(output_, 1);
  column->addWidget(input_);
  auto* controls = new QHBoxLayout;
  controls->addWidget(clearBoth);
  controls->addWidget(new QLabel(QStringLiteral("Строк:")));
  controls->addWidget(lineLimit_);
  controls->addWidget(allCharacters_);
  controls->addWidget(on);
  controls->addWidget(off);
  controls->addStretch();
  column->addLayout(controls);
  column->addWidget(consoleState_);
  AddPanel(QString::fromUtf8(kConsoleSection), panel);
}

void TGSMDiagGSMPager::SwitchConsole(bool on) {
  const uint8_t request = on ? kConsoleOn : kConsoleOff;
  auto* button =
      findChild<QPushButton*>(on ? QStringLiteral("btConsoleOn") : QStringLiteral("btConsoleOff"));
  SendPageCommand(
      *this, host_, button, {.Dest = kGsmModuleAddr, .Command = kModemCommand, .Data = {request}},
      [this, on, request](const TAdapter::TAnswer& answer) {
        if (!answer.Answered || answer.Length < 1 || answer.Data[0] != request) {
          consoleState_->setText(QStringLiteral("Модуль не подтвердил команду (%1)").arg(Now()));
          return;
        }
        const QString text =
            on ? QStringLiteral("АТ-команды включены") : QStringLiteral("АТ-команды выключены");
        consoleState_->setText(text);
        ShowInformation(this, text);
      });
}

bool TGSMDiagGSMPager::eventFilter(QObject* watched, QEvent* event) {
  if (watched != input_ || event->type() != QEvent::KeyPress)
    return TVDFrame::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  if (text.isEmpty()) return false;
  const char16_t code = text.at(0).unicode();
  SendOnly(kConsoleKey, {1, static_cast<uint8_t>(ToCp1251(text.left(1)).at(0))});
  return code == kCtrlZ;
}

void TGSMDiagGSMPager::TypeKey(char16_t key) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(key)));
  QCoreApplication::sendEvent(input_, &press);
}

void TGSMDiagGSMPager::Repeat() {
  const QString selected = input_->textCursor().selectedText();
  if (selected.isEmpty()) return;
  input_->moveCursor(QTextCursor::End);
  for (const QChar c : selected) TypeKey(c.unicode());
}

void TGSMDiagGSMPager::AttachModemOutput() {
  controls_.Get<TVDData>("VDData1").OnLoad = [this](QObject&, uint8_t byte, int) {
    TakeModemByte(byte);
  };
}

void TGSMDiagGSMPager::TakeModemByte(uint8_t byte) {
  const QString text = modemText_.Take(byte, allCharacters_->isChecked());
  if (text.isEmpty()) return;
  output_->moveCursor(QTextCursor::End);
  output_->insertPlainText(text);
  output_->moveCursor(QTextCursor::End);
  LogWhenFull();
}

// A full console goes to a log file below the user's data folder, so that a long session
// neither slows the memo down nor gets lost.
void TGSMDiagGSMPager::LogWhenFull() {
  bool ok = false;
  const int limit = lineLimit_->text().toInt(&ok);
  if (!ok || limit < 1) {
    consoleState_->setText(QStringLiteral("Число строк не задано: журнал не сохраняется"));
    return;
  }
  if (output_->blockCount() <= limit) return;
  const QString folder = LogFolder();
  const QString name =
      QStringLiteral("%1.txt").arg(QDateTime::currentDateTimeUtc().toSecsSinceEpoch());
  const QString path = QDir(folder).filePath(name);
  if (!QDir().mkpath(folder)) {
    consoleState_->setText(QStringLiteral("Журнал не сохранён: ") + path);
    return;
  }
  const TSaveResult saved = SaveFileBytes(path, output_->toPlainText().toUtf8());
  if (!saved.Ok()) {
    consoleState_->setText(QStringLiteral("Журнал не сохранён: %1: %2").arg(path, saved.Reason));
    return;
  }
  output_->clear();
  const QLocale locale;
  output_->appendPlainText(
      QStringLiteral("Logged ") +
      locale.toString(QDateTime::currentDateTime(), locale.dateFormat(QLocale::ShortFormat) + u' ' +
                                                        locale.timeFormat(QLocale::LongFormat)) +
      u' ' + path);
}

QString TGSMDiagGSMPager::StatusValue(int row) const {
  return grid_->item(row, 1)->text();
}

bool TGSMDiagGSMPager::SignalBarVisible() const {
  return !signal_->isHidden();
}

int TGSMDiagGSMPager::SignalBarValue() const {
  return signal_->value();
}

QString TGSMDiagGSMPager::PollState() const {
  return pollState_->text();
}

QString TGSMDiagGSMPager::ConsoleState() const {
  return consoleState_->text();
}

QString TGSMDiagGSMPager::ModemOutput() const {
  return output_->toPlainText();
}

QString TGSMDiagGSMPager::Balance() const {
  return balance_->text();
}
