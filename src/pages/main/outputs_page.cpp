#include "pages/main/outputs_page.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "binding/bound_control_base.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_grid.h"
#include "journal/ui/events_form.h"
#include "link/bus_requests.h"
#include "link/lan_msg.h"
#include "memory/base_device_memory_item.h"
#include "pages/main/main_board.h"
#include "pages/main/outputs_table.h"
#include "pages/main/program_editor.h"
#include "pages/main/relay_delay_window.h"
#include "pages/main/security_page.h"

namespace {

constexpr char kGridSection[] = "Выходы базового блока";
constexpr int kHeaderHeight = 90;
constexpr int kColumnWidth = 64;
constexpr char kHelpTopic[] = "main_outputs";
constexpr char kSharedInputName[] = "7.о";
constexpr int kFirstProgramTask = 18;
constexpr int kStarterTask = 13;
// The grid's columns whose functions give the digital output's pin up to it.
constexpr int kFirstColumnFreed = 2;
constexpr int kLastColumnFreed = 34;
// Firmware majors whose CAN row is live.
constexpr uint8_t kCanMajors[] = {4, 5};

const QString kOwnMark = QStringLiteral("●");
const QString kRelayMark = QStringLiteral("○");
const QColor kRefusedColour(0xd8, 0xd8, 0xd8);
const QColor kOwnColour(0xb8, 0xe0, 0xb8);
const QColor kHeaderColour(0xe8, 0xee, 0xf8);

// The data items that hold the program records, byte by byte (TOutputPrograms knows where
// each byte belongs).
constexpr const char* kProgramItems[] = {"vddProgData",
                                         "vddProgDataCont",
                                         "vddProgData_17_20",
                                         "RepProgCount",
                                         "RepProgCount_17_20",
                                         "vddEventOff",
                                         "vddEventOffTimer",
                                         "vddEventOffCancel",
                                         "vddEventOff_17_20",
                                         "vddEventOffTimer_17_20",
                                         "vddEventOffCancel_17_20"};

bool IsProgram(int taskId) {
  return taskId >= kFirstProgramTask;
}

int ProgramOf(int taskId) {
  return IsProgram(taskId) ? taskId - kFirstProgramTask + 1 : 0;
}

}  // namespace

