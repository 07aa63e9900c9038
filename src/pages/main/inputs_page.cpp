#include "pages/main/inputs_page.h"

#include <QAction>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <optional>

#include "binding/bound_control_base.h"
#include "binding/ui/byte_table.h"
#include "binding/ui/check_rules.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/pin_edit.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_grid.h"
#include "link/bus_requests.h"
#include "link/lan_msg.h"
#include "memory/base_device_memory_item.h"
#include "pages/main/button_commands.h"
#include "pages/main/impulse_inputs.h"
#include "pages/main/input_learning.h"
#include "pages/main/input_values.h"
#include "pages/main/inputs_table.h"
#include "pages/main/main_board.h"

namespace {

constexpr char kGridSection[] = "Входы базового блока";
constexpr char kAlgorithmsSection[] = "Особые алгоритмы работы входов";
constexpr char kAnalogSection[] = "Аналогово-цифровой вход";
constexpr char kAnalogButtonsPin[] = "7.о";

constexpr int kNameColumn = 0;
constexpr int kPolarityColumn = 1;
constexpr int kTriggerColumn = 2;
constexpr int kFirstTaskColumn = TMainInputs::kFirstFunctionColumn;
constexpr int kColumns = 20;
constexpr int kCanRowPin = -2;
constexpr int kStartRowPin = -3;

constexpr int kChargeTask = 8;
constexpr int kAnalogButtonsTask = 14;
constexpr uint8_t kFirstRestartPinCode = 60;
constexpr uint8_t kSecondRestartPinCode = 4;
// Firmware majors with a CAN row whose speed and tacho cells follow their check boxes.
constexpr uint8_t kCanBoxMajors[] = {4, 5};
constexpr uint8_t kFixedCanMajor = 3;

const QString kOwnMark = QStringLiteral("●");
const QColor kRefusedColour(0xd8, 0xd8, 0xd8);
const QColor kOwnColour(0xb8, 0xe0, 0xb8);
const QColor kHeaderColour(0xe8, 0xee, 0xf8);
constexpr int kHeaderHeight = 90;
constexpr int kColumnWidth = 60;

// clang-format off
// Taking the steering buttons from CAN, or guarding their combination, needs learned buttons.
constexpr TCheckRule kRules[] = {
    {.Box = "VDCheckBox21", .When = true, .Target = "VDCheckBox20", .Then = false},
    {.Box = "VDCheckBox21", .When = false, .Target = "VDCheckBox20", .Then = false},
    {.Box = "VDCheckBox7", .When = true, .Target = "VDCheckBox20", .Then = false},
    {.Box = "VDCheckBox7", .When = false, .Target = "VDCheckBox20", .Then = false},
};
static_assert(CheckRules(kRules) == -1);
// clang-format on

bool InList(std::span<const uint8_t> list, uint8_t value) {
  return std::ranges::find(list, value) != list.end();
}

}  // namespace

