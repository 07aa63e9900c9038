#include "pages/can/can_program_grid.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "journal/event_table.h"

namespace {

// What a program's row says: its command and, below, the event that starts it; a program
// without either offers to be added.
QString ProgramText(const TCanProgram& program) {
  if (!program.IsSet()) return QStringLiteral("+");
  QString text = QStringLiteral("Команда: ") +
                 (program.HasCommand() ? CanCommandTitle(program.Command) : CanCommandItemText(0));
  if (program.OnEvent != 0) text += QStringLiteral("\nСобытие: ") + EventCodeText(program.OnEvent);
  return text;
}

}  // namespace

TCanProgramGrid::TCanProgramGrid(const TCanPrograms& programs, QWidget* parent)
    : QWidget(parent), programs_(programs) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Программа №")), 0, 0, Qt::AlignCenter);
  grid->addWidget(new QLabel(QStringLiteral("Команда")), 0, 1, Qt::AlignCenter);
  grid->addWidget(new QLabel(QStringLiteral("Сброс")), 0, 2, Qt::AlignCenter);
  for (int index = 0; index < TCanPrograms::kCount; ++index) {
    TRow row;
    grid->addWidget(new QLabel(QString::number(index + 1)), index + 1, 0, Qt::AlignCenter);
    row.Edit = new QPushButton;
    row.Edit->setObjectName(QStringLiteral("btCanProgram%1").arg(index + 1));
    row.Edit->setStyleSheet(QStringLiteral("text-align: left; padding: 3px"));
    connect(row.Edit, &QPushButton::clicked, this, [this, index] { emit EditRequested(index); });
    grid->addWidget(row.Edit, index + 1, 1);
    row.Reset = new QPushButton(QStringLiteral("Сброс"));
    row.Reset->setObjectName(QStringLiteral("btCanProgramReset%1").arg(index + 1));
    connect(row.Reset, &QPushButton::clicked, this, [this, index] { emit ResetRequested(index); });
    grid->addWidget(row.Reset, index + 1, 2);
    rows_.push_back(row);
  }
  grid->setColumnStretch(1, 1);
  Redraw();
}

void TCanProgramGrid::Redraw() {
  for (int index = 0; index < TCanPrograms::kCount; ++index) {
    const TRow& row = rows_.at(static_cast<size_t>(index));
    const TCanProgram& program = programs_.Program(index);
    row.Edit->setText(ProgramText(program));
  }
}
