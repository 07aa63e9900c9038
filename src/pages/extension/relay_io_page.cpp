#include "pages/extension/relay_io_page.h"

#include <QTimer>

#include "binding/ui/byte_table.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_grid.h"
#include "link/lan_msg.h"
#include "pages/extension/extension_modules.h"
#include "pages/extension/grid_cells.h"
#include "pages/extension/learn_session.h"
#include "pages/extension/overload_record.h"
#include "pages/extension/page_bus.h"
#include "pages/extension/page_items.h"
#include "pages/extension/relay_io_table.h"
#include "pages/extension/slave_commands.h"
#include "pages/main/inputs_page.h"
#include "pages/main/outputs_page.h"

namespace {

constexpr int kAnalogInputs = 3;
constexpr uint8_t kLiveInputs = 3;
// The input that may drive the starter relay RL2 directly.
constexpr int kDirectInput = 4;
// The inputs grid's columns of main input functions.
constexpr int kFirstFunctionColumn = 4;
constexpr int kFunctionColumns = 17;
constexpr int kAnalogButtonsFunction = 14;
// The module's version word from which it keeps its settings in the newer layout.
constexpr int kFirstNewerVersion = 262;

const QString kModeTexts[] = {QStringLiteral("при замыкании"), QStringLiteral("при размыкании")};

}  // namespace

TRelayIOPage::TRelayIOPage(IPageHost& host, TGeneration generation, QWidget* parent)
    : TVDFrame(kRelayIOAddr, parent),
      host_(host),
      generation_(generation),
      controls_(
          BuildTablePage(*this, generation == kNewer ? RelayIONewTable() : RelayIOTable(), host)),
      learning_(new TLearnSession(*this, host)) {
  inputs_.Newer = generation == kNewer;
  AddInputsGrid();
  AddAnalogGrid();
  AddCombinationsGrid();
  AddOverloads();
  if (generation_ == kNewer) AddReadings();
  BindItems();
  auto& direct = controls_.Get<TVDCheckBox>("vdCBDirectControl");
  connect(&direct, &QCheckBox::toggled, this, [this](bool on) {
    inputs_.DirectControl = on;
    Redraw();
  });
  // Direct control of the starter takes input 4 and the relay RL2 from the main module.
  connect(&direct, &QCheckBox::clicked, this, [this](bool on) {
    if (!on) return;
    if (TMainInputs* inputs = InputsPageOf(host_)) inputs->ReleaseStartInput(kDirectInput);
    if (auto* outputs =
            qobject_cast<TMainOutputs*>(host_.SettingsPage(QStringLiteral("MainOutputs")))) {
      outputs->ReleasePinNamed(QStringLiteral("RL2"));
    }
    RedrawInputs();
  });
  learning_->OnFinished = [this] {
    if (generation_ == kOlder) TellPageShown(*this, host_, kRelayIOAddr, true);
    Redraw();
  };
  host_.WatchMessages(*this, [this](const TLanMsg& msg) { TakeLiveInputs(msg); });
  Redraw();
}

// The module broadcasts its input levels (D0) and the pressed buttons of its analog inputs
// (D1 to D3) as command 3.
void TRelayIOPage::TakeLiveInputs(const TLanMsg& msg) {
  if (msg.Source != kRelayIOAddr || msg.Dest != kBroadcastAddr || msg.Command != kLiveInputs ||
      msg.IsAnswer || msg.Length < 1 + kAnalogInputs) {
    return;
  }
  inputs_.Inputs = msg.Data[0];
  for (std::size_t i = 0; i < inputs_.Pressed.size(); ++i) inputs_.Pressed[i] = msg.Data[i + 1];
  Redraw();
}

