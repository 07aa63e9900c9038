#pragma once

#include <QObject>

class IPageHost;
class QDialog;
class QLabel;
class TVDFrame;

// Teaches the main module one steering-wheel button or one combination. The module must echo
// the request; it reports the end of learning by broadcasting command 55 (nonzero: learned,
// zero: given up). A request that gets no echo fails and says so: silence is never success.
class TInputLearning : public QObject {
  Q_OBJECT

 public:
  TInputLearning(TVDFrame& page, IPageHost& host);

  // k from 0.
  void Start(bool combination, int k);
  // The user gave up: the module is told to stop.
  void Cancel();
  bool Active() const { return active_; }
  QDialog* Window() const { return window_; }

 signals:
  // Learning ended either way: what the module learned is to be read again.
  void Ended(bool combination);

 private:
  void Accepted();
  void EndReported(bool learned);
  void Finish(bool learned);
  void ShowWindow();
  uint8_t Mode() const;

  TVDFrame& page_;
  IPageHost& host_;
  QDialog* window_ = nullptr;
  QLabel* lower_ = nullptr;
  bool combination_ = false;
  int k_ = 0;
  bool active_ = false;
  bool accepted_ = false;
  // The end came before the echo was handled.
  int earlyEnd_ = -1;
};
