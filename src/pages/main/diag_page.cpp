#include "pages/main/diag_page.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>

#include "binding/ui/category_panels.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_memo.h"
#include "link/lan_msg.h"
#include "memory/device_memory_item.h"
#include "memory/lan_device.h"
#include "pages/main/diag_table.h"
#include "pages/main/diag_texts.h"
#include "pages/main/main_board.h"

namespace {

constexpr char kAlarms[] = "Тревоги";
constexpr char kRestarts[] = "Причины рестарта процессора ГМ";
constexpr char kDates[] = "Дата выпуска и установки";
constexpr char kReadings[] = "Параметры Tarsk5";
constexpr char kStartSection[] = "Запуск и турбо-таймер";

constexpr uint8_t kReadInternal = kMemoryCommands[mlInt]->Read;
constexpr uint8_t kWriteInternal = kMemoryCommands[mlInt]->Write;
constexpr uint8_t kWriteSettings = kMemoryCommands[mlExt]->Write;
constexpr int kCountersAddr = 96;
constexpr int kRestartAddr = 400;
constexpr int kBlock = 8;
// The board record in the main module's flash: its bytes 2 and 3 are the first firmware.
constexpr int kBoardRecordAddr = 65408;

QPushButton* Button(const QString& caption, const QString& name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}

QPlainTextEdit* ReadOnlyBox(const QString& name) {
  auto* box = new QPlainTextEdit;
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setMaximumHeight(110);
  return box;
}

}  // namespace

TMainDiag::TMainDiag(IPageHost& host, TMainBoard& board, QWidget* parent)
    : TVDFrame(0, parent),
      host_(host),
      board_(board),
      controls_(BuildTablePage(*this, MainDiagTable(), host)) {
  AddCounters();
  AddRestartHistory();
  AddDates();
  AddReadings();
  AttachHistories();
  AttachDates();
  AttachReadings();
  for (auto* category : findChildren<TPanelCategory*>()) {
    const QString caption = category->Caption();
    if (caption == QLatin1String(kStartSection) || caption == QString::fromUtf8(kRestarts)) {
      category->SetCollapsed(true);
    }
  }
}

void TMainDiag::AttachHistories() {
  const char* names[] = {"VDMemo1", "VDMemo2", "VDMemo3", "VDMemo4"};
  for (std::size_t i = 0; i < histories_.size(); ++i) {
    histories_[i] = &controls_.Get<TVDMemo>(names[i]);
    histories_[i]->setReadOnly(true);
    histories_[i]->setMaximumHeight(90);
  }
  auto* erase = Button(QStringLiteral("Стереть историю"), QStringLiteral("btEraseHistory"));
  connect(erase, &QPushButton::clicked, this, &TMainDiag::ClearHistories);
  auto* part = new QWidget;
  auto* layout = new QVBoxLayout(part);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("Последние тревоги")));
  layout->addWidget(erase, 0, Qt::AlignLeft);
  AddToSection(*this, QString::fromUtf8(kAlarms), part);
}

// Empty memos store zeros: the next write clears the histories in the module.
void TMainDiag::ClearHistories() {
  for (TVDMemo* memo : histories_) memo->clear();
  if (auto* mem = histories_[0]->GetMem()) mem->SetModified(true);
}

void TMainDiag::AddCounters() {
  counters_ = ReadOnlyBox(QStringLiteral("mmAlarmCounters"));
  auto* request = Button(QStringLiteral("Запросить"), QStringLiteral("btRequestCounters"));
  auto* clear = Button(QStringLiteral("Обнулить"), QStringLiteral("btClearCounters"));
  connect(request, &QPushButton::clicked, this, &TMainDiag::RequestCounters);
  connect(clear, &QPushButton::clicked, this, &TMainDiag::ClearCounters);
  auto* part = new QWidget;
  auto* layout = new QVBoxLayout(part);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("Счетчик тревог")));
  layout->addWidget(counters_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(request);
  buttons->addWidget(clear);
  buttons->addStretch();
  layout->addLayout(buttons);
  AddToSection(*this, QString::fromUtf8(kAlarms), part);
}

