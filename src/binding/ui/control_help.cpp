#include "binding/ui/control_help.h"

#include <QVariant>
#include <QWidget>

#include "binding/help_anchor.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"

namespace {

constexpr char kSectionProperty[] = "vardexHelpSection";

}  // namespace

QString ControlHelpAnchor(const QObject* control) {
  if (const auto* box = qobject_cast<const TVDCheckBox*>(control)) {
    return HelpAnchor(ckCheckBox, box->ComponentData());
  }
  if (const auto* bar = qobject_cast<const TVDTrackBar*>(control)) {
    return HelpAnchor(ckTrackBar, bar->ComponentData());
  }
  if (const auto* group = qobject_cast<const TVDRadioGroup*>(control)) {
    return HelpAnchor(ckRadioGroup, group->ComponentData());
  }
  return {};
}

QString ControlSectionAnchor(const QObject* control) {
  return control ? control->property(kSectionProperty).toString() : QString();
}

void SetControlSectionAnchor(QWidget& control, const QString& anchor) {
  control.setProperty(kSectionProperty, anchor);
}
