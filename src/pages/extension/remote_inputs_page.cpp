#include "pages/extension/remote_inputs_page.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "binding/ui/byte_table.h"
#include "binding/ui/category_panels.h"
#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/table_page.h"
#include "binding/ui/turned_header.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_grid.h"
#include "pages/extension/grid_cells.h"
#include "pages/extension/learn_session.h"
#include "pages/extension/page_items.h"
#include "pages/extension/relay_io_inputs.h"
#include "pages/extension/remote_inputs_table.h"
#include "pages/extension/slave_commands.h"

namespace {

constexpr uint8_t kVersionRequest = 48;
const QString kInputsCaption = QStringLiteral("Входы");
const QString kAnalogCaption = QStringLiteral("Аналоговый вход №2");
const QString kEventsCaption = QStringLiteral("Параметры аналоговых событий");
const QString kNotYet = QStringLiteral("Доступно с версии 1.4");

TPanelCategory* Section(const TVDFrame& frame, const QString& caption) {
  for (TPanelCategory* category : frame.CategoryPanels1()->Categories()) {
    if (category->Caption() == caption) return category;
  }
  return nullptr;
}

// A section the module does not have yet: a line high, closed, with the reason as its hint.
void Withhold(TPanelCategory& section) {
  section.SetCollapsed(true);
  section.setVisible(false);
  section.setToolTip(kNotYet);
}

void Offer(TPanelCategory& section, const QString& hint) {
  section.setVisible(true);
  section.SetCollapsed(false);
  section.setToolTip(hint);
}

}  // namespace

TRemoteInputsPage::TRemoteInputsPage(IPageHost& host, QWidget* parent)
    : TVDFrame(kRemoteInputsAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, RemoteInputsTable(), host)),
      learning_(new TLearnSession(*this, host)) {
  AddInputsGrid();
  AddAnalogGrid();
  inputsSection_ = Section(*this, kInputsCaption);
  analogSection_ = Section(*this, kAnalogCaption);
  eventsSection_ = Section(*this, kEventsCaption);
  // The inputs and the ladder come first; the ladder's event parameters follow them.
  CategoryPanels1()->MoveToEnd(eventsSection_);
  BindItems();
  learning_->OnFinished = [this] { Redraw(); };
  LayOut();
  Redraw();
}

