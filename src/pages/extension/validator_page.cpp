#include "pages/extension/validator_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "binding/ui/byte_table.h"
#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_grid.h"
#include "binding/ui/vd_track_bar.h"
#include "pages/extension/extension_modules.h"
#include "pages/extension/grid_cells.h"
#include "pages/extension/learn_session.h"
#include "pages/extension/overload_record.h"
#include "pages/extension/page_bus.h"
#include "pages/extension/page_items.h"
#include "pages/extension/validator_table.h"

namespace {

constexpr int kLines = 6;
constexpr int kButtons = 8;
constexpr uint8_t kChooseSet = 116;
constexpr uint8_t kNoDigit = 17;
constexpr uint8_t kLevelsNote = 3;

const QString kModeTexts[] = {QStringLiteral("при замыкании"), QStringLiteral("при размыкании")};

constexpr const char* kLine1Menu[] = {"Пассивная блокировка", "Активная блокировка"};
constexpr const char* kLine6Menu[] = {"Реле сирены", "Реле клаксона", "Дополнительная блокировка",
                                      "Импульс на подтверждение ", "Инверсия основной блокировки"};
constexpr const char* kInputMenu[] = {"Цифровой код", "Запрос ввода кода", "Отложить запрос",
                                      "Дублёр кнопки ПИН"};

// "Время на ввод кода": seconds, then minutes and seconds from one minute on.
}  // namespace

TValidatorPage::TValidatorPage(IPageHost& host, QWidget* parent)
    : TVDFrame(kValidatorAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, ValidatorTable(), host)),
      learning_(new TLearnSession(*this, host)) {
  AddLinesGrid();
  AddAnalogGrid();
  AddSetButtons();
  AddOverloads();
  AddPin();
  BindItems();
  learning_->OnFinished = [this] {
    TellPageShown(*this, host_, kValidatorAddr, true);
    Redraw();
  };
  Redraw();
}

void TValidatorPage::BindItems() {
  const auto bind = [this](const char* item, std::span<uint8_t> bytes,
                           std::span<const uint8_t> factory) {
    BindBytes(controls_, item, bytes, factory, [this] { Redraw(); });
  };
  static constexpr uint8_t kZero[] = {0};
  static constexpr uint8_t kNone[] = {TValidatorLines::kNoLine};
  static constexpr uint8_t kLine5[] = {3};
  static constexpr uint8_t kHorn[] = {1};
  static constexpr uint8_t kAllButtons[] = {0xFF, 0xFF};
  static constexpr uint8_t kNoButtons[] = {0, 0};
  bind("vddUpDown", lines_.UpDown, TValidatorLines::kFactoryUpDown);
  bind("vddLearned", lines_.Learned, kZero);
  bind("vddMask", lines_.Mask, TValidatorLines::kFactoryMask);
  bind("vddSeqEvent", lines_.SeqEvent, kZero);
  bind("vddPIN_copy", lines_.PinCopy, kZero);
  bind("vddTypeBlock", lines_.TypeBlock, kZero);
  bind("vddInv", lines_.Inv, kZero);
  bind("vddStatus", lines_.Status, kLine5);
  bind("vddVix6", lines_.Vix6, kHorn);
  bind("vddStatusEn", lines_.StatusEn, kNone);
  bind("vddAnalogDigit", lines_.AnalogDigit, kZero);
  bind("vddAnalogMask", lines_.AnalogMask, kAllButtons);
  bind("vddAnalogInpLearn", lines_.AnalogLearned, kNoButtons);
  BindByteTable(controls_.Get<TVDData>("VDData7"), {.Bytes = lines_.Pin,
                                                    .Shown = [this] { ShowPin(); },
                                                    .FactoryBytes = TValidatorLines::kFactoryPin});
  controls_.Get<TVDData>("vddInputs").OnLoad = [this](QObject&, uint8_t byte, int) {
    TakeInputs(byte);
  };
  controls_.Get<TVDData>("vddAnInputs").OnLoad = [this](QObject&, uint8_t byte, int index) {
    TakePressed(index + 1, byte);
  };
  controls_.Get<TVDData>("vddLearnEvent").OnLoad = [this](QObject&, uint8_t byte, int) {
    if (!learningAnalog_) learning_->TakeResult(byte != 0);
  };
  controls_.Get<TVDData>("vddAnalogInputLnd").OnLoad = [this](QObject&, uint8_t byte, int) {
    if (learningAnalog_) learning_->TakeResult(byte != 0);
  };
}

// Every change of the lines goes to the journal, so that the installer can follow what the
// validator saw while trying the code.
void TValidatorPage::TakeInputs(uint8_t byte) {
  if (reportedInputs_) {
    for (const auto& note : LevelNotes(lines_, *reportedInputs_, byte)) {
      host_.AddJournalNote(kValidatorAddr, kLevelsNote, note);
    }
  }
  reportedInputs_ = byte;
  lines_.Inputs = byte;
  RedrawLines();
}