TMainOutputs::TMainOutputs(IPageHost& host, TMainBoard& board, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      board_(board),
      editor_(board.Model(), relays_),
      controls_(BuildTablePage(*this, MainOutputsTable(), host)) {
  grid_ = new TVDGrid;
  grid_->setObjectName(QStringLiteral("sgOutputs"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setWordWrap(true);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  grid_->setMinimumHeight(420);
  grid_->FreezeTopRow();
  grid_->installEventFilter(this);
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
    ClickCell(row, column, QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
  });
  connect(grid_, &QTableWidget::cellEntered, this, &TMainOutputs::ShowCellHint);
  connect(grid_, &TVDGrid::MouseLeave, this, [this] { grid_->SetCellHint(QString()); });
  connect(grid_, &QWidget::customContextMenuRequested, this, &TMainOutputs::ShowCellMenu);
  AddToSection(*this, QString::fromUtf8(kGridSection), grid_);
  connect(&board_, &TMainBoard::Changed, this, &TMainOutputs::ScheduleRedraw);

  AttachConfiguration();
  AttachAssignments();
  AttachCanOutputs();
  AttachRelayTables();
  AttachPrograms();
  Redraw();
}

void TMainOutputs::AttachConfiguration() {
  // The byte describes the hardware: factory settings keep it.
  controls_.Get<TVDData>("vddConfig").OnLoad = [this](QObject&, uint8_t byte, int) {
    const bool wasThird = board_.Model().Pcb().IsThirdGeneration();
    board_.Model().SetConfiguration(byte);
    if (board_.Model().Pcb().IsThirdGeneration()) AskSubRevision();
    // The other generation's cells may have been loaded first; they count now.
    if (board_.Model().Pcb().IsThirdGeneration() != wasThird) ReloadAssignments();
    board_.NotifyChanged();
  };
}

// Two pins of the third-generation board change their codes with its sub-revision, which only
// the module knows; until it answers, and when it does not, they keep the older codes.
void TMainOutputs::AskSubRevision() {
  if (!HasBus() || host_.DemoMode()) return;
  Requests().Request(kMainModuleAddr, kSubRevisionCommand, {kSubRevisionQuery},
                     [this](const TAdapter::TAnswer& answer) {
                       const auto subRevision =
                           answer.Answered
                               ? SubRevisionFromAnswer(std::span(answer.Data).first(answer.Length))
                               : std::nullopt;
                       board_.Model().SetSubRevision(subRevision.value_or(0));
                       board_.NotifyChanged();
                     });
}

bool TMainOutputs::OnThisBoard(const TControlRow& row) const {
  return (row.Mem == mlFlash) == board_.Model().Pcb().IsThirdGeneration();
}

void TMainOutputs::AttachAssignments() {
  const auto rows = controls_.Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TControlRow& row = rows[i];
    const int taskId = OutputTaskOfRow(row);
    if (taskId == 0) continue;
    auto* item = dynamic_cast<TVDData*>(controls_.At(i));
    assignments_.push_back(item);
    item->OnLoad = [this, &row, item, taskId](QObject&, uint8_t code, int) {
      if (!OnThisBoard(row)) return;
      board_.Model().LoadOutput(taskId, code);
      board_.Model().SetAvailable(taskId, !item->ComponentData().IsReadOnly());
      ScheduleRedraw();
    };
    item->OnStore = [this, &row, taskId](QObject&, uint8_t& code, int) {
      if (OnThisBoard(row)) code = board_.Model().OutputCode(taskId);
    };
    item->OnSetDefaultState = [this, &row, item, taskId](QObject&, uint8_t& code, int) {
      if (!OnThisBoard(row)) {
        code = item->GetMem()->GetByte(item->ComponentData().Addr());
        return;
      }
      editor_.Default(taskId);
      code = board_.Model().OutputCode(taskId);
      ScheduleRedraw();
    };
  }
}

void TMainOutputs::AttachCanOutputs() {
  canOutputs_ = &controls_.Get<TVDData>("vddCanOuts");
  canOutputs_->OnLoad = [this](QObject&, uint8_t byte, int) {
    editor_.CanOutputs() = byte;
    ScheduleRedraw();
  };
  canOutputs_->OnStore = [this](QObject&, uint8_t& byte, int) {
    if (board_.Model().Pcb().IsThirdGeneration()) byte = editor_.CanOutputs();
  };
  canOutputs_->OnSetDefaultState = [this](QObject&, uint8_t& byte, int) {
    if (!board_.Model().Pcb().IsThirdGeneration()) {
      byte = canOutputs_->GetMem()->GetByte(canOutputs_->ComponentData().Addr());
      return;
    }
    editor_.CanOutputs() = 0;
    byte = 0;
  };
}

void TMainOutputs::AttachRelayTables() {
  struct TTable {
    const char* Name;
    uint8_t& (TStartRelays::*Byte)(int);
  };
  const TTable tables[] = {{"vdRelayIOOuts", &TStartRelays::MaskByte},
                           {"vdRelayIODon", &TStartRelays::OnDelayByte},
                           {"vdRelayIODoff", &TStartRelays::OffDelayByte}};
  for (const TTable& table : tables) {
    auto& item = controls_.Get<TVDData>(table.Name);
    relayTables_.push_back(&item);
    item.OnLoad = [this, byte = table.Byte](QObject&, uint8_t value, int index) {
      (relays_.*byte)(index) = value;
      ScheduleRedraw();
    };
    item.OnStore = [this, byte = table.Byte](QObject&, uint8_t& value, int index) {
      value = (relays_.*byte)(index);
    };
  }
}

void TMainOutputs::AttachPrograms() {
  for (const char* name : kProgramItems) {
    auto& item = controls_.Get<TVDData>(name);
    programItems_.push_back(&item);
    const int address = item.ComponentData().Addr();
    item.OnLoad = [this, address](QObject&, uint8_t value, int index) {
      if (uint8_t* byte = programs_.ByteAt(address + index)) *byte = value;
    };
    item.OnStore = [this, address](QObject&, uint8_t& value, int index) {
      if (const uint8_t* byte = programs_.ByteAt(address + index)) value = *byte;
    };
  }
}

TEventsForm& TMainOutputs::Events() {
  if (events_ == nullptr) events_ = new TEventsForm(host_.EventFavourites(), this);
  return *events_;
}

void TMainOutputs::EditProgram(int program) {
  TProgOuts editor(Events(), this);
  // The editor is a window of its own; it takes the page's colours.
  editor.setPalette(palette());
  editor.Edit(program, programs_.Program(program));
  if (editor.exec() != QDialog::Accepted) return;
  SetProgram(program, editor.Program());
  Redraw();
}

void TMainOutputs::SetProgram(int program, const TOutputProgram& record) {
  programs_.SetProgram(program, record);
  for (TVDData* item : programItems_) item->StoreEdited();
}

void TMainOutputs::ReloadAssignments() {
  for (TVDData* item : assignments_) {
    LoadIfLoaded(*item);
  }
}

void TMainOutputs::ScheduleRedraw() {
  redraw_.Request();
}

void TMainOutputs::Redraw() {
  editor_.SetDigitalOutput(DigitalOutputState());
  const TBoardModel& model = board_.Model();
  const auto& outputs = model.Pcb().Outputs();
  places_.RowPins.assign(1, -1);
  for (int index = 1;; ++index) {
    const int pin = model.Pcb().OutputAt(index);
    if (pin < 0) break;
    places_.RowPins.push_back(pin);
  }
  int columns = 0;
  for (const TTask& task : model.Tasks()) columns = std::max(columns, task.Column);
  places_.ColumnTasks.assign(static_cast<std::size_t>(columns) + 1, 0);
  for (const TTask& task : model.Tasks()) {
    if (task.Column > 0) places_.ColumnTasks[static_cast<std::size_t>(task.Column)] = task.Id;
  }
  const bool canRow = model.Pcb().IsThirdGeneration();
  grid_->setRowCount(static_cast<int>(places_.RowPins.size()) + (canRow ? 1 : 0));
  grid_->setColumnCount(columns + 1);

  const auto cell = [this](int row, int column) {
    QTableWidgetItem* item = grid_->item(row, column);
    if (item == nullptr) {
      item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      grid_->setItem(row, column, item);
    }
    return item;
  };
  for (int column = 1; column <= columns; ++column) {
    const TTask* task = model.Task(TaskAt(column));
    QTableWidgetItem* header = cell(0, column);
    header->setText(task ? task->Name : QString());
    header->setBackground(task && model.IsAssignable(*task) ? kHeaderColour : kRefusedColour);
  }
  cell(0, 0)->setBackground(kHeaderColour);
  for (int row = 1; row < static_cast<int>(places_.RowPins.size()); ++row) {
    const TOut& out =
        outputs[static_cast<std::size_t>(places_.RowPins[static_cast<std::size_t>(row)])];
    cell(row, 0)->setText(out.Name);
    for (int column = 1; column <= columns; ++column) {
      QTableWidgetItem* item = cell(row, column);
      switch (editor_.Cell(TaskAt(column), PinAt(row))) {
        case TOutputCell::Own:
          item->setText(kOwnMark);
          item->setBackground(kOwnColour);
          break;
        case TOutputCell::Relay:
          item->setText(kRelayMark);
          item->setBackground(kOwnColour);
          break;
        case TOutputCell::Free:
          item->setText(QString());
          item->setBackground(Qt::white);
          break;
        case TOutputCell::Refused:
          item->setText(QString());
          item->setBackground(kRefusedColour);
          break;
      }
    }
  }
  if (canRow) {
    const int row = CanRow();
    cell(row, 0)->setText(QStringLiteral("CAN"));
    for (int column = 1; column <= columns; ++column) {
      const int taskId = TaskAt(column);
      QTableWidgetItem* item = cell(row, column);
      const bool hasBit = TOutputsEditor::HasCanBit(taskId);
      item->setText(editor_.SentOverCan(taskId) ? kOwnMark : QString());
      item->setBackground(hasBit ? QBrush(Qt::white) : QBrush(kRefusedColour));
    }
  }
  grid_->setRowHeight(0, kHeaderHeight);
  grid_->setColumnWidth(0, 90);
  // A function's name is read whole in its heading, its column widened as far as it needs.
  for (int column = 1; column <= columns; ++column) {
    grid_->setColumnWidth(
        column, grid_->WidthForText(cell(0, column)->text(), kHeaderHeight, kColumnWidth));
  }
}

int TMainOutputs::CanRow() const {
  return board_.Model().Pcb().IsThirdGeneration() ? static_cast<int>(places_.RowPins.size()) : -1;
}

void TMainOutputs::ClickCell(int row, int column, bool join) {
  lastRow_ = row;
  lastColumn_ = column;
  editor_.SetDigitalOutput(DigitalOutputState());
  TBoardModel& model = board_.Model();
  const int sharedInput = [&model] {
    const auto& inputs = model.Pcb().Inputs();
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      if (inputs[i].Name == QString::fromUtf8(kSharedInputName)) return static_cast<int>(i);
    }
    return -1;
  }();
  editor_.SetInputPinBusy(sharedInput >= 0 && model.TaskInOn(sharedInput) != 0);

  const int taskId = TaskAt(column);
  const int pin = PinAt(row);
  bool changed = false;
  if (row == 0) {
    // Programs open their editor from the header; other functions go back to their pin.
    if (IsProgram(taskId)) {
      EditProgram(ProgramOf(taskId));
      return;
    }
    changed = taskId != 0 && editor_.Default(taskId);
  } else if (row == CanRow()) {
    const uint8_t major = host_.MainVersionMajor();
    changed =
        std::find(std::begin(kCanMajors), std::end(kCanMajors), major) != std::end(kCanMajors) &&
        editor_.ToggleCan(taskId);
  } else if (pin >= 0 && column == 0) {
    changed = editor_.DefaultPin(pin);
  } else if (pin >= 0 && column == 1 && model.Pcb().IsThirdGeneration() &&
             model.Pcb().Outputs()[static_cast<std::size_t>(pin)].SelectablePolarity) {
    model.ToggleOutputPolarity(pin);
    changed = true;
  } else if (pin >= 0 && taskId != 0) {
    changed = editor_.Click(taskId, pin, join);
  }
  if (!changed) return;
  StoreAndShow();
}

