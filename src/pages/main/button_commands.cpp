#include "pages/main/button_commands.h"

#include <QScrollBar>
#include <QVBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>

#include "binding/ui/vd_grid.h"

namespace {

constexpr int kButtonColumns = 13;
constexpr int kCombinationRows = 9;
constexpr int kWithLearnRows = 11;
constexpr int kPressColumns = 3;
constexpr int kPressTagColumn = 1;
constexpr int kPressCommandColumn = 2;
constexpr int kMenuClosed = -1;
constexpr int kMenuNone = -2;

const QString kYes = QStringLiteral("●");
const QString kLearn = QStringLiteral("Обучить");
const QColor kHeaderColour(0xe8, 0xee, 0xf8);
const QColor kPressedColour(0xf0, 0xb0, 0xb0);

QTableWidgetItem& Cell(TVDGrid& grid, int row, int column) {
  QTableWidgetItem* item = grid.item(row, column);
  if (item == nullptr) {
    item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignCenter);
    grid.setItem(row, column, item);
  }
  return *item;
}

TVDGrid* MakeGrid(const char* name) {
  auto* grid = new TVDGrid;
  grid->setObjectName(QString::fromUtf8(name));
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  return grid;
}

// The whole grid shows without scrolling up and down.
void FitHeight(TVDGrid& grid) {
  grid.setFixedHeight(grid.verticalHeader()->length() + 2 * grid.frameWidth() +
                      grid.horizontalScrollBar()->sizeHint().height());
}

bool HasBit(uint8_t byte, int bit) {
  return (byte >> bit & 1) != 0;
}

}  // namespace

TButtonCommands::TButtonCommands(QWidget* parent) : QWidget(parent) {
  PressCommands.fill(kNoCommand);
  Commands.fill(kNoCommand);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 4, 0, 0);
  buttons_ = MakeGrid("sgAnalogButtons");
  buttons_->setColumnCount(kButtonColumns);
  presses_ = MakeGrid("sgPressCommands");
  presses_->setColumnCount(kPressColumns);
  presses_->setRowCount(kPressCounts + 1);
  presses_->setToolTip(QStringLiteral("Время ожидания метки 4 секунды"));
  column->addWidget(buttons_);
  column->addWidget(presses_);
  connect(buttons_, &QTableWidget::cellClicked, this, &TButtonCommands::ClickButtonCell);
  connect(presses_, &QTableWidget::cellClicked, this, &TButtonCommands::ClickPressCell);
  SetButtonRows(false);
}

void TButtonCommands::SetButtonRows(bool learnRows) {
  buttons_->setRowCount(learnRows ? kWithLearnRows : kCombinationRows);
  Redraw();
}

void TButtonCommands::Redraw() {
  TVDGrid& grid = *buttons_;
  const QString headers[] = {QStringLiteral("Комбинации"), QStringLiteral("Команды"),
                             QStringLiteral("Требуется метка"), QStringLiteral("Обучено"),
                             QStringLiteral("Обучить")};
  Cell(grid, 0, 0).setText(headers[0]);
  for (int button = 1; button <= kButtons; ++button) {
    QTableWidgetItem& header = Cell(grid, 0, button);
    header.setText(QString::number(button));
    header.setBackground(HasBit(Pressed, button - 1) ? kPressedColour : kHeaderColour);
  }
  for (int column = kCommandColumn; column < kButtonColumns; ++column) {
    Cell(grid, 0, column).setText(headers[column - kCommandColumn + 1]);
  }
  for (int k = 0; k < kCombinations; ++k) {
    const int row = k + 1;
    const auto index = static_cast<std::size_t>(k);
    Cell(grid, row, 0).setText(QStringLiteral("Комбинация  %1").arg(k + 1));
    for (int button = 1; button <= kButtons; ++button) {
      Cell(grid, row, button).setText(HasBit(Masks[index], button - 1) ? kYes : QString());
    }
    Cell(grid, row, kCommandColumn).setText(CommandText(Commands[index]));
    Cell(grid, row, kTagColumn).setText(RequiresTag(Commands[index]) ? kYes : QString());
    Cell(grid, row, kLearnedColumn).setText(LearnedCombinations[index] != 0 ? kYes : QString());
    Cell(grid, row, kLearnColumn).setText(kLearn);
  }
  if (grid.rowCount() == kWithLearnRows) {
    Cell(grid, kLearnedRow, 0).setText(QStringLiteral("Обучено"));
    Cell(grid, kLearnRow, 0).setText(QStringLiteral("Обучить"));
    for (int button = 1; button <= kButtons; ++button) {
      Cell(grid, kLearnedRow, button).setText(HasBit(LearnedButtons, button - 1) ? kYes : QString());
      Cell(grid, kLearnRow, button).setText(kLearn);
    }
  }
  grid.setColumnWidth(0, 110);
  for (int button = 1; button <= kButtons; ++button) grid.setColumnWidth(button, 28);
  grid.setColumnWidth(kCommandColumn, 380);

  TVDGrid& presses = *presses_;
  Cell(presses, 0, 0).setText(QStringLiteral("Количество нажатий"));
  Cell(presses, 0, kPressTagColumn).setText(QStringLiteral("Требуется метка"));
  Cell(presses, 0, kPressCommandColumn).setText(QStringLiteral("Команды"));
  for (int count = 1; count <= kPressCounts; ++count) {
    const uint8_t byte = PressByte(count);
    Cell(presses, count, 0).setText(QString::number(count));
    Cell(presses, count, kPressTagColumn).setText(RequiresTag(byte) ? kYes : QString());
    Cell(presses, count, kPressCommandColumn).setText(CommandText(byte));
  }
  presses.setColumnWidth(0, 130);
  presses.setColumnWidth(kPressTagColumn, 120);
  presses.setColumnWidth(kPressCommandColumn, 380);
  FitHeight(grid);
  FitHeight(presses);
}