void TMainDiag::RunInOrder(QAbstractButton& button, std::vector<TPageCommand> commands,
                           std::function<void(bool, std::vector<TAdapter::TAnswer>)> done) {
  struct TRun {
    std::vector<TPageCommand> Commands;
    std::vector<TAdapter::TAnswer> Answers;
    std::function<void(bool, std::vector<TAdapter::TAnswer>)> Done;
  };
  auto run = std::make_shared<TRun>(TRun{std::move(commands), {}, std::move(done)});
  auto next = std::make_shared<std::function<void()>>();
  *next = [this, &button, run, next] {
    if (run->Answers.size() == run->Commands.size()) {
      run->Done(true, run->Answers);
      *next = nullptr;
      return;
    }
    SendPageCommand(*this, host_, &button, run->Commands[run->Answers.size()],
                    [run, next](const TAdapter::TAnswer& answer) {
                      if (!answer.Answered) {
                        run->Done(false, run->Answers);
                        *next = nullptr;
                        return;
                      }
                      run->Answers.push_back(answer);
                      if (*next) (*next)();
                    });
  };
  (*next)();
}

void TMainDiag::RequestCounters() {
  counters_->clear();
  std::vector<TPageCommand> commands;
  for (int k = 0; k < 4; ++k) {
    commands.push_back({.Dest = kMainModuleAddr,
                        .Command = kReadInternal,
                        .Data = {kBlock, static_cast<uint8_t>(kCountersAddr + kBlock * k), 0}});
  }
  RunInOrder(*findChild<QPushButton*>(QStringLiteral("btRequestCounters")), std::move(commands),
             [this](bool answered, const std::vector<TAdapter::TAnswer>& answers) {
               if (!answered) {
                 host_.ShowStatusText(
                     QStringLiteral("Главный модуль не ответил: счетчики тревог не прочитаны"),
                     false);
                 return;
               }
               std::array<uint8_t, 32> values{};
               for (std::size_t k = 0; k < answers.size(); ++k) {
                 for (int i = 0; i < kBlock && i < answers[k].Length; ++i) {
                   values[k * kBlock + static_cast<std::size_t>(i)] =
                       answers[k].Data[static_cast<std::size_t>(i)];
                 }
               }
               counters_->setPlainText(AlarmCounterLines(values).join(u'\n'));
             });
}

void TMainDiag::ClearCounters() {
  std::vector<TPageCommand> commands;
  for (int k = 0; k < 4; ++k) {
    TPageCommand command{.Dest = kMainModuleAddr,
                         .Command = kWriteInternal,
                         .Data = {static_cast<uint8_t>(kCountersAddr + kBlock * k), 0}};
    command.Data.resize(2 + kBlock, 0);
    commands.push_back(std::move(command));
  }
  RunInOrder(*findChild<QPushButton*>(QStringLiteral("btClearCounters")), std::move(commands),
             [this](bool answered, const std::vector<TAdapter::TAnswer>&) {
               if (!answered) {
                 host_.ShowStatusText(
                     QStringLiteral("Главный модуль не ответил: счетчики тревог не обнулены"),
                     false);
                 return;
               }
               counters_->clear();
             });
}

void TMainDiag::AddRestartHistory() {
  restarts_ = ReadOnlyBox(QStringLiteral("mmRestarts"));
  auto* clear = Button(QStringLiteral("Очистить историю"), QStringLiteral("btClearRestarts"));
  connect(clear, &QPushButton::clicked, this, &TMainDiag::ClearRestartHistory);
  auto* part = new QWidget;
  auto* layout = new QVBoxLayout(part);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(restarts_);
  layout->addWidget(clear, 0, Qt::AlignLeft);
  AddToSection(*this, QString::fromUtf8(kRestarts), part);
  controls_.Get<TVDData>("vddResetCause").OnLoad = [this](QObject&, uint8_t byte, int index) {
    restartBytes_[static_cast<std::size_t>(index)] = byte;
    if (index == 31) restarts_->setPlainText(RestartHistoryLines(restartBytes_).join(u'\n'));
  };
}