void TValidatorPage::TakePressed(int ladder, uint8_t byte) {
  auto& reported = reportedPressed_.at(static_cast<std::size_t>(ladder - 1));
  if (reported) {
    if (const auto note = LadderNote(ladder, *reported, byte)) {
      host_.AddJournalNote(kValidatorAddr, kLevelsNote, *note);
    }
  }
  reported = byte;
  analogPressed_.at(static_cast<std::size_t>(ladder - 1)) = byte;
  RedrawAnalog();
}

// "Вводить код без запроса" means nothing while no line asks for the code: it stays off.
void TValidatorPage::ApplyCodeRequestRule() {
  bool requested = false;
  for (int line = 2; line <= 5; ++line) {
    requested = requested || lines_.Function(line) == TValidatorLines::kCodeRequest;
  }
  auto& box = controls_.Get<TVDCheckBox>("VDCheckBox1");
  if (!requested && box.isChecked()) box.click();
  box.SetDisabled(drRule, !requested);
}

void TValidatorPage::Store(const char* item) {
  StoreItem(controls_, item);
}

void TValidatorPage::AddLinesGrid() {
  linesGrid_ = MakeGrid("dgSlave", 9, 6);
  linesGrid_->setRowHidden(0, true);
  linesGrid_->setColumnWidth(0, 32);
  linesGrid_->setColumnWidth(1, 22);
  linesGrid_->setColumnWidth(2, 120);
  linesGrid_->setColumnWidth(5, 350);
  FitHeight(*linesGrid_);
  connect(linesGrid_, &QTableWidget::cellClicked, this, &TValidatorPage::ClickLine);
  AddPanel(QStringLiteral("Назначение входов\\выходов"), linesGrid_);
}

void TValidatorPage::AddAnalogGrid() {
  analogGrid_ = MakeGrid("dgAnalogDigital", 5, 1 + 2 * kButtons);
  analogGrid_->setColumnWidth(0, 150);
  for (int column = 1; column <= 2 * kButtons; ++column) analogGrid_->setColumnWidth(column, 28);
  analogGrid_->setRowHidden(2, true);
  FitHeight(*analogGrid_);
  connect(analogGrid_, &QTableWidget::cellClicked, this, &TValidatorPage::ClickAnalog);
  AddPanel(QStringLiteral("Конфигурация аналоговых входов"), analogGrid_);
}

void TValidatorPage::AddSetButtons() {
  auto* part = new QWidget;
  auto* row = new QHBoxLayout(part);
  for (int set = 1; set <= 5; ++set) {
    auto* button = new QPushButton(QStringLiteral("Установить набор %1").arg(set));
    button->setObjectName(QStringLiteral("btSet%1").arg(set));
    connect(button, &QPushButton::clicked, this, [this, button, set] {
      SendPageCommand(
          *this, host_, button,
          {.Dest = kValidatorAddr, .Command = kChooseSet, .Data = {static_cast<uint8_t>(set)}});
    });
    row->addWidget(button);
  }
  row->addStretch();
  AddPanel(QStringLiteral("Наборы настроек"), part);
}

void TValidatorPage::AddOverloads() {
  AddPanel(QStringLiteral("Перегрузки"),
           new TOverloadRecord(controls_.Get<TVDData>("vdFuse_err"),
                               {.FirstBit = 2, .First = 1, .Second = 2}));
}

void TValidatorPage::AddPin() {
  auto* part = new QWidget;
  auto* row = new QHBoxLayout(part);
  pin_ = new QLineEdit;
  pin_->setObjectName(QStringLiteral("edPin"));
  pin_->setInputMask(QStringLiteral("d-d-d;0"));
  pin_->setMaximumWidth(80);
  connect(pin_, &QLineEdit::textEdited, this, &TValidatorPage::StorePin);
  row->addWidget(new QLabel(QStringLiteral("ПИН (вход в автосервис) выход - 10 коротких нажатий")));
  row->addWidget(pin_);
  row->addStretch();
  AddPanel(QStringLiteral("Автосервис"), part);
}

void TValidatorPage::ShowPin() {
  QString text;
  for (const uint8_t digit : lines_.Pin) {
    if (!text.isEmpty()) text += QLatin1Char('-');
    text += digit >= 1 && digit <= 9 ? QString::number(digit) : QStringLiteral("0");
  }
  pin_->setText(text);
}

void TValidatorPage::StorePin() {
  const QString digits = pin_->text().remove(QLatin1Char('-'));
  for (std::size_t i = 0; i < lines_.Pin.size(); ++i) {
    const int digit = i < static_cast<std::size_t>(digits.size())
                          ? digits.at(static_cast<qsizetype>(i)).digitValue()
                          : 0;
    lines_.Pin[i] = digit >= 1 && digit <= 9 ? static_cast<uint8_t>(digit) : kNoDigit;
  }
  Store("VDData7");
}

