#pragma once

#include <QDialog>

class QLabel;
class QSlider;

// "Задержка включения/выключения": the switch-on and switch-off delays with which one relay of
// the engine start module follows one output function, as slider positions.
class TRelayDelayWindow : public QDialog {
  Q_OBJECT

 public:
  explicit TRelayDelayWindow(QWidget* parent = nullptr);

  // The starter relay is switched off by the start itself: its switch-off delay is fixed.
  void Edit(int onPosition, int offPosition, bool offDelayFixed);
  int OnPosition() const;
  int OffPosition() const;

 private:
  QSlider* AddDelay(const QString& caption, QLabel*& label);

  QSlider* on_ = nullptr;
  QSlider* off_ = nullptr;
  QLabel* onLabel_ = nullptr;
  QLabel* offLabel_ = nullptr;
};