TMainInputs::TMainInputs(IPageHost& host, TMainBoard& board, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      board_(board),
      records_(board.Model()),
      controls_(BuildTablePage(*this, MainInputsTable(), host)) {
  BuildGrid();
  impulses_ = new TImpulseInputs;
  AddToSection(*this, QString::fromUtf8(kAlgorithmsSection), impulses_);
  buttons_ = new TButtonCommands;
  AddToSection(*this, QString::fromUtf8(kAnalogSection), buttons_);
  thirdGeneration_ = board_.Model().Pcb().IsThirdGeneration();
  connect(&board_, &TMainBoard::Changed, this, &TMainInputs::BoardChanged);

  AttachAssignments();
  AttachBeachPin();
  AttachAdc();
  AttachImpulses();
  AttachButtons();
  AttachRules();
  AttachLearning();
  Redraw();
}

void TMainInputs::BuildGrid() {
  grid_ = new TVDGrid;
  grid_->setObjectName(QStringLiteral("sgInputs"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setWordWrap(true);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  grid_->setColumnCount(kColumns);
  connect(grid_, &QTableWidget::cellClicked, this, &TMainInputs::ClickCell);
  connect(grid_, &QTableWidget::cellEntered, this, &TMainInputs::ShowCellHint);
  connect(grid_, &TVDGrid::MouseLeave, this, [this] { host_.ShowStatusText(QString(), false); });
  connect(grid_, &QWidget::customContextMenuRequested, this, &TMainInputs::ShowCellMenu);
  AddToSection(*this, QString::fromUtf8(kGridSection), grid_);
}

bool TMainInputs::OnThisBoard(const TControlRow& row) const {
  return (row.Mem == mlFlash) == board_.Model().Pcb().IsThirdGeneration();
}

void TMainInputs::AttachAssignments() {
  const auto rows = controls_.Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TControlRow& row = rows[i];
    const TInputCell cell = InputCellOfRow(row);
    if (cell.Kind == TInputCellKind::None) continue;
    auto* item = dynamic_cast<TVDData*>(controls_.At(i));
    assignments_.push_back(item);
    const int taskId = cell.TaskId;
    item->OnLoad = [this, &row, cell, taskId](QObject&, uint8_t byte, int) {
      if (!OnThisBoard(row)) return;
      switch (cell.Kind) {
        case TInputCellKind::Older:
          records_.LoadOlder(taskId, byte);
          break;
        case TInputCellKind::Pin:
          records_.LoadPinByte(taskId, byte);
          break;
        case TInputCellKind::Source:
          if (!records_.LoadSourceByte(taskId, byte)) {
            host_.ShowStatusText(QStringLiteral("Ошибка загрузки %1\r\n%2").arg(row.Addr).arg(byte),
                                 true);
          }
          break;
        case TInputCellKind::Fixed:
        case TInputCellKind::None:
          break;
      }
      board_.NotifyChanged();
    };
    item->OnStore = [this, &row, cell, taskId](QObject&, uint8_t& byte, int) {
      if (!OnThisBoard(row)) return;
      switch (cell.Kind) {
        case TInputCellKind::Older:
          byte = records_.OlderByte(taskId);
          break;
        case TInputCellKind::Pin:
          byte = records_.PinByte(taskId);
          break;
        case TInputCellKind::Source:
          byte = records_.SourceByte(taskId);
          break;
        case TInputCellKind::Fixed:
          byte = records_.FixedByte(taskId);
          break;
        case TInputCellKind::None:
          break;
      }
    };
    item->OnSetDefaultState = [this, &row, cell, item, taskId](QObject&, uint8_t& byte, int) {
      if (!OnThisBoard(row)) {
        byte = item->GetMem()->GetByte(item->ComponentData().Addr());
        return;
      }
      switch (cell.Kind) {
        case TInputCellKind::Older:
          byte = records_.DefaultOlder(taskId);
          break;
        case TInputCellKind::Pin:
          byte = records_.DefaultPinByte(taskId);
          break;
        case TInputCellKind::Source:
          byte = records_.DefaultSourceByte(taskId);
          break;
        case TInputCellKind::Fixed:
        case TInputCellKind::None:
          byte = records_.FixedByte(taskId);
          break;
      }
      ScheduleRedraw();
    };
  }
}

void TMainInputs::AttachBeachPin() {
  auto* part = new QWidget;
  auto* rows = new QGridLayout(part);
  rows->setContentsMargins(0, 4, 0, 0);
  rows->addWidget(
      new QLabel(QStringLiteral("ПИН код режима пляж, снять с охраны (только 4 цифры)")), 0, 0);
  beachPin_ = new TPinEdit(QLatin1Char('1'), QLatin1Char('9'));
  beachPin_->setObjectName(QStringLiteral("edBeachPin"));
  beachPin_->setFixedWidth(90);
  rows->addWidget(beachPin_, 0, 1);
  rows->addWidget(new QLabel(QStringLiteral(
                      "ПИН код режима пляж, только открыть багажник(формируется автоматически)")),
                  1, 0);
  trunkPin_ = new QLabel;
  trunkPin_->setObjectName(QStringLiteral("lbTrunkPin"));
  rows->addWidget(trunkPin_, 1, 1);
  rows->setColumnStretch(2, 1);
  AddToSection(*this, QString::fromUtf8(kAlgorithmsSection), part);

  auto& item = controls_.Get<TVDData>("VDData22");
  const auto show = [this](const QString& digits) {
    beachPin_->SetDigits(digits);
    trunkPin_->setText(TrunkPinText(digits));
  };
  item.OnLoad = [this, show](QObject&, uint8_t byte, int index) {
    // A byte that is no PIN digit leaves the PIN incomplete, so that it is not written back.
    const QString before = index == 0 ? QString() : beachPin_->Digits();
    show(byte >= 1 && byte <= 9 ? before + QString::number(byte) : before);
  };
  // An incomplete PIN is not written: the module keeps the one it has.
  item.OnStore = [this](QObject&, uint8_t& byte, int index) {
    const QString digits = beachPin_->Digits();
    if (digits.size() == kBeachPinDigits) byte = static_cast<uint8_t>(digits[index].digitValue());
  };
  item.OnSetDefaultState = [show](QObject&, uint8_t& byte, int index) {
    const QString factory = QStringLiteral("6493");
    byte = static_cast<uint8_t>(factory[index].digitValue());
    show(factory);
  };
  connect(beachPin_, &TPinEdit::Edited, this, [this, &item] {
    trunkPin_->setText(TrunkPinText(beachPin_->Digits()));
    item.StoreEdited();
  });
}

void TMainInputs::AttachAdc() {
  adc_ = new QLabel;
  adc_->setObjectName(QStringLiteral("lbAdc"));
  AddToSection(*this, QString::fromUtf8(kAnalogSection), adc_);
  const auto show = [this] {
    const TAdcTexts texts = AdcTexts(adcReading_, boardRevision_);
    adc_->setText(QStringLiteral("Напряжение на АЦП ") + texts.Input + QStringLiteral("   ") +
                  texts.Supply);
  };
  BindByteTable(controls_.Get<TVDData>("VDDataADC"),
                {.Bytes = std::span(&adcReading_, 1), .Shown = show});
  BindByteTable(controls_.Get<TVDData>("VDDataPCB"),
                {.Bytes = std::span(&boardRevision_, 1), .Shown = show});
  show();
}

void TMainInputs::AttachRules() {
  new TCheckRules(controls_, kRules, {}, this);
  for (const char* name : {"VDCheckBox20", "VDCheckBox21", "VDCheckBox7"}) {
    connect(&controls_.Get<TVDCheckBox>(name), &QAbstractButton::clicked, this,
            &TMainInputs::AnalogButtonsMoved);
  }
  // Taking the tacho from CAN on the CAN inputs page takes the tacho function off its wire.
  connect(&controls_.Get<TVDCheckBox>("VDCheckBox1"), &TVDCheckBox::ChangedByTwin, this,
          [this](bool fromCan) {
            if (fromCan == (records_.TachoSource() == TTachoSource::Can)) return;
            TakeTachoFrom(fromCan ? TTachoSource::Can : TTachoSource::Wire);
          });
  // The grid refuses the speed and steering-button functions while they come from CAN.
  for (const char* name : {"VDCheckBox2", "VDCheckBox21"}) {
    connect(&controls_.Get<TVDCheckBox>(name), &QAbstractButton::toggled, this,
            &TMainInputs::ScheduleRedraw);
  }
}

void TMainInputs::AttachImpulses() {
  auto& impulse1 = controls_.Get<TVDData>("VDD_ImpInp");
  auto& impulse2 = controls_.Get<TVDData>("VDData21");
  auto& impulse3 = controls_.Get<TVDData>("VDD_ImpIn3");
  // Bytes 0 and 5 of the item, the settings bytes 547 and 552, hold the algorithm of input 1.
  constexpr int kImpulse1Low = 5;
  impulse1.OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index == 0) impulse1High_ = byte;
    if (index != kImpulse1Low) return;
    impulses_->Show(0, Impulse1Item({.High = impulse1High_, .Low = byte}), false);
  };
  impulse1.OnStore = [this](QObject&, uint8_t& byte, int index) {
    if (index == 0) byte = WithImpulse1Item({.High = byte}, impulses_->Item(0)).High;
    if (index == kImpulse1Low) byte = WithImpulse1Item({.Low = byte}, impulses_->Item(0)).Low;
  };
  impulse1.OnSetDefaultState = [this, &impulse1](QObject&, uint8_t& byte, int index) {
    byte = impulse1.GetMem()->GetByte(impulse1.ComponentData().Addr() + index);
    if (index == 0) byte = WithImpulse1Item({.High = byte}, 0).High;
    if (index == kImpulse1Low) byte = WithImpulse1Item({.Low = byte}, 0).Low;
    impulses_->Show(0, 0, false);
  };
  const auto bindChoice = [this](TVDData& item, int input, uint8_t itemBits) {
    item.OnLoad = [this, input, itemBits](QObject&, uint8_t byte, int) {
      const TImpulseChoice choice = ImpulseChoice(byte, itemBits);
      impulses_->Show(input, choice.Item, choice.BeachPin);
    };
    item.OnStore = [this, input](QObject&, uint8_t& byte, int) {
      byte = ImpulseByte({.Item = impulses_->Item(input), .BeachPin = impulses_->BeachPin(input)});
    };
    item.OnSetDefaultState = [this, input](QObject&, uint8_t& byte, int) {
      byte = ImpulseByte({.Item = 0, .BeachPin = false});
      impulses_->Show(input, 0, false);
    };
  };
  bindChoice(impulse2, 1, 0x0F);
  bindChoice(impulse3, 2, 0x07);
  connect(impulses_, &TImpulseInputs::Edited, this, [&impulse1, &impulse2, &impulse3] {
    for (TVDData* item : {&impulse1, &impulse2, &impulse3}) item->StoreEdited();
  });
}

