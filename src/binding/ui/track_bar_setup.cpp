#include "binding/ui/track_bar_setup.h"

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_track_bar.h"

void ApplyValueLabels(const TPageControls& controls, std::span<const TValueLabelRow> rows) {
  for (const TValueLabelRow& row : rows) {
    controls.Get<TVDTrackBar>(row.Name).SetValueFormat(
        [row](int position) { return ValueLabelText(row, position); });
  }
}

void ApplyScaledCodings(const TPageControls& controls, std::span<const TScaledCodingRow> rows) {
  for (const TScaledCodingRow& row : rows) {
    auto& bar = controls.Get<TVDTrackBar>(row.Name);
    bar.OnLoad = [row](QObject&, int stored, int& position) { position = row.Position(stored); };
    bar.OnStore = [row](QObject&, int position, int& stored) { stored = row.Stored(position); };
  }
}