void TValidatorPage::PageShown() {
  TVDFrame::PageShown();
  TellPageShown(*this, host_, kValidatorAddr, true);
  ShowPin();
}

void TValidatorPage::PageHidden() {
  TellPageShown(*this, host_, kValidatorAddr, false);
  TVDFrame::PageHidden();
}

void TValidatorPage::Redraw() {
  ApplyCodeRequestRule();
  RedrawLines();
  RedrawAnalog();
}

void TValidatorPage::RedrawLines() {
  TVDGrid& grid = *linesGrid_;
  for (int line = 1; line <= kLines; ++line) {
    const bool input = TValidatorLines::IsInput(line);
    const bool analog = lines_.Analog(line);
    SetCell(grid, line, 0, QString::number(line) + (lines_.Active(line) ? kLamp : QString()));
    SetCell(grid, line, 1, lines_.Polarity(line) == 1 ? QStringLiteral("+") : QStringLiteral("−"),
            QStringLiteral("Полярность"), input && !analog);
    SetCell(grid, line, 2, input ? kModeTexts[lines_.TriggerMode(line)] : QStringLiteral("выход"),
            input ? kModeTexts[lines_.TriggerMode(line)] : QString(), input && !analog);
    SetCell(
        grid, line, 3,
        TValidatorLines::MayBeAnalog(line) ? (analog ? QStringLiteral("А") : QStringLiteral("Ц"))
                                           : QString(),
        TValidatorLines::MayBeAnalog(line) ? QStringLiteral("Цифровой\\Аналоговый") : QString());
    const bool codeButton =
        input && !analog && lines_.Function(line) == TValidatorLines::kDigitalCode;
    SetCell(grid, line, kMaskColumn, lines_.InCode(line) ? kMarkOn : QString(),
            codeButton ? QStringLiteral("Маска учета входов при опознании кода") : QString(),
            codeButton);
    SetCell(grid, line, 5, lines_.FunctionCaption(line),
            QStringLiteral("Режим работы входа/выхода"), !analog);
  }
  SetCell(grid, kLearnRow, kMaskColumn, kLearnButton, QStringLiteral("Обучить коду"));
  SetCell(grid, kEnableRow, kMaskColumn, lines_.CodeEnabled() ? kMarkOn : kMarkOff,
          QStringLiteral("Разрешить обработку кода"));
}

void TValidatorPage::RedrawAnalog() {
  TVDGrid& grid = *analogGrid_;
  SetCell(grid, 1, 0, QStringLiteral("Номер кнопки"));
  SetCell(grid, 2, 0, QStringLiteral("Маска входа"));
  SetCell(grid, kAnalogLearnedRow, 0, QStringLiteral("Обучен"));
  SetCell(grid, kAnalogLearnRow, 0, QStringLiteral("Обучить"));
  for (int ladder = 1; ladder <= 2; ++ladder) {
    const bool active = lines_.Analog(ladder == 1 ? 3 : 4);
    SetCell(grid, 0, 1 + (ladder - 1) * kButtons,
            ladder == 1 ? QStringLiteral("Аналоговый код 1") : QStringLiteral("Аналоговый код 2"));
    grid.setSpan(0, 1 + (ladder - 1) * kButtons, 1, kButtons);
    for (int button = 1; button <= kButtons; ++button) {
      const int column = (ladder - 1) * kButtons + button;
      const bool learned = lines_.ButtonLearned(ladder, button);
      const bool pressed =
          ((analogPressed_.at(static_cast<std::size_t>(ladder - 1)) >> (button - 1)) & 1) != 0;
      SetCell(grid, 1, column, QString::number(button) + (pressed && learned ? kLamp : QString()),
              {}, active);
      SetCell(grid, 2, column, {}, QStringLiteral("Использовать/не использовать вход"), active);
      SetCell(grid, kAnalogLearnedRow, column, learned ? kMarkOn : QString(),
              QStringLiteral("Обучен/ не обучен входу"), active);
      SetCell(grid, kAnalogLearnRow, column, kLearnMark, QStringLiteral("Кнопка \"Обучить входу\""),
              active);
    }
  }
}

