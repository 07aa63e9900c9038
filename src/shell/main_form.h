#pragma once

#include <QLabel>
#include <QMainWindow>

class TAdapter;
class TLinkKeeper;

// The main window of the program.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  TMainForm(TAdapter& adapter, QWidget* parent = nullptr);

 private:
  void ShowLinkState(bool connected);

  TAdapter& adapter_;
  TLinkKeeper* linkKeeper_ = nullptr;
  QLabel* linkLabel_ = nullptr;
};