// The history lives in the settings memory: the module's settings are written, and the image
// takes what the module now holds, so that nothing is left to write.
void TMainDiag::ClearRestartHistory() {
  std::vector<TPageCommand> commands;
  for (int k = 0; k < 4; ++k) {
    const int addr = kRestartAddr + kBlock * k;
    std::vector<uint8_t> data(2 + kBlock, 0xFF);
    data[0] = static_cast<uint8_t>(addr & 0xFF);
    data[1] = static_cast<uint8_t>(addr >> 8);
    commands.push_back(
        {.Dest = kMainModuleAddr, .Command = kWriteSettings, .Data = std::move(data)});
  }
  RunInOrder(*findChild<QPushButton*>(QStringLiteral("btClearRestarts")), std::move(commands),
             [this](bool answered, const std::vector<TAdapter::TAnswer>&) {
               if (!answered) {
                 host_.ShowStatusText(
                     QStringLiteral("Главный модуль не ответил: история не очищена"), false);
                 return;
               }
               restartBytes_.fill(0xFF);
               auto& item = controls_.Get<TVDData>("vddResetCause");
               if (auto* mem = dynamic_cast<TDeviceMemoryItem*>(item.GetMem())) {
                 mem->TakeModuleBytes(kRestartAddr, restartBytes_);
               }
               restarts_->setPlainText(RestartHistoryLines(restartBytes_).join(u'\n'));
             });
}

void TMainDiag::AddDates() {
  produced_ = new QLabel(QStringLiteral("?"));
  produced_->setObjectName(QStringLiteral("lbProduced"));
  installed_ = new QDateEdit(QDate::currentDate());
  installed_->setObjectName(QStringLiteral("dtInstalled"));
  installed_->setCalendarPopup(true);
  installed_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  auto* part = new QWidget;
  auto* grid = new QGridLayout(part);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Дата выпуска:")), 0, 0);
  grid->addWidget(produced_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Дата установки:")), 1, 0);
  grid->addWidget(installed_, 1, 1);
  grid->setColumnStretch(2, 1);
  AddToSection(*this, QString::fromUtf8(kDates), part);
}

// The first firmware of the board, from the board record in flash; nullopt while the record
// has not been read (an older module, which has none to read, counts as firmware 0).
std::optional<uint8_t> TMainDiag::FirstFirmware(int byte) const {
  const auto* item = &controls_.Get<TVDData>("VDData1");
  const auto* mem = dynamic_cast<const TDeviceMemoryItem*>(item->GetMem());
  if (mem == nullptr || mem->Device() == nullptr) return std::nullopt;
  const auto* flash = dynamic_cast<const TDeviceMemoryItem*>(mem->Device()->FindItem(mlFlash));
  if (flash == nullptr) return uint8_t{0};
  if (!flash->IsLoaded()) return std::nullopt;
  const auto image = flash->Image();
  const auto at = static_cast<std::size_t>(kBoardRecordAddr + byte);
  return at < image.size() ? image[at] : uint8_t{0};
}

void TMainDiag::AttachDates() {
  constexpr int kMajor = 2;
  constexpr int kMinor = 3;
  auto& production = controls_.Get<TVDData>("VDData1");
  production.OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index == 0) {
      productionDay_ = byte;
      return;
    }
    const auto major = FirstFirmware(kMajor);
    if (!major) return;
    if (!DateKnown(*major, productionDay_, byte)) {
      produced_->setText(QStringLiteral("неизвестна"));
      return;
    }
    if (const auto date = DecodeDate(productionDay_, byte, FirstFirmware(kMinor).value_or(0))) {
      produced_->setText(date->toString(QStringLiteral("dd.MM.yyyy")));
    }
  };
  auto& installation = controls_.Get<TVDData>("VDData2");
  installation.OnLoad = [this, &installation](QObject&, uint8_t byte, int index) {
    if (index == 0) {
      installationDay_ = byte;
      return;
    }
    const QSignalBlocker quiet(installed_);
    keepInstallation_ = false;
    const auto major = FirstFirmware(kMajor);
    // Without the board record the year cannot be told: the bytes stay as they are.
    if (!major) {
      keepInstallation_ = true;
      return;
    }
    if (!DateKnown(*major, installationDay_, byte)) {
      // Nothing recorded yet: today's date is offered and goes to the module at the next write.
      installed_->setDate(QDate::currentDate());
      if (installation.GetMem() != nullptr) installation.GetMem()->SetModified(true);
      return;
    }
    if (const auto date = DecodeDate(installationDay_, byte, FirstFirmware(kMinor).value_or(0))) {
      installed_->setDate(*date);
      return;
    }
    // Bytes that make no date stay as they are until the user picks one.
    installed_->setDate(QDate::currentDate());
    keepInstallation_ = true;
  };
  installation.OnStore = [this](QObject&, uint8_t& byte, int index) {
    if (keepInstallation_) return;
    const auto [day, yearMonth] = EncodeDate(installed_->date(), FirstFirmware(kMinor).value_or(0));
    byte = index == 0 ? day : yearMonth;
  };
  installation.OnSetDefaultState = [this, &installation](QObject&, uint8_t& byte, int index) {
    const QSignalBlocker quiet(installed_);
    installed_->setDate(QDate::currentDate());
    keepInstallation_ = false;
    const auto [day, yearMonth] = EncodeDate(installed_->date(), FirstFirmware(kMinor).value_or(0));
    byte = index == 0 ? day : yearMonth;
    if (installation.GetMem() != nullptr) installation.GetMem()->SetModified(true);
  };
  connect(installed_, &QDateEdit::dateChanged, this, [this, &installation] {
    keepInstallation_ = false;
    installation.StoreEdited();
  });
}