void TRelayIOPage::BindItems() {
  const auto bind = [this](const char* item, std::span<uint8_t> bytes,
                           std::span<const uint8_t> factory) {
    BindBytes(controls_, item, bytes, factory, [this] { Redraw(); });
  };
  static constexpr uint8_t kFactoryUpDown[] = {0xFA};
  static constexpr uint8_t kZeros[8] = {};
  static constexpr uint8_t kAllButtons[] = {0xFF, 0xFF};
  bind("vddUpDown", inputs_.UpDown, kFactoryUpDown);
  bind("vdCmd", inputs_.Commands, TRelayIOInputs::kFactoryCommands);
  bind("vddInv", inputs_.Inv, std::span(kZeros, 1));
  bind("vddAnalogDigit", inputs_.AnalogDigit, std::span(kZeros, 1));
  bind("vddAnalogInpLearn", inputs_.AnalogLearned, std::span(kZeros, 3));
  controls_.Get<TVDData>("vddSlaveV").OnLoad = [this](QObject&, uint8_t byte, int index) {
    version_.at(static_cast<std::size_t>(index)) = byte;
    if (index == 1) ShowOwnGeneration();
  };
  if (generation_ == kOlder) {
    bind("anSeqLrn", inputs_.LearnedBits, std::span(kZeros, 1));
    bind("vdInpMask", inputs_.InputMasks, kZeros);
    bind("vddAnalogMask", inputs_.AnalogMask, kAllButtons);
    controls_.Get<TVDData>("vddInputs").OnLoad = [this](QObject&, uint8_t byte, int) {
      inputs_.Inputs = byte;
      RedrawInputs();
    };
    controls_.Get<TVDData>("vddLearnEvent").OnLoad = [this](QObject&, uint8_t byte, int) {
      TakeResult(byte);
    };
    controls_.Get<TVDData>("vddAnalogInputLnd").OnLoad = [this](QObject&, uint8_t byte, int) {
      TakeResult(byte);
    };
  } else {
    bind("anSeqLrn", inputs_.LearnedBytes, kZeros);
    controls_.Get<TVDData>("VDDataADC").OnLoad = [this](QObject&, uint8_t byte, int index) {
      readings_.at(static_cast<std::size_t>(index)) = byte;
      if (index == kAnalogInputs - 1) Redraw();
    };
    controls_.Get<TVDData>("AnalogInpEndLearn").OnLoad = [this](QObject&, uint8_t byte, int) {
      TakeResult(byte);
    };
    // Byte 0 holds the pressed buttons of the analog input that byte 2 names.
    auto& status = controls_.Get<TVDData>("vdInp3Status");
    status.OnLoad = [this](QObject&, uint8_t byte, int index) {
      if (index == 0) pressedButtons_ = byte;
      if (index == 2 && byte < kAnalogInputs) {
        inputs_.Pressed.at(byte) = pressedButtons_;
        RedrawAnalog();
      }
    };
  }
}

void TRelayIOPage::TakeResult(uint8_t byte) {
  learning_->TakeResult(byte != 0);
}

void TRelayIOPage::Store(const char* item) {
  StoreItem(controls_, item);
}

void TRelayIOPage::AddInputsGrid() {
  inputsGrid_ =
      MakeGrid("dgSlave", 1 + TRelayIOInputs::kInputs, kFirstFunctionColumn + kFunctionColumns);
  inputsGrid_->setColumnWidth(0, 52);
  inputsGrid_->setColumnWidth(2, 120);
  for (int column = kFirstFunctionColumn; column < kFirstFunctionColumn + kFunctionColumns;
       ++column) {
    inputsGrid_->setColumnWidth(column, 26);
  }
  FitHeight(*inputsGrid_);
  connect(inputsGrid_, &QTableWidget::cellClicked, this, &TRelayIOPage::ClickInput);
  AddToSection(*this, QStringLiteral("Назначение входов"), inputsGrid_);
}