void TMainInputs::AttachButtons() {
  TButtonCommands& buttons = *buttons_;
  const auto redraw = [&buttons] { buttons.Redraw(); };
  struct TTable {
    const char* Name;
    std::span<uint8_t> Bytes;
    void (TButtonCommands::*Edited)();
    std::optional<uint8_t> Factory;
  };
  const TTable tables[] = {
      {"AnalogInpMask", buttons.Masks, &TButtonCommands::MasksEdited, {}},
      {"vdCmd", buttons.Commands, &TButtonCommands::CommandsEdited, {}},
      {"anSeqLrn", buttons.LearnedCombinations, &TButtonCommands::LearnedEdited, {}},
      {"AnInpLearned", std::span(&buttons.LearnedButtons, 1), &TButtonCommands::LearnedEdited, {}},
      {"vdInpStatus", std::span(&buttons.Pressed, 1), nullptr, {}},
      {"vdCmd2", buttons.PressCommands, &TButtonCommands::PressCommandsEdited, kNoCommand},
  };
  for (const TTable& table : tables) {
    auto& item = controls_.Get<TVDData>(table.Name);
    BindByteTable(item, {.Bytes = table.Bytes, .Shown = redraw, .Factory = table.Factory});
    if (table.Edited != nullptr) {
      connect(&buttons, table.Edited, this, [&item] { item.StoreEdited(); });
    }
  }
}