// The security page's switches as they stand, saved or not; the page is made for it when the
// user has not opened it yet.
TDigitalOutput TMainOutputs::DigitalOutputState() const {
  const auto* security =
      qobject_cast<TMainSecurity*>(host_.SettingsPage(QStringLiteral("MainSecurity")));
  return security != nullptr && security->DigitalOutputTakesPin() ? TDigitalOutput::Reserved
                                                                  : TDigitalOutput::Free;
}

void TMainOutputs::FreeDigitalOutputPin() {
  TBoardModel& model = board_.Model();
  std::vector<int> leaving;
  for (const TTask& task : model.Tasks()) {
    if (task.Column < kFirstColumnFreed || task.Column > kLastColumnFreed || task.Pin < 0) {
      continue;
    }
    if (model.Pcb().Outputs()[static_cast<std::size_t>(task.Pin)].DigitalOutput) {
      leaving.push_back(task.Id);
    }
  }
  for (const int taskId : leaving) model.ReleaseOutput(taskId);
  if (leaving.empty()) return;
  StoreAndShow();
}

void TMainOutputs::ReleasePinNamed(const QString& name) {
  TBoardModel& model = board_.Model();
  const auto& outputs = model.Pcb().Outputs();
  const auto named = std::find_if(outputs.begin(), outputs.end(),
                                  [&name](const TOut& out) { return out.Name == name; });
  const int pin = named == outputs.end() ? -1 : static_cast<int>(named - outputs.begin());
  if (pin < 0 || model.TasksOn(pin).empty()) return;
  model.ReleaseOutputPin(pin);
  StoreAndShow();
}