void TRemoteInputsPage::BindItems() {
  const auto bind = [this](const char* item, std::span<uint8_t> bytes,
                           std::span<const uint8_t> factory) {
    BindBytes(controls_, item, bytes, factory, [this] { Redraw(); });
  };
  static constexpr uint8_t kZeros[8] = {};
  static constexpr uint8_t kAllButtons[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  static constexpr uint8_t kFactoryUpDown[] = {0x0F};
  bind("vddUpDown", inputs_.UpDown, kFactoryUpDown);
  bind("vdCmd", inputs_.Commands, TRemoteInputs::kFactoryCommands);
  bind("vddCmd", inputs_.Functions, TRemoteInputs::kFactoryFunctions);
  bind("vddInvInp", inputs_.Inv, std::span(kZeros, 1));
  bind("AnInpLearned", inputs_.ButtonsLearned, std::span(kZeros, 1));
  bind("AnalogInpMask", inputs_.EventMasks, kAllButtons);
  bind("anSeqLrn", inputs_.EventsLearned, kZeros);
  controls_.Get<TVDData>("vddRemoteInputsV").OnLoad = [this](QObject&, uint8_t byte, int index) {
    versionBytes_.at(static_cast<std::size_t>(index)) = byte;
    if (index == 1) TakeVersion({versionBytes_[0], versionBytes_[1]});
  };
  controls_.Get<TVDData>("AnalogInpEndLearn").OnLoad = [this](QObject&, uint8_t byte, int) {
    learning_->TakeResult(byte != 0);
  };
  controls_.Get<TVDData>("vdInpStatus").OnLoad = [this](QObject&, uint8_t byte, int) {
    inputs_.Pressed = byte;
    RedrawAnalog();
  };
  controls_.Get<TVDData>("VDDataADC").OnLoad = [this](QObject&, uint8_t byte, int) {
    reading_ = byte;
    readingLabel_->setText(QStringLiteral("Напряжение на АЦП ") + AdcVoltageText(reading_));
  };
}

void TRemoteInputsPage::AddInputsGrid() {
  const auto functions = RemoteInputFunctions();
  inputsGrid_ = MakeGrid("dgRemIns", 1 + TRemoteInputs::kInputs,
                         kFirstFunctionColumn + static_cast<int>(functions.size()));
  inputsGrid_->setColumnWidth(0, 40);
  inputsGrid_->setColumnWidth(1, 120);
  inputsGrid_->setColumnWidth(2, 30);
  // The functions are named in full above their narrow columns, reading upwards.
  auto* turned = new TTurnedFirstRow(inputsGrid_);
  int headingHeight = inputsGrid_->rowHeight(0);
  for (std::size_t f = 0; f < functions.size(); ++f) {
    const int column = kFirstFunctionColumn + static_cast<int>(f);
    inputsGrid_->setColumnWidth(column, 32);
    inputsGrid_->setItemDelegateForColumn(column, turned);
    headingHeight = std::max(
        headingHeight, TTurnedFirstRow::RowHeightFor(inputsGrid_->fontMetrics(),
                                                     QString::fromUtf8(functions[f].Caption)));
  }
  inputsGrid_->setRowHeight(0, headingHeight);
  FitHeight(*inputsGrid_);
  connect(inputsGrid_, &QTableWidget::cellClicked, this, &TRemoteInputsPage::ClickInput);
  AddPanel(kInputsCaption, inputsGrid_);
}

void TRemoteInputsPage::AddAnalogGrid() {
  auto* part = new QWidget;
  auto* column = new QVBoxLayout(part);
  analogGrid_ = MakeGrid("dgAnalogInp", 11, 12);
  analogGrid_->setColumnWidth(0, 82);
  for (int button = 1; button <= TRemoteInputs::kButtons; ++button) {
    analogGrid_->setColumnWidth(button, 28);
  }
  analogGrid_->setColumnWidth(kCommandColumn, 250);
  analogGrid_->setColumnWidth(kLearnedColumn, 60);
  analogGrid_->setColumnWidth(kLearnColumn, 60);
  FitHeight(*analogGrid_);
  connect(analogGrid_, &QTableWidget::cellClicked, this, &TRemoteInputsPage::ClickAnalog);
  readingLabel_ = new QLabel(QStringLiteral("Напряжение на АЦП ") + AdcVoltageText(0));
  readingLabel_->setObjectName(QStringLiteral("lbAdc"));
  column->addWidget(analogGrid_);
  column->addWidget(readingLabel_);
  AddPanel(kAnalogCaption, part);
}

void TRemoteInputsPage::PageShown() {
  TVDFrame::PageShown();
  inputs_.Version = {};
  LayOut();
  AskVersion();
}

// A module that does not answer leaves the version unknown and the page closed.
void TRemoteInputsPage::AskVersion() {
  if (!HasBus() || host_.DemoMode() || !host_.ModuleAvailable(kRemoteInputsAddr)) return;
  SendPageCommand(*this, host_, nullptr, {.Dest = kRemoteInputsAddr, .Command = kVersionRequest},
                  [this](const TAdapter::TAnswer& answer) {
                    if (answer.Answered && answer.Length >= 2) {
                      TakeVersion({answer.Data[0], answer.Data[1]});
                    }
                  });
}

void TRemoteInputsPage::TakeVersion(TModuleVersion version) {
  if (!version.Known() || version == inputs_.Version) return;
  inputs_.Version = version;
  LayOut();
  Redraw();
}

// Offline, without a module to ask, the installer edits every part a module may have.
void TRemoteInputsPage::LayOut() {
  const bool offline = host_.DemoMode();
  inputsGrid_->setVisible(offline || inputs_.Version.Known());
  if (offline || inputs_.HasAnalogInput()) {
    const bool opening = analogSection_->Collapsed() || eventsSection_->Collapsed();
    Offer(*analogSection_, kAnalogCaption);
    Offer(*eventsSection_, kEventsCaption);
    // Opening a section scrolls to it; the page the user just opened stays at its top.
    if (opening) CategoryPanels1()->ScrollToCategory(inputsSection_);
  } else {
    Withhold(*analogSection_);
    Withhold(*eventsSection_);
  }
  ApplyAnalogUse();
}

// The ladder is read only while input 2 is given to it.
void TRemoteInputsPage::ApplyAnalogUse() {
  const bool inUse = inputs_.AnalogInUse();
  analogSection_->Panel()->setEnabled(inUse);
  if (inputs_.HasAnalogInput()) {
    analogSection_->setToolTip(inUse ? kAnalogCaption
                                     : QStringLiteral("Не назначен алгоритм аналоговых кнопок"));
  }
}

void TRemoteInputsPage::Store(const char* item) {
  StoreItem(controls_, item);
}

void TRemoteInputsPage::Reload(const char* item) {
  controls_.Get<TVDData>(item).Refresh();
}

void TRemoteInputsPage::Redraw() {
  ApplyAnalogUse();
  RedrawInputs();
  RedrawAnalog();
}

void TRemoteInputsPage::RedrawInputs() {
  TVDGrid& grid = *inputsGrid_;
  const auto functions = RemoteInputFunctions();
  SetCell(grid, 0, 0, QStringLiteral("Вход"), QStringLiteral("Номер входа"));
  SetCell(grid, 0, 1, QStringLiteral("Срабатывание"), QStringLiteral("Срабатывание входа"));
  SetCell(grid, 0, 2, QStringLiteral("±"), QStringLiteral("Полярность входа"));
  for (std::size_t f = 0; f < functions.size(); ++f) {
    const QString caption = QString::fromUtf8(functions[f].Caption);
    SetCell(grid, 0, kFirstFunctionColumn + static_cast<int>(f), caption, caption);
  }
  for (int input = 1; input <= TRemoteInputs::kInputs; ++input) {
    const QString mode = inputs_.TriggerMode(input) == 1 ? QStringLiteral("при размыкании")
                                                         : QStringLiteral("при замыкании");
    SetCell(grid, input, 0, QString::number(input), QStringLiteral("Номер входа"));
    SetCell(grid, input, 1, mode, mode);
    SetCell(grid, input, 2,
            inputs_.Polarity(input) == 1 ? QStringLiteral("+") : QStringLiteral("−"),
            inputs_.Polarity(input) == 1 ? QStringLiteral("положительный")
                                         : QStringLiteral("отрицательный"),
            !inputs_.PolarityFixed(input));
    for (std::size_t f = 0; f < functions.size(); ++f) {
      const bool carries = inputs_.Function(input) == functions[f].Id;
      SetCell(grid, input, kFirstFunctionColumn + static_cast<int>(f),
              carries ? kMarkOn : (inputs_.Function(input) == 0 ? QStringLiteral("·") : QString()),
              QString::fromUtf8(functions[f].Caption));
    }
  }
}

void TRemoteInputsPage::RedrawAnalog() {
  TVDGrid& grid = *analogGrid_;
  SetCell(grid, 0, kCommandColumn, QStringLiteral("Команды"));
  SetCell(grid, 0, kLearnedColumn, QStringLiteral("Обучена событию"));
  SetCell(grid, 0, kLearnColumn, QStringLiteral("Обучить событию"));
  SetCell(grid, kButtonsLearnedRow, 0, QStringLiteral("Обучен входу"));
  SetCell(grid, kLearnButtonRow, 0, QStringLiteral("Обучить входу"));
  for (int button = 1; button <= TRemoteInputs::kButtons; ++button) {
    SetCell(
        grid, 0, button,
        QString::number(button) + ((inputs_.Pressed >> (button - 1) & 1) != 0 ? kLamp : QString()));
    SetCell(grid, kButtonsLearnedRow, button, inputs_.ButtonLearned(button) ? kMarkOn : QString());
    SetCell(grid, kLearnButtonRow, button, kLearnMark);
  }
  for (int event = 1; event <= TRemoteInputs::kEvents; ++event) {
    SetCell(grid, event, 0, QStringLiteral("Событие   %1").arg(event));
    for (int button = 1; button <= TRemoteInputs::kButtons; ++button) {
      SetCell(grid, event, button, inputs_.EventUses(event, button) ? kMarkOn : QString());
    }
    SetCell(grid, event, kCommandColumn,
            SlaveCommandCaption(inputs_.Commands.at(static_cast<std::size_t>(event - 1))), {},
            event != 1);
    SetCell(grid, event, kLearnedColumn, inputs_.EventLearned(event) ? kMarkOn : QString());
    SetCell(grid, event, kLearnColumn, kLearnButton);
  }
}

void TRemoteInputsPage::ClickInput(int row, int column) {
  const int input = row;
  if (input < 1 || input > TRemoteInputs::kInputs) return;
  const auto functions = RemoteInputFunctions();
  if (column == 1) {
    inputs_.ToggleTriggerMode(input);
    Store("vddInvInp");
  } else if (column == 2) {
    if (!inputs_.TogglePolarity(input)) return;
    Store("vddUpDown");
  } else if (column >= kFirstFunctionColumn &&
             column < kFirstFunctionColumn + static_cast<int>(functions.size())) {
    inputs_.ClickFunction(input,
                          functions[static_cast<std::size_t>(column - kFirstFunctionColumn)].Id);
    Store("vddCmd");
  } else {
    return;
  }
  Redraw();
}

void TRemoteInputsPage::ClickAnalog(int row, int column) {
  if (!inputs_.AnalogInUse()) return;
  if (row >= 1 && row <= TRemoteInputs::kEvents) {
    const int event = row;
    if (column >= 1 && column <= TRemoteInputs::kButtons) {
      inputs_.ToggleEventButton(event, column);
      Store("AnalogInpMask");
    } else if (column == kCommandColumn && event != 1) {
      PopCommandMenu(*analogGrid_, row, column,
                     inputs_.Commands.at(static_cast<std::size_t>(event - 1)),
                     [this, event](uint8_t code) {
                       inputs_.SetCommand(event, code);
                       Store("vdCmd");
                     });
    } else if (column == kLearnedColumn && inputs_.EventLearned(event)) {
      inputs_.ClearEventLearned(event);
      Store("anSeqLrn");
    } else if (column == kLearnColumn) {
      LearnEvent(event);
    }
  } else if (column >= 1 && column <= TRemoteInputs::kButtons) {
    if (row == kButtonsLearnedRow && inputs_.ButtonLearned(column)) {
      inputs_.ClearButtonLearned(column);
      Store("AnInpLearned");
    } else if (row == kLearnButtonRow) {
      LearnButton(column);
    }
  }
  RedrawAnalog();
}

void TRemoteInputsPage::LearnButton(int button) {
  const auto reload = [this] { Reload("AnInpLearned"); };
  learning_->OnLearned = reload;
  learning_->OnNotLearned = reload;
  learning_->Start({.Module = kRemoteInputsAddr,
                    .Caption = QStringLiteral("Обучить входу  %1").arg(button),
                    .Prompt = QStringLiteral("Нажмите кнопку и удерживайте до автоматического "
                                             "выхода из режима обучения"),
                    .Status = QStringLiteral("Обучение входу"),
                    .Command = kLearnStepCommand,
                    .Start = {static_cast<uint8_t>(button - 1), 1},
                    .Cancel = {static_cast<uint8_t>(button - 1), 0},
                    .CancelEchoed = true});
}

void TRemoteInputsPage::LearnEvent(int event) {
  learning_->OnLearned = [this] {
    Reload("anSeqLrn");
    Reload("AnInpLearned");
  };
  learning_->OnNotLearned = [this] { Reload("anSeqLrn"); };
  learning_->Start({.Module = kRemoteInputsAddr,
                    .Caption = QStringLiteral("Обучить событию  %1").arg(event),
                    .Prompt = QStringLiteral("Нажмите комбинацию клавиш"),
                    .Status = QStringLiteral("Обучение событию"),
                    .Command = kLearnStepCommand,
                    .Start = {static_cast<uint8_t>(event - 1), 2},
                    .Cancel = {static_cast<uint8_t>(event - 1), 3},
                    .CancelEchoed = true});
}