void TMainInputs::AttachLearning() {
  learning_ = new TInputLearning(*this, host_);
  connect(buttons_, &TButtonCommands::LearnRequested, learning_, &TInputLearning::Start);
  connect(learning_, &TInputLearning::Ended, this, [this](bool combination) {
    if (combination) {
      ReadAgain("anSeqLrn");
      ReadAgain("vdDataEvents");
    } else {
      ReadAgain("AnInpLearned");
    }
  });
}

// Reads a data item from the module again on the bus worker, then shows it.
void TMainInputs::ReadAgain(const char* name) {
  auto& item = controls_.Get<TVDData>(name);
  if (!HasBus() || item.GetMem() == nullptr) return;
  Requests().Run(
      [&item](TAdapter&) {
        item.GetMem()->ReadRange(item.ComponentData().Addr(), item.ComponentData().GetSize());
      },
      [&item] { item.Load(); });
}

void TMainInputs::BoardChanged() {
  const bool third = board_.Model().Pcb().IsThirdGeneration();
  if (third != thirdGeneration_) {
    thirdGeneration_ = third;
    // The other generation's cells may have been loaded first; they count now.
    ReloadAssignments();
  }
  ScheduleRedraw();
}

void TMainInputs::ReloadAssignments() {
  for (TVDData* item : assignments_) {
    LoadIfLoaded(*item);
  }
}

void TMainInputs::ScheduleRedraw() {
  redraw_.Request();
}

