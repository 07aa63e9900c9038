#pragma once

#include <QDockWidget>
#include <vector>

class QToolButton;
class TLiveStatus;

// "Индикатор": a lamp per input, output and state of the main module, lit while the module
// says it is on. A lit lamp is enabled and pressed, an unlit one released and greyed.
class TIndicatorForm : public QDockWidget {
  Q_OBJECT

 public:
  TIndicatorForm(const TLiveStatus& status, QWidget* parent = nullptr);

  QToolButton* Lamp(int lamp) const;

 private:
  void ShowLamp(int lamp, bool on);

  std::vector<QToolButton*> lamps_;
};