void TMainDiag::AddReadings() {
  readingsGrid_ = new QTableWidget(3, 2);
  readingsGrid_->setObjectName(QStringLiteral("sgReadings"));
  readingsGrid_->horizontalHeader()->hide();
  readingsGrid_->verticalHeader()->hide();
  readingsGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  readingsGrid_->horizontalHeader()->setStretchLastSection(true);
  readingsGrid_->setColumnWidth(0, 300);
  readingsGrid_->setMaximumHeight(100);
  const char* captions[] = {"Напряжение на плате", "Потребление левого/правого поворотника",
                            "Напряжение на АЦП "};
  for (int row = 0; row < 3; ++row) {
    readingsGrid_->setItem(row, 0, new QTableWidgetItem(QString::fromUtf8(captions[row])));
    readingsGrid_->setItem(row, 1, new QTableWidgetItem);
  }
  AddToSection(*this, QString::fromUtf8(kReadings), readingsGrid_);
  // The readings only show: the section is greyed, as the module alone sets them.
  readingsGrid_->setEnabled(false);
}

void TMainDiag::AttachReadings() {
  controls_.Get<TVDData>("VDData3").OnLoad = [this](QObject&, uint8_t byte, int index) {
    readings_[static_cast<std::size_t>(index)] = byte;
    if (index == 3) ShowReadings();
  };
  controls_.Get<TVDData>("VDData4").OnLoad = [this](QObject&, uint8_t byte, int) {
    converter_ = byte;
    ShowReadings();
  };
  controls_.Get<TVDData>("VDData5").OnLoad = [this](QObject&, uint8_t byte, int) {
    revision_ = byte;
  };
  ShowReadings();
}

void TMainDiag::ShowReadings() {
  readingsGrid_->item(0, 1)->setText(BoardVoltageText(readings_[0]));
  readingsGrid_->item(1, 1)->setText(TurnCurrentText(readings_[1], revision_));
  readingsGrid_->item(2, 1)->setText(ConverterText(converter_, revision_));
}

QString TMainDiag::RestartHistory() const {
  return restarts_->toPlainText();
}

QString TMainDiag::AlarmCounters() const {
  return counters_->toPlainText();
}

QString TMainDiag::ProductionDate() const {
  return produced_->text();
}

QString TMainDiag::BoardReading(int row) const {
  return readingsGrid_->item(row, 1)->text();
}