void TRelayIOPage::AddAnalogGrid() {
  analogGrid_ =
      MakeGrid("dgAnalogDigital", kAnalogInputs * kBlockRows, 1 + TRelayIOInputs::kButtons);
  analogGrid_->setColumnWidth(0, 85);
  for (int input = 0; input < kAnalogInputs; ++input) {
    analogGrid_->setRowHidden(input * kBlockRows + 2, true);
  }
  FitHeight(*analogGrid_);
  connect(analogGrid_, &QTableWidget::cellClicked, this, &TRelayIOPage::ClickAnalog);
  const QString section = QStringLiteral("Конфигурация аналоговых входов");
  if (generation_ == kOlder) {
    AddToSection(*this, section, analogGrid_);
  } else {
    AddPanel(section, analogGrid_);
  }
}

void TRelayIOPage::AddCombinationsGrid() {
  const int columns = generation_ == kOlder ? 8 : 4;
  combinations_ = MakeGrid("dgEvents", 1 + TRelayIOInputs::kCombinations, columns);
  combinations_->setColumnWidth(0, 100);
  combinations_->setColumnWidth(1, 320);
  FitHeight(*combinations_);
  connect(combinations_, &QTableWidget::cellClicked, this, &TRelayIOPage::ClickCombination);
  AddPanel(QStringLiteral("Комбинации"), combinations_);
}

void TRelayIOPage::AddOverloads() {
  AddPanel(QStringLiteral("Перегрузки"),
           new TOverloadRecord(controls_.Get<TVDData>("vdFuse_err"),
                               {.FirstBit = 0, .First = 5, .Second = 6}));
}

void TRelayIOPage::AddReadings() {
  readingsGrid_ = MakeGrid("sgControl", 2, 1 + kAnalogInputs);
  readingsGrid_->setColumnWidth(0, 141);
  FitHeight(*readingsGrid_);
  AddPanel(QStringLiteral("Напряжение на АЦП"), readingsGrid_);
}

void TRelayIOPage::ShowOwnGeneration() {
  const int version = version_[0] * 256 + version_[1];
  if (!shown_ || version == 0) return;
  const TGeneration module = version >= kFirstNewerVersion ? kNewer : kOlder;
  if (module == generation_) return;
  // Once this page's own showing is over.
  QTimer::singleShot(0, this, [this, module] {
    host_.ShowPageCommand(module == kNewer ? QStringLiteral("aRelayIOPropertiesNew")
                                           : QStringLiteral("aRelayIOProperties"));
  });
}

void TRelayIOPage::PageShown() {
  TVDFrame::PageShown();
  shown_ = true;
  ShowOwnGeneration();
  if (generation_ == kOlder) TellPageShown(*this, host_, kRelayIOAddr, true);
  // The inputs page may have moved functions since.
  RedrawInputs();
}

void TRelayIOPage::PageHidden() {
  shown_ = false;
  TellPageShown(*this, host_, kRelayIOAddr, false);
  TVDFrame::PageHidden();
}

void TRelayIOPage::Redraw() {
  RedrawInputs();
  RedrawAnalog();
  RedrawCombinations();
  if (readingsGrid_ == nullptr) return;
  SetCell(*readingsGrid_, 0, 0, QStringLiteral("Вход"));
  SetCell(*readingsGrid_, 1, 0, QStringLiteral("Напряжение на АЦП"));
  for (int input = 1; input <= kAnalogInputs; ++input) {
    SetCell(*readingsGrid_, 0, input, QString::number(input));
    SetCell(*readingsGrid_, 1, input,
            inputs_.Analog(input)
                ? AdcVoltageText(readings_.at(static_cast<std::size_t>(input - 1)))
                : QStringLiteral("-------"));
  }
}