// An edit of the assignments: the images take it, the pages sharing the board and this grid
// show it.
void TMainOutputs::StoreAndShow() {
  StoreEdits();
  board_.NotifyChanged();
  Redraw();
}

void TMainOutputs::StoreEdits() {
  for (TVDData* item : assignments_) item->StoreEdited();
  canOutputs_->StoreEdited();
  for (TVDData* item : relayTables_) item->StoreEdited();
}

void TMainOutputs::ReleaseLastCell() {
  const int taskId = TaskAt(lastColumn_);
  if (taskId == 0 || !editor_.Release(taskId)) return;
  StoreAndShow();
}

// Releases the function of the last pressed cell and, for a program, clears its record too.
void TMainOutputs::ReleaseAndClearLastCell() {
  const int program = ProgramOf(TaskAt(lastColumn_));
  if (program != 0) SetProgram(program, TOutputProgram::Cleared());
  ReleaseLastCell();
}

void TMainOutputs::ShowCellHint(int row, int column) {
  const TBoardModel& model = board_.Model();
  const int pin = PinAt(row);
  const TTask* task = model.Task(TaskAt(column));
  QString hint;
  if (row == CanRow()) {
    hint = QStringLiteral("CAN команда");
  } else if (pin >= 0) {
    const TOut& out = model.Pcb().Outputs()[static_cast<std::size_t>(pin)];
    hint = task != nullptr ? QStringLiteral("%1: %2. \"%3\" => \r\n%4")
                                 .arg(out.Name)
                                 .arg(out.Index)
                                 .arg(task->Name, out.Description)
                           : QStringLiteral("%1 => \r\n%2").arg(out.Name, out.Description);
  } else if (task != nullptr) {
    hint = QStringLiteral("%1 \r\n(%2)").arg(task->Name, QStringLiteral("назначение по умолчанию"));
  }
  grid_->SetCellHint(hint);
}