void TMainInputs::Redraw() {
  const TBoardModel& model = board_.Model();
  const TPCB& pcb = model.Pcb();
  const auto& inputs = pcb.Inputs();
  places_.RowPins.assign(1, -1);
  bool startModule = false;
  for (int index = 1;; ++index) {
    const int pin = pcb.InputAt(index);
    if (pin < 0) break;
    if (inputs[static_cast<std::size_t>(pin)].StartModuleInput >= 0) {
      startModule = true;
    } else {
      places_.RowPins.push_back(pin);
    }
  }
  const bool third = pcb.IsThirdGeneration();
  if (third) places_.RowPins.push_back(kCanRowPin);
  if (startModule) places_.RowPins.push_back(kStartRowPin);
  places_.ColumnTasks.assign(kColumns, 0);
  for (int column = kFirstTaskColumn; column < kColumns; ++column) {
    const TTaskIn* task = model.TaskInAtColumn(column);
    places_.ColumnTasks[static_cast<std::size_t>(column)] = task != nullptr ? task->Id : 0;
  }
  grid_->setRowCount(static_cast<int>(places_.RowPins.size()));
  impulses_->setVisible(third);
  buttons_->SetButtonRows(third);

  const auto cell = [this](int row, int column) {
    QTableWidgetItem* item = grid_->item(row, column);
    if (item == nullptr) {
      item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      grid_->setItem(row, column, item);
    }
    return item;
  };
  const auto paint = [](QTableWidgetItem* item, bool own, bool refused) {
    item->setText(own ? kOwnMark : QString());
    item->setBackground(own ? kOwnColour : refused ? kRefusedColour : QColor(Qt::white));
  };
  for (int column = 0; column < kColumns; ++column) {
    const TTaskIn* task = model.TaskIn(TaskAt(column));
    QTableWidgetItem* header = cell(0, column);
    header->setText(task != nullptr ? task->Name : QString());
    header->setBackground(task == nullptr || model.IsAssignable(*task) ? kHeaderColour
                                                                       : kRefusedColour);
  }
  for (int row = 1; row < static_cast<int>(places_.RowPins.size()); ++row) {
    const int pin = PinAt(row);
    if (pin == kCanRowPin || pin == kStartRowPin) {
      cell(row, kNameColumn)
          ->setText(pin == kCanRowPin ? QStringLiteral("Вирт. вход")
                                      : QStringLiteral("Модуль запуска"));
      for (int column = kFirstTaskColumn; column < kColumns; ++column) {
        const TTaskIn* task = model.TaskIn(TaskAt(column));
        if (task == nullptr) continue;
        const bool own =
            pin == kCanRowPin ? task->FromCan : model.IsOnStartModule(task->Id) && task->Pin >= 0;
        paint(cell(row, column), own, pin == kStartRowPin && !own);
      }
      continue;
    }
    const TIn& in = inputs[static_cast<std::size_t>(pin)];
    const int taskOnPin = model.TaskInOn(pin);
    const TTaskIn* holder = model.TaskIn(taskOnPin);
    cell(row, kNameColumn)
        ->setText(holder != nullptr ? in.Name + QStringLiteral("\n") + holder->Name : in.Name);
    const auto toggle = [&](int column, bool has, uint8_t mask) {
      QTableWidgetItem* item = cell(row, column);
      item->setText(has ? ((in.Code & mask) != 0 ? QStringLiteral("1") : QStringLiteral("0"))
                        : QString());
      item->setBackground(has ? QColor(Qt::white) : kRefusedColour);
    };
    toggle(kPolarityColumn, in.PolarityToggle, pcb.PolarityMask());
    toggle(kTriggerColumn, in.TriggerToggle, pcb.TriggerMask());
    for (int column = kFirstTaskColumn; column < kColumns; ++column) {
      const int taskId = TaskAt(column);
      if (taskId == 0) continue;
      paint(cell(row, column), taskOnPin == taskId, !MayTake(taskId, pin));
    }
  }
  grid_->setRowHeight(0, kHeaderHeight);
  grid_->setColumnWidth(kNameColumn, 110);
  grid_->setColumnWidth(kPolarityColumn, 28);
  grid_->setColumnWidth(kTriggerColumn, 28);
  // A function's name is read whole in its heading, its column widened as far as it needs.
  for (int column = kFirstTaskColumn; column < kColumns; ++column) {
    grid_->setColumnWidth(
        column, grid_->WidthForText(cell(0, column)->text(), kHeaderHeight, kColumnWidth));
  }
  grid_->setFixedHeight(grid_->verticalHeader()->length() + 2 * grid_->frameWidth() +
                        grid_->horizontalScrollBar()->sizeHint().height());
}

int TMainInputs::CanRow() const {
  return RowOfPin(kCanRowPin);
}

int TMainInputs::StartModuleRow() const {
  return RowOfPin(kStartRowPin);
}

bool TMainInputs::MayTake(int taskId, int pin) const {
  if (taskId == kAnalogButtonsTask && controls_.Get<TVDCheckBox>("VDCheckBox21").isChecked()) {
    return false;
  }
  if (taskId == kSpeedTask && controls_.Get<TVDCheckBox>("VDCheckBox2").isChecked()) return false;
  return board_.Model().MayTakeInput(taskId, pin);
}

