#pragma once

#include <QObject>

#include "pages/main/board_model.h"

// The board of the main module that the inputs and outputs pages share: whichever page loads
// the board configuration rebuilds it, and both show what either changed.
class TMainBoard : public QObject {
  Q_OBJECT

 public:
  TBoardModel& Model() { return model_; }
  const TBoardModel& Model() const { return model_; }
  // The board was rebuilt or a function moved.
  void NotifyChanged() { emit Changed(); }

 signals:
  void Changed();

 private:
  TBoardModel model_;
};