void TMainOutputs::ShowCellMenu(const QPoint& position) {
  const QModelIndex index = grid_->indexAt(position);
  const int row = index.row();
  const int column = index.column();
  const int taskId = TaskAt(column);
  const int pin = PinAt(row);
  if (taskId == 0 || pin < 0) return;
  lastRow_ = row;
  lastColumn_ = column;
  const TOutputCell state = editor_.Cell(taskId, pin);
  if (state == TOutputCell::Refused) return;

  QMenu menu(this);
  const auto help = [this] { host_.ShowHelpTopic(QString::fromUtf8(kHelpTopic)); };
  const auto delays = [this, taskId, pin] { EditDelays(taskId, pin); };
  if (state == TOutputCell::Relay) {
    menu.addAction(QStringLiteral("Настройка задержек"), this, delays);
    menu.addAction(QStringLiteral("Удалить"), this, [this, taskId, pin] {
      if (!editor_.RemoveRelay(taskId, pin)) return;
      StoreEdits();
      Redraw();
    });
    menu.addAction(QStringLiteral("Справка"), this, help);
  } else {
    QAction* program = menu.addAction(QStringLiteral("Настройка программы..."), this,
                                      [this, taskId] { EditProgram(ProgramOf(taskId)); });
    program->setEnabled(IsProgram(taskId));
    menu.addAction(QStringLiteral("Установить назначение"), this,
                   [this, row, column] { ClickCell(row, column, true); });
    menu.addAction(QStringLiteral("Отменить назначение(без удаления настроек)"), this,
                   &TMainOutputs::ReleaseLastCell);
    menu.addAction(QStringLiteral("Отменить назначение(удаление настроек)"), this,
                   &TMainOutputs::ReleaseAndClearLastCell);
    if (state == TOutputCell::Own && editor_.RelayOf(pin) != 0) {
      menu.addAction(QStringLiteral("Настройка задержек"), this, delays);
    }
    menu.addAction(QStringLiteral("Справка"), this, help);
  }
  menu.exec(grid_->viewport()->mapToGlobal(position));
}

void TMainOutputs::EditDelays(int taskId, int pin) {
  const int relay = editor_.RelayOf(pin);
  if (relay == 0) return;
  if (delays_ == nullptr) delays_ = new TRelayDelayWindow(this);
  const int function = taskId - 1;
  delays_->Edit(relays_.OnDelay(function, relay), relays_.OffDelay(function, relay),
                taskId == kStarterTask);
  if (delays_->exec() != QDialog::Accepted) return;
  relays_.SetDelays(function, relay, delays_->OnPosition(), delays_->OffPosition());
  StoreEdits();
}

bool TMainOutputs::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (key->key() == Qt::Key_Space) {
      ClickCell(row, column, key->modifiers().testFlag(Qt::ShiftModifier));
      return true;
    }
    if (key->text() == QLatin1String("-")) {
      ClickCell(row, column, true);
      return true;
    }
    if (key->text() == QLatin1String(".")) {
      ReleaseLastCell();
      return true;
    }
  }
  return TVDFrame::eventFilter(watched, event);
}

void TMainOutputs::PageShown() {
  TVDFrame::PageShown();
  board_.Model().SetPresence({.StartModule = host_.ModuleAvailable(kStartModuleAddress),
                              .OutputExtender = host_.ModuleAvailable(kOutputExtenderAddress)});
  Redraw();
  if (grid_->isEnabled()) grid_->setFocus(Qt::OtherFocusReason);
}
