#include "binding/ui/track_bar_setup.h"

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_track_bar.h"

void ApplyValueLabels(const TPageControls& controls, std::span<const TValueLabelRow> rows) {
  for (const TValueLabelRow& row : rows) {
    controls.Get<TVDTrackBar>(row.Name).SetValueFormat(
        [row](int position) { return ValueLabelText(row, position); });
  }
}
