#pragma once

#include <QTimeEdit>

class TVDData;

// A time of day the module keeps as two bytes, hour and minute. An hour the day does not
// have shows the factory time; a minute the hour does not have shows as 0.
class TTimeCells : public QTimeEdit {
  Q_OBJECT

 public:
  TTimeCells(TVDData& cell, QTime factory, QWidget* parent = nullptr);

 private:
  void Show();

  QTime factory_;
  int hour_ = 0;
  int minute_ = 0;
};
