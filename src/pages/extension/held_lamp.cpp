#include "pages/extension/held_lamp.h"

THeldLamp::THeldLamp(std::function<void(bool lit)> show, std::chrono::milliseconds hold,
                     QObject* parent)
    : QObject(parent), show_(std::move(show)) {
  hold_.setSingleShot(true);
  hold_.setInterval(hold);
  connect(&hold_, &QTimer::timeout, this, [this] { Show(false); });
}

void THeldLamp::Take(bool bit) {
  if (!bit) {
    hold_.stop();
    Show(false);
    return;
  }
  if (!hold_.isActive()) {
    hold_.start();
    Show(true);
  }
}

void THeldLamp::Show(bool lit) {
  lit_ = lit;
  if (show_) show_(lit);
}
