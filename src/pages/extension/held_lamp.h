#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

// A lamp for a short event bit that a module repeats while the event lasts: it lights with
// the bit, stays lit for a while so that a glance catches it, and goes out when the time is
// up or the bit clears. A bit that stays set does not keep the lamp lit for good: the next
// byte with the bit after the time is up lights it again.
class THeldLamp : public QObject {
  Q_OBJECT

 public:
  explicit THeldLamp(std::function<void(bool lit)> show,
                     std::chrono::milliseconds hold = std::chrono::milliseconds(4000),
                     QObject* parent = nullptr);

  void Take(bool bit);
  bool Lit() const { return lit_; }

 private:
  void Show(bool lit);

  std::function<void(bool)> show_;
  QTimer hold_;
  bool lit_ = false;
};
