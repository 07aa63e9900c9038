#include "binding/ui/check_confirmation.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "binding/ui/vd_check_box.h"

namespace {

// Takes the press that would check the box, so that a No leaves it as it was; a Yes clicks
// the box itself.
class TCheckConfirmation : public QObject {
 public:
  TCheckConfirmation(TVDCheckBox& box, std::function<bool()> ask)
      : QObject(&box), box_(box), ask_(std::move(ask)) {
    box.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &box_ || box_.isChecked() || !box_.isEnabled() || !WouldCheck(*event)) {
      return false;
    }
    if (ask_()) box_.click();
    return true;
  }

 private:
  static bool WouldCheck(const QEvent& event) {
    if (event.type() == QEvent::MouseButtonPress ||
        event.type() == QEvent::MouseButtonDblClick) {
      return static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton;
    }
    return event.type() == QEvent::KeyPress &&
           static_cast<const QKeyEvent&>(event).key() == Qt::Key_Space;
  }

  TVDCheckBox& box_;
  std::function<bool()> ask_;
};

}  // namespace

void AskBeforeChecking(TVDCheckBox& box, std::function<bool()> ask) {
  new TCheckConfirmation(box, std::move(ask));
}
