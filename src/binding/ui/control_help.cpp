#include "binding/ui/control_help.h"

#include "binding/help_anchor.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"

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