void TRelayIOPage::RedrawInputs() {
  TVDGrid& grid = *inputsGrid_;
  for (int input = 1; input <= TRelayIOInputs::kInputs; ++input) {
    const bool analog = inputs_.Analog(input);
    SetCell(grid, input, 0, QString::number(input) + (inputs_.Active(input) ? kLamp : QString()));
    SetCell(grid, input, 1,
            inputs_.Polarity(input) == 1 ? QStringLiteral("+") : QStringLiteral("−"),
            QStringLiteral("Полярность"), !analog);
    SetCell(grid, input, 2, kModeTexts[inputs_.TriggerMode(input)],
            kModeTexts[inputs_.TriggerMode(input)], !analog);
    SetCell(grid, input, 3,
            TRelayIOInputs::MayBeAnalog(input)
                ? (analog ? QStringLiteral("А") : QStringLiteral("Ц"))
                : QString(),
            TRelayIOInputs::MayBeAnalog(input) ? QStringLiteral("Цифровой\\Аналоговый") : QString(),
            TRelayIOInputs::MayBeAnalog(input));
  }
  RedrawInputFunctions();
}

// The main input functions the start module's inputs carry, in the inputs page's order; an
// analog input reads the steering buttons.
void TRelayIOPage::RedrawInputFunctions() {
  const TMainInputs* inputs = InputsPageOf(host_);
  if (inputs == nullptr) return;
  TVDGrid& grid = *inputsGrid_;
  for (int i = 0; i < kFunctionColumns; ++i) {
    const int column = kFirstFunctionColumn + i;
    const int taskId = FunctionAt(*inputs, column);
    const QString name = inputs->FunctionName(taskId);
    const QString number = i >= kFunctionColumns - 3 ? QString::number(i - kFunctionColumns + 4)
                                                     : QString::number(taskId);
    SetCell(grid, 0, column, taskId != 0 ? number : QString(), name);
    for (int input = 1; input <= TRelayIOInputs::kInputs; ++input) {
      const TFunctionCell cell = FunctionCell(*inputs, input, taskId);
      SetCell(grid, input, column, cell == TFunctionCell::Own ? kLamp : QString(), name,
              cell != TFunctionCell::Refused);
    }
  }
}

int TRelayIOPage::FunctionAt(const TMainInputs& inputs, int column) {
  return inputs.FunctionAtColumn(column - kFirstFunctionColumn + TMainInputs::kFirstFunctionColumn);
}

TRelayIOPage::TFunctionCell TRelayIOPage::FunctionCell(const TMainInputs& inputs, int input,
                                                       int taskId) const {
  if (taskId == 0) return TFunctionCell::Refused;
  if (inputs_.Analog(input)) {
    return taskId == kAnalogButtonsFunction ? TFunctionCell::Own : TFunctionCell::Refused;
  }
  if (inputs.StartInputFunction(input) == taskId) return TFunctionCell::Own;
  const bool free =
      !(input == kDirectInput && inputs_.DirectControl) && inputs.StartInputMayTake(taskId);
  return free ? TFunctionCell::Free : TFunctionCell::Refused;
}

void TRelayIOPage::RedrawAnalog() {
  TVDGrid& grid = *analogGrid_;
  for (int input = 1; input <= kAnalogInputs; ++input) {
    const int top = (input - 1) * kBlockRows;
    const bool analog = inputs_.Analog(input);
    SetCell(grid, top, 0, QStringLiteral("Аналоговые кнопки %1").arg(input));
    grid.setSpan(top, 0, 1, 1 + TRelayIOInputs::kButtons);
    SetCell(grid, top + 1, 0, QStringLiteral("Номер кнопки"));
    SetCell(grid, top + kLearnedInBlock, 0, QStringLiteral("Обучен"));
    SetCell(grid, top + kLearnInBlock, 0, analog ? QStringLiteral("Обучить") : QString());
    for (int button = 1; button <= TRelayIOInputs::kButtons; ++button) {
      const bool learned = inputs_.ButtonLearned(input, button);
      const bool pressed =
          ((inputs_.Pressed.at(static_cast<std::size_t>(input - 1)) >> (button - 1)) & 1) != 0;
      SetCell(grid, top + 1, button,
              QString::number(button) + (pressed && learned ? kLamp : QString()));
      SetCell(grid, top + kLearnedInBlock, button, learned ? kMarkOn : QString());
      SetCell(grid, top + kLearnInBlock, button, analog ? kLearnMark : QString(), {}, analog);
    }
  }
}