void TButtonCommands::ClickButtonCell(int row, int column) {
  const bool combination = row >= 1 && row <= kCombinations;
  const auto k = static_cast<std::size_t>(row - 1);
  const bool buttonColumn = column >= 1 && column <= kButtons;
  if (combination && buttonColumn) {
    Masks[k] = static_cast<uint8_t>(Masks[k] ^ (1u << (column - 1)));
    emit MasksEdited();
  } else if (combination && column == kCommandColumn) {
    const int chosen = ChooseFromMenu(*buttons_, row, column, Commands[k], false);
    if (chosen >= 0) ChooseCombinationCommand(row - 1, chosen);
    return;
  } else if (combination && column == kTagColumn) {
    if (!HasCommand(Commands[k])) return;
    Commands[k] = ToggleTag(Commands[k]);
    emit CommandsEdited();
  } else if (combination && column == kLearnedColumn) {
    if (LearnedCombinations[k] == 0) return;
    LearnedCombinations[k] = 0;
    emit LearnedEdited();
  } else if (combination && column == kLearnColumn) {
    // The click is finished before learning opens its window.
    QTimer::singleShot(0, this, [this, row] { emit LearnRequested(true, row - 1); });
    return;
  } else if (row == kLearnedRow && buttonColumn && buttons_->rowCount() == kWithLearnRows) {
    if (!HasBit(LearnedButtons, column - 1)) return;
    LearnedButtons = static_cast<uint8_t>(LearnedButtons & ~(1u << (column - 1)));
    emit LearnedEdited();
  } else if (row == kLearnRow && buttonColumn && buttons_->rowCount() == kWithLearnRows) {
    QTimer::singleShot(0, this, [this, column] { emit LearnRequested(false, column - 1); });
    return;
  } else {
    return;
  }
  Redraw();
}

void TButtonCommands::ClickPressCell(int row, int column) {
  if (row < 1 || row > kPressCounts) return;
  uint8_t& byte = PressByte(row);
  if (column == kPressTagColumn) {
    if (!HasCommand(byte)) return;
    byte = ToggleTag(byte);
    emit PressCommandsEdited();
    Redraw();
  } else if (column == kPressCommandColumn) {
    const int chosen = ChooseFromMenu(*presses_, row, column, byte, true);
    if (chosen == kMenuNone) ChoosePressCommand(row, -1);
    if (chosen >= 0) ChoosePressCommand(row, chosen);
  }
}

void TButtonCommands::ChooseCombinationCommand(int combination, int index) {
  uint8_t& byte = Commands.at(static_cast<std::size_t>(combination));
  byte = WithCommand(byte, index);
  emit CommandsEdited();
  Redraw();
}

void TButtonCommands::ChoosePressCommand(int presses, int index) {
  PressByte(presses) = index < 0 ? kNoCommand : static_cast<uint8_t>(index);
  emit PressCommandsEdited();
  Redraw();
}

int TButtonCommands::ChooseFromMenu(TVDGrid& grid, int row, int column, uint8_t current,
                                    bool offerNone) {
  QMenu menu(this);
  QAction* none = nullptr;
  if (offerNone) {
    none = menu.addAction(QStringLiteral("Не назначено"));
    none->setCheckable(true);
    none->setChecked(!HasCommand(current));
  }
  const auto names = InputCommandNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    QAction* action = menu.addAction(QString::fromUtf8(names[i]));
    action->setCheckable(true);
    action->setChecked(CommandIndex(current) == static_cast<int>(i));
    action->setData(static_cast<int>(i));
  }
  const QRect cell = grid.visualRect(grid.model()->index(row, column));
  QAction* chosen = menu.exec(grid.viewport()->mapToGlobal(cell.bottomLeft()));
  if (chosen == nullptr) return kMenuClosed;
  return chosen == none ? kMenuNone : chosen->data().toInt();
}

uint8_t& TButtonCommands::PressByte(int presses) {
  return PressCommands.at(static_cast<std::size_t>(PressCountByte(presses)));
}
