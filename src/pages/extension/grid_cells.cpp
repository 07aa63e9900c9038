#include "pages/extension/grid_cells.h"

#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>

#include "binding/ui/vd_grid.h"
#include "pages/extension/slave_commands.h"

namespace {

constexpr int kHintRole = Qt::UserRole + 1;

}  // namespace

TVDGrid* MakeGrid(const char* name, int rows, int columns) {
  auto* grid = new TVDGrid;
  grid->setObjectName(QString::fromUtf8(name));
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->setRowCount(rows);
  grid->setColumnCount(columns);
  QObject::connect(grid, &QTableWidget::cellEntered, grid, [grid](int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    grid->SetCellHint(item != nullptr ? item->data(kHintRole).toString() : QString());
  });
  QObject::connect(grid, &TVDGrid::MouseLeave, grid, [grid] { grid->SetCellHint({}); });
  return grid;
}

void FitHeight(TVDGrid& grid) {
  grid.setFixedHeight(grid.verticalHeader()->length() + 2 * grid.frameWidth() +
                      grid.horizontalScrollBar()->sizeHint().height());
}

QTableWidgetItem& SetCell(TVDGrid& grid, int row, int column, const QString& text,
                          const QString& hint, bool enabled) {
  QTableWidgetItem* item = grid.item(row, column);
  if (item == nullptr) {
    item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignCenter);
    grid.setItem(row, column, item);
  }
  item->setText(text);
  item->setData(kHintRole, hint);
  item->setFlags(enabled ? Qt::ItemIsEnabled : Qt::NoItemFlags);
  return *item;
}

void PopCommandMenu(TVDGrid& grid, int row, int column, uint8_t current,
                    const std::function<void(uint8_t code)>& chosen) {
  QMenu menu(&grid);
  menu.setObjectName(QStringLiteral("pmCmd"));
  const auto commands = SlaveCommands();
  for (std::size_t i = 0; i < commands.size(); ++i) {
    QAction* action = menu.addAction(QString::fromUtf8(commands[i].Caption));
    action->setCheckable(true);
    action->setChecked(commands[i].Code == current);
    action->setData(static_cast<int>(commands[i].Code));
  }
  const QRect cell = grid.visualRect(grid.model()->index(row, column));
  if (QAction* picked = menu.exec(grid.viewport()->mapToGlobal(cell.bottomLeft()))) {
    chosen(static_cast<uint8_t>(picked->data().toInt()));
  }
}