void TMainInputs::ClickCell(int row, int column) {
  TBoardModel& model = board_.Model();
  const int taskId = TaskAt(column);
  const int pin = PinAt(row);
  bool changed = false;
  if (row == 0) {
    const TTaskIn* task = model.TaskIn(taskId);
    if (task != nullptr && model.IsAssignable(*task)) {
      model.DefaultInput(taskId);
      changed = true;
    }
  } else if (pin == kStartRowPin) {
    changed = model.IsOnStartModule(taskId) && model.TaskIn(taskId)->Pin >= 0;
    if (changed) model.ReleaseInput(taskId);
  } else if (pin == kCanRowPin) {
    changed = taskId != 0 && ToggleCan(taskId);
  } else if (pin >= 0 && column == kNameColumn) {
    const int defaultTask = model.Pcb().Inputs()[static_cast<std::size_t>(pin)].DefaultTask;
    if (const TTaskIn* task = model.TaskIn(defaultTask);
        task != nullptr && model.IsAssignable(*task)) {
      model.DefaultInput(defaultTask);
      changed = true;
    }
  } else if (pin >= 0 && (column == kPolarityColumn || column == kTriggerColumn)) {
    const TIn& in = model.Pcb().Inputs()[static_cast<std::size_t>(pin)];
    if (column == kPolarityColumn && in.PolarityToggle) {
      model.ToggleInputPolarity(pin);
      changed = true;
    } else if (column == kTriggerColumn && in.TriggerToggle) {
      model.ToggleInputTrigger(pin);
      changed = true;
    }
  } else if (pin >= 0 && taskId != 0) {
    changed = ClickPinCell(taskId, pin);
  }
  if (!changed) return;
  StoreAndShow();
  if (pin >= 0 && model.TaskIn(taskId) != nullptr && model.TaskIn(taskId)->Pin == pin &&
      NeedsRestart(taskId, pin)) {
    OfferRestart();
  }
}

void TMainInputs::ReleaseWire(int taskId) {
  TBoardModel& model = board_.Model();
  const TTaskIn* task = model.TaskIn(taskId);
  if (task == nullptr || task->Pin < 0 || model.IsOnStartModule(taskId)) return;
  model.ReleaseInput(taskId);
  StoreAndShow();
}

void TMainInputs::TakeTachoFrom(TTachoSource source) {
  SetTachoSource(source);
  StoreAndShow();
}

// An edit of the assignments: the images take it, the pages sharing the board and this grid
// show it.
void TMainInputs::StoreAndShow() {
  StoreEdits();
  board_.NotifyChanged();
  Redraw();
}

// From the board, not the grid, which may not have been drawn yet.
int TMainInputs::FunctionAtColumn(int column) const {
  const TTaskIn* task = board_.Model().TaskInAtColumn(column);
  return task != nullptr ? task->Id : 0;
}

QString TMainInputs::FunctionName(int taskId) const {
  const TTaskIn* task = board_.Model().TaskIn(taskId);
  return task != nullptr ? task->Name : QString();
}

int TMainInputs::StartInputPin(int input) const {
  const auto& inputs = board_.Model().Pcb().Inputs();
  for (std::size_t pin = 0; pin < inputs.size(); ++pin) {
    if (inputs[pin].StartModuleInput == input - 1) return static_cast<int>(pin);
  }
  return -1;
}

int TMainInputs::StartInputFunction(int input) const {
  const int pin = StartInputPin(input);
  if (pin < 0) return 0;
  for (const TTaskIn& task : board_.Model().TasksIn()) {
    if (task.Pin == pin) return task.Id;
  }
  return 0;
}

bool TMainInputs::StartInputMayTake(int taskId) const {
  constexpr int kIgnitionTask = 4;
  const TTaskIn* task = board_.Model().TaskIn(taskId);
  return task != nullptr && board_.Model().IsAssignable(*task) && taskId != kIgnitionTask &&
         taskId != kSpeedTask && taskId != kTachoTask;
}

void TMainInputs::ToggleStartInputFunction(int input, int taskId) {
  const int pin = StartInputPin(input);
  if (pin < 0 || !StartInputMayTake(taskId)) return;
  board_.Model().AssignInput(taskId, pin);
  StoreAndShow();
}