void TValidatorPage::ClickLine(int row, int column) {
  const int line = row;
  if (row == kLearnRow && column == kMaskColumn) {
    LearnCode();
    return;
  }
  if (row == kEnableRow && column == kMaskColumn) {
    if (!lines_.CodeEnabled()) return;
    lines_.SwitchCodeOff();
    Store("vddLearned");
    RedrawLines();
    return;
  }
  if (line < 1 || line > kLines) return;
  switch (column) {
    case 1:
      if (lines_.TogglePolarity(line)) Store("vddUpDown");
      break;
    case 2:
      if (lines_.ToggleTriggerMode(line)) Store("vddInv");
      break;
    case 3:
      if (lines_.ToggleAnalog(line)) {
        for (const char* item : {"vddAnalogDigit", "vddMask", "vddUpDown", "vddInv", "vddStatus",
                                 "vddStatusEn", "vddPIN_copy"}) {
          Store(item);
        }
      }
      break;
    case kMaskColumn:
      if (lines_.ToggleInCode(line)) Store("vddMask");
      break;
    case 5:
      if (!lines_.Analog(line)) PopFunctionMenu(line, row, column);
      break;
    default:
      break;
  }
  Redraw();
}

void TValidatorPage::PopFunctionMenu(int line, int row, int column) {
  QMenu menu(linesGrid_);
  const auto add = [&menu, this, line](std::span<const char* const> captions) {
    for (std::size_t i = 0; i < captions.size(); ++i) {
      QAction* action = menu.addAction(QString::fromUtf8(captions[i]));
      action->setCheckable(true);
      action->setChecked(lines_.Function(line) == static_cast<int>(i));
      action->setData(static_cast<int>(i));
    }
  };
  if (line == 1) {
    menu.setObjectName(QStringLiteral("pmOut1"));
    add(kLine1Menu);
  } else if (line == 6) {
    menu.setObjectName(QStringLiteral("pmOut6"));
    add(kLine6Menu);
  } else {
    menu.setObjectName(QStringLiteral("pmIn2_5"));
    add(kInputMenu);
  }
  const QRect cell = linesGrid_->visualRect(linesGrid_->model()->index(row, column));
  QAction* picked = menu.exec(linesGrid_->viewport()->mapToGlobal(cell.bottomLeft()));
  if (picked == nullptr) return;
  const int codeTime = controls_.Get<TVDTrackBar>("VDTrackBar5").Position();
  if (!lines_.ChooseFunction(line, picked->data().toInt(), codeTime)) return;
  for (const char* item :
       {"vddTypeBlock", "vddVix6", "vddStatus", "vddStatusEn", "vddPIN_copy", "vddMask"}) {
    Store(item);
  }
}

void TValidatorPage::ClickAnalog(int row, int column) {
  if (column < 1 || column > 2 * kButtons) return;
  const int ladder = column <= kButtons ? 1 : 2;
  const int button = column <= kButtons ? column : column - kButtons;
  if (!lines_.Analog(ladder == 1 ? 3 : 4)) return;
  if (row == kAnalogLearnedRow && lines_.ButtonLearned(ladder, button)) {
    lines_.ClearButtonLearned(ladder, button);
    Store("vddAnalogInpLearn");
    RedrawAnalog();
  } else if (row == kAnalogLearnRow) {
    LearnAnalog(column);
  }
}

void TValidatorPage::LearnCode() {
  learningAnalog_ = false;
  learning_->OnLearned = [this] { controls_.Get<TVDData>("vddLearned").Refresh(); };
  learning_->OnNotLearned = nullptr;
  learning_->Start({.Module = kValidatorAddr,
                    .WriteCommand = QStringLiteral("aWrite14"),
                    .Caption = QStringLiteral("Обучить событию"),
                    .Prompt = QStringLiteral("Нажмите последовательно кнопки кода для события"),
                    .Status = QStringLiteral("Обучение событию ..."),
                    .Command = kLearnCommand,
                    .Start = {0},
                    .Cancel = {0xFF},
                    .TellMainModule = true});
}

void TValidatorPage::LearnAnalog(int column) {
  const int button = column <= kButtons ? column : column - kButtons;
  const int ladder = column <= kButtons ? 1 : 2;
  // The module compares a pressed button with every learned one only through the masks.
  if (lines_.AnalogMask[0] != 0xFF || lines_.AnalogMask[1] != 0xFF) {
    lines_.AnalogMask = {0xFF, 0xFF};
    Store("vddAnalogMask");
  }
  learningAnalog_ = true;
  const auto reload = [this] { controls_.Get<TVDData>("vddAnalogInpLearn").Refresh(); };
  learning_->OnLearned = reload;
  learning_->OnNotLearned = reload;
  learning_->Start(
      {.Module = kValidatorAddr,
       .WriteCommand = QStringLiteral("aWrite14"),
       .Caption = QStringLiteral("Обучить входу"),
       .Prompt = QStringLiteral("Нажмите кнопку и держите"),
       .Detail = QString::number(button),
       .Status = QStringLiteral("Обучение входу %1... %2 канала").arg(button).arg(ladder),
       .Command = kLearnAnalogCommand,
       .Start = {static_cast<uint8_t>(column - 1)}});
}
