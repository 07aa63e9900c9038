#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "pages/can/can_programs.h"

class QGridLayout;
class QLabel;
class QPushButton;

// The grid of the 16 CAN programs: each row shows its program's command and switch-on event,
// and offers editing and reset. The page owns the programs; the grid shows them.
class TCanProgramGrid : public QWidget {
  Q_OBJECT

 public:
  TCanProgramGrid(const TCanPrograms& programs, QWidget* parent = nullptr);

  void Redraw();
  QPushButton& EditButton(int index) const { return *rows_.at(static_cast<size_t>(index)).Edit; }
  QPushButton& ResetButton(int index) const { return *rows_.at(static_cast<size_t>(index)).Reset; }

 signals:
  void EditRequested(int index);
  void ResetRequested(int index);

 private:
  struct TRow {
    QPushButton* Edit = nullptr;
    QPushButton* Reset = nullptr;
  };

  const TCanPrograms& programs_;
  std::vector<TRow> rows_;
};