void TMainInputs::ReleaseStartInput(int input) {
  const int taskId = StartInputFunction(input);
  if (taskId == 0) return;
  board_.Model().ReleaseInput(taskId);
  StoreAndShow();
}

// The first boards read the charge lamp, the speed and the tacho on their pin 60 (the second
// boards the speed on pin 4) only as configured at start-up.
bool TMainInputs::NeedsRestart(int taskId, int pin) const {
  const TPCB& pcb = board_.Model().Pcb();
  const uint8_t code = pcb.Inputs()[static_cast<std::size_t>(pin)].Code;
  switch (pcb.Generation()) {
    case TPcbGeneration::First:
      return (taskId == kChargeTask || taskId == kSpeedTask || taskId == kTachoTask) &&
             code == kFirstRestartPinCode;
    case TPcbGeneration::Second:
      return taskId == kSpeedTask && code == kSecondRestartPinCode;
    case TPcbGeneration::Third:
      return false;
  }
  return false;
}

// Writes the main module's settings and restarts the system, as the window's commands do.
void TMainInputs::OfferRestart() {
  if (!host_.ConfirmWarning(QStringLiteral("Внимание, сохранение данных!!!"),
                            QStringLiteral("Сделанные изменения будут работать только после "
                                           "сохранения и перезагрузки системы. Сделать это "
                                           "сейчас?")) ||
      !host_.ModuleAvailable(kMainModuleAddr)) {
    return;
  }
  for (const char* command : {"aWrite2", "ResetSystem"}) {
    if (QAction* action = host_.WindowCommand(QString::fromUtf8(command))) action->trigger();
  }
}

TMainInputs* InputsPageOf(IPageHost& host) {
  return qobject_cast<TMainInputs*>(host.SettingsPage(QStringLiteral("MainInputs")));
}

bool TMainInputs::ClickPinCell(int taskId, int pin) {
  if (!MayTake(taskId, pin)) return false;
  TBoardModel& model = board_.Model();
  const bool analogMoves =
      taskId == kAnalogButtonsTask || model.TaskIn(kAnalogButtonsTask)->Pin == pin;
  model.AssignInput(taskId, pin);
  if (taskId == kTachoTask && model.TaskIn(kTachoTask)->Pin == pin) {
    SetTachoSource(TTachoSource::Wire);
  }
  // Steering buttons on any other wire send a digital signal.
  if (analogMoves) {
    const int analogPin = model.TaskIn(kAnalogButtonsTask)->Pin;
    auto& digital = controls_.Get<TVDCheckBox>("VDCheckBox20");
    if (analogPin < 0) {
      digital.SetChecked(false);
    } else if (model.Pcb().Inputs()[static_cast<std::size_t>(analogPin)].Name !=
               QString::fromUtf8(kAnalogButtonsPin)) {
      digital.SetChecked(true);
    }
  }
  return true;
}

bool TMainInputs::CanRowLive() const {
  const uint8_t major = host_.MainVersionMajor();
  return major == kFixedCanMajor || InList(kCanBoxMajors, major);
}

bool TMainInputs::ToggleCan(int taskId) {
  TBoardModel& model = board_.Model();
  const uint8_t major = host_.MainVersionMajor();
  const TTaskIn* task = model.TaskIn(taskId);
  if (task == nullptr || !CanRowLive()) return false;
  const bool checkBoxes = InList(kCanBoxMajors, major);
  if (taskId == kTachoTask || taskId == kSpeedTask) {
    if (!checkBoxes) return false;
    if (taskId == kTachoTask) {
      SetTachoSource(records_.TachoSource() == TTachoSource::Can ? TTachoSource::Wire
                                                                 : TTachoSource::Can);
    } else {
      auto& speed = controls_.Get<TVDCheckBox>("VDCheckBox2");
      speed.SetChecked(!speed.isChecked());
    }
    return true;
  }
  if (!checkBoxes && taskId == kAnalogButtonsTask) return false;
  model.SetFromCan(taskId, !task->FromCan);
  if (checkBoxes && taskId == kChargeTask && model.TaskIn(kChargeTask)->FromCan &&
      records_.TachoSource() == TTachoSource::Can) {
    SetTachoSource(TTachoSource::Wire);
  }
  return true;
}

