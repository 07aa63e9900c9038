#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <deque>
#include <functional>

#include "pages/main/tacho_scale.h"

class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;
class QChartView;

// "Данные тахометра": the engine speed the main module reports live, over the last seconds.
// The window starts the reports when it opens and stops them when it closes.
class TMainGraph : public QDialog {
  Q_OBJECT

 public:
  // `report` switches the module's live tacho report on or off.
  TMainGraph(std::function<void(bool on)> report, QWidget* parent = nullptr);

  void SetScale(const TTachoScale& scale) { scale_ = scale; }
  // One live report of the main module: its 16-bit value.
  void AddReport(uint16_t value);
  QString Reading() const;
  int PointCount() const;
  // The samples as "seconds;rpm" lines with a heading line.
  QString Csv() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct TSample {
    double Seconds;
    int Rpm;
  };

  void Redraw();
  void SavePicture();
  void SaveCsv();
  // Saves as every file of the program is saved; says why when it cannot.
  void Save(const QString& name, const QByteArray& bytes);

  std::function<void(bool)> report_;
  TTachoScale scale_;
  QElapsedTimer clock_;
  std::deque<TSample> samples_;
  bool paused_ = false;
  QLabel* reading_ = nullptr;
  QLineSeries* series_ = nullptr;
  QValueAxis* time_ = nullptr;
  QValueAxis* speed_ = nullptr;
  QChartView* view_ = nullptr;
};