void TRelayIOPage::RedrawCombinations() {
  TVDGrid& grid = *combinations_;
  const bool older = generation_ == kOlder;
  SetCell(grid, 0, 1, QStringLiteral("Команды"));
  SetCell(grid, 0, kLearnedColumn,
          older ? QStringLiteral("Обучена событию") : QStringLiteral("Обучено"));
  SetCell(grid, 0, kLearnColumn,
          older ? QStringLiteral("Обучить событию") : QStringLiteral("Обучить"));
  if (older) {
    for (int input = 1; input <= TRelayIOInputs::kInputs; ++input) {
      SetCell(grid, 0, kLearnColumn + input, QStringLiteral("In %1").arg(input));
    }
  }
  for (int c = 1; c <= TRelayIOInputs::kCombinations; ++c) {
    SetCell(grid, c, 0,
            (older ? QStringLiteral("Событие %1") : QStringLiteral("Комбинация %1")).arg(c),
            QStringLiteral("Комбинации"));
    SetCell(grid, c, 1, SlaveCommandCaption(inputs_.Commands.at(static_cast<std::size_t>(c - 1))),
            QStringLiteral("Команды"));
    SetCell(grid, c, kLearnedColumn, inputs_.CombinationLearned(c) ? kMarkOn : QString(),
            QStringLiteral("Обучено/не обучено"));
    SetCell(grid, c, kLearnColumn, kLearnButton, QStringLiteral("Обучить"));
    if (!older) continue;
    for (int input = 1; input <= TRelayIOInputs::kInputs; ++input) {
      SetCell(grid, c, kLearnColumn + input, inputs_.UsesInput(c, input) ? kMarkOn : QString(), {},
              inputs_.MaskAvailable(input));
    }
  }
}

void TRelayIOPage::ClickInput(int row, int column) {
  const int input = row;
  bool changed = false;
  if (column == 1 && inputs_.TogglePolarity(input)) {
    Store("vddUpDown");
    changed = true;
  } else if (column == 2 && inputs_.ToggleTriggerMode(input)) {
    Store("vddInv");
    changed = true;
  } else if (column == 3 && inputs_.ToggleAnalog(input)) {
    Store("vddAnalogDigit");
    // An analog input reads buttons: its main input function leaves it.
    if (TMainInputs* inputs = InputsPageOf(host_); inputs != nullptr && inputs_.Analog(input)) {
      inputs->ReleaseStartInput(input);
    }
    changed = true;
  } else if (TMainInputs* inputs = InputsPageOf(host_);
             inputs != nullptr && column >= kFirstFunctionColumn && input >= 1 &&
             input <= TRelayIOInputs::kInputs) {
    // An analog input's steering buttons are shown, not assigned.
    const int taskId = FunctionAt(*inputs, column);
    const TFunctionCell cell = FunctionCell(*inputs, input, taskId);
    if (cell == TFunctionCell::Free || (cell == TFunctionCell::Own && !inputs_.Analog(input))) {
      inputs->ToggleStartInputFunction(input, taskId);
      changed = true;
    }
  }
  if (changed) Redraw();
}

void TRelayIOPage::ClickAnalog(int row, int column) {
  const int input = row / kBlockRows + 1;
  const int button = column;
  if (input > kAnalogInputs || button < 1 || button > TRelayIOInputs::kButtons) return;
  if (row % kBlockRows == kLearnedInBlock && inputs_.ButtonLearned(input, button)) {
    inputs_.ClearButtonLearned(input, button);
    Store("vddAnalogInpLearn");
    RedrawAnalog();
  } else if (row % kBlockRows == kLearnInBlock && inputs_.Analog(input)) {
    LearnButton(input, button);
  }
}