void TMainInputs::SetTachoSource(TTachoSource source) {
  records_.SetTachoSource(source);
  controls_.Get<TVDCheckBox>("VDCheckBox1").SetChecked(source == TTachoSource::Can);
  controls_.Get<TVDCheckBox>("VDCheckBox5").SetChecked(source == TTachoSource::StartModule);
  StoreEdits();
  board_.NotifyChanged();
}

void TMainInputs::AnalogButtonsMoved() {
  const TBoardModel& model = board_.Model();
  const int pin = model.TaskIn(kAnalogButtonsTask)->Pin;
  if (pin < 0 || controls_.Get<TVDCheckBox>("VDCheckBox20").isChecked()) return;
  if (model.Pcb().Inputs()[static_cast<std::size_t>(pin)].Name ==
      QString::fromUtf8(kAnalogButtonsPin)) {
    return;
  }
  board_.Model().ReleaseInput(kAnalogButtonsTask);
  StoreAndShow();
}

bool TMainInputs::ReleaseTaskFromPin(int taskId, int pin) {
  TBoardModel& model = board_.Model();
  const TTaskIn* task = model.TaskIn(taskId);
  if (task == nullptr || pin < 0 || task->Pin != pin) return false;
  model.ReleaseInput(taskId);
  StoreAndShow();
  return true;
}

void TMainInputs::StoreEdits() {
  for (TVDData* item : assignments_) item->StoreEdited();
}

void TMainInputs::ShowCellHint(int row, int column) {
  const TBoardModel& model = board_.Model();
  const int pin = PinAt(row);
  const TTaskIn* task = model.TaskIn(TaskAt(column));
  QString hint;
  if (row == 0) {
    hint = task != nullptr ? task->Name : QString();
  } else if (column == kPolarityColumn) {
    hint = QStringLiteral("Полярность");
  } else if (column == kTriggerColumn) {
    hint = QStringLiteral("Тип срабатывания");
  } else if (pin == kCanRowPin && task != nullptr &&
             InList(kCanBoxMajors, host_.MainVersionMajor())) {
    const std::pair<int, const char*> boxes[] = {{kTachoTask, "VDCheckBox1"},
                                                 {kAnalogButtonsTask, "VDCheckBox21"},
                                                 {kSpeedTask, "VDCheckBox2"}};
    const std::pair<int, const char*> texts[] = {
        {kTachoTask, "Принимать сигнал от тахометра по шине CAN"},
        {kAnalogButtonsTask, "Принимать сигнал от кнопок на руле по шине CAN"},
        {kSpeedTask, "Принимать сигнал от спидометра по шине CAN"}};
    hint = task->FromCan ? QStringLiteral("к любому входу (обязательно)")
                         : QStringLiteral("только к входам главного модуля");
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
      if (boxes[i].first == task->Id && controls_.Get<TVDCheckBox>(boxes[i].second).isChecked()) {
        hint = QString::fromUtf8(texts[i].second);
      }
    }
  } else if (pin >= 0 && task != nullptr) {
    const QString description = model.Pcb().Inputs()[static_cast<std::size_t>(pin)].Description;
    if (task->Pin == pin) {
      hint = QStringLiteral("%1 => %2").arg(task->Name, description);
    } else if (MayTake(task->Id, pin)) {
      hint = QStringLiteral("%1 (%2)").arg(task->Name, description);
    }
  }
  host_.ShowStatusText(hint, false);
}

void TMainInputs::ShowCellMenu(const QPoint& position) {
  const QModelIndex index = grid_->indexAt(position);
  const int row = index.row();
  const int column = index.column();
  const int taskId = TaskAt(column);
  const int pin = PinAt(row);
  if (taskId == 0 || pin < 0 || !MayTake(taskId, pin)) return;
  QMenu menu(this);
  menu.addAction(QStringLiteral("Установить назначение"), this,
                 [this, row, column] { ClickCell(row, column); });
  menu.addAction(QStringLiteral("Отенить назначение"), this,
                 [this, taskId, pin] { ReleaseTaskFromPin(taskId, pin); });
  menu.exec(grid_->viewport()->mapToGlobal(position));
}

void TMainInputs::PageShown() {
  TVDFrame::PageShown();
  board_.Model().SetPresence({.StartModule = host_.ModuleAvailable(kStartModuleAddress),
                              .OutputExtender = host_.ModuleAvailable(kOutputExtenderAddress)});
  Redraw();
  setFocus(Qt::OtherFocusReason);
}