void TRelayIOPage::ClickCombination(int row, int column) {
  const int c = row;
  if (c < 1 || c > TRelayIOInputs::kCombinations) return;
  if (column == 1) {
    PopCommandMenu(*combinations_, row, column,
                   inputs_.Commands.at(static_cast<std::size_t>(c - 1)), [this, c](uint8_t code) {
                     inputs_.SetCommand(c, code);
                     Store("vdCmd");
                     RedrawCombinations();
                   });
  } else if (column == kLearnedColumn && inputs_.CombinationLearned(c)) {
    inputs_.ClearCombinationLearned(c);
    Store("anSeqLrn");
    RedrawCombinations();
  } else if (column == kLearnColumn) {
    LearnCombination(c);
  } else if (generation_ == kOlder && column > kLearnColumn &&
             inputs_.ToggleUse(c, column - kLearnColumn)) {
    Store("vdInpMask");
    Store("anSeqLrn");
    RedrawCombinations();
  }
}

void TRelayIOPage::LearnButton(int input, int button) {
  const int index = 8 * (input - 1) + button - 1;
  const auto reload = [this] { controls_.Get<TVDData>("vddAnalogInpLearn").Refresh(); };
  learning_->OnLearned = reload;
  learning_->OnNotLearned = reload;
  if (generation_ == kOlder) {
    // The module compares a pressed button with every learned one only through the masks.
    inputs_.AnalogMask = {0xFF, 0xFF};
    Store("vddAnalogMask");
    learning_->Start(
        {.Module = kRelayIOAddr,
         .WriteCommand = QStringLiteral("aWrite13"),
         .Caption = QStringLiteral("Обучить входу"),
         .Prompt = QStringLiteral("Нажмите кнопку и держите"),
         .Detail = QString::number(button),
         .Status = QStringLiteral("Обучение входу %1... %2 канала").arg(button).arg(input),
         .Command = kLearnAnalogCommand,
         .Start = {static_cast<uint8_t>(index)}});
    return;
  }
  learning_->Start(
      {.Module = kRelayIOAddr,
       .Caption = QStringLiteral("Обучить кнопке %1 входа №%2").arg(index % 8 + 1).arg(input),
       .Prompt = QStringLiteral(
           "Нажмите кнопку и удерживайте до автоматического выхода из режима обучения"),
       .Status = QStringLiteral("Обучение кнопке"),
       .Command = kLearnStepCommand,
       .Start = {static_cast<uint8_t>(index), 1},
       .Cancel = {static_cast<uint8_t>(index), 0},
       .CancelEchoed = true});
}

void TRelayIOPage::LearnCombination(int combination) {
  if (generation_ == kOlder) {
    learning_->OnLearned = [this] { controls_.Get<TVDData>("anSeqLrn").Refresh(); };
    learning_->OnNotLearned = nullptr;
    learning_->Start({.Module = kRelayIOAddr,
                      .WriteCommand = QStringLiteral("aWrite13"),
                      .Caption = QStringLiteral("Обучить событию"),
                      .Prompt = QStringLiteral("Нажмите последовательно кнопки кода для события"),
                      .Status = QStringLiteral("Обучение событию ..."),
                      .Command = kLearnCommand,
                      .Start = {static_cast<uint8_t>(combination)},
                      .Cancel = {kNoLearnedEvent},
                      .TellMainModule = true});
    return;
  }
  const auto reload = [this] { controls_.Get<TVDData>("anSeqLrn").Refresh(); };
  learning_->OnLearned = reload;
  learning_->OnNotLearned = reload;
  learning_->Start({.Module = kRelayIOAddr,
                    .Caption = QStringLiteral("Обучить событию  %1").arg(combination),
                    .Prompt = QStringLiteral("Введите комбинацию клавиш"),
                    .Status = QStringLiteral("Обучение событию"),
                    .Command = kLearnStepCommand,
                    .Start = {static_cast<uint8_t>(combination - 1), 2},
                    .Cancel = {static_cast<uint8_t>(combination - 1), 3},
                    .CancelEchoed = true});
}
