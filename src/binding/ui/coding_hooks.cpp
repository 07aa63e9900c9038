#include "binding/ui/coding_hooks.h"

#include "binding/position_coding.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "binding/value_coding.h"

namespace {

// The value the control's cell holds now: what a position without a stored value keeps.
int CellValue(TBoundControlBase& control) {
  TBaseDeviceMemoryItem* mem = control.GetMem();
  return mem != nullptr ? LoadValue(*mem, control.ComponentData()) : 0;
}

}  // namespace

void AttachCoding(TVDTrackBar& bar, const TPositionCoding& coding) {
  bar.OnLoad = [&bar, &coding](QObject&, int stored, int& position) {
    position = coding.Position(stored).value_or(bar.value());
  };
  bar.OnStore = [&bar, &coding](QObject&, int shown, int& stored) {
    stored = coding.Stored(shown, CellValue(bar));
  };
}

void AttachCoding(TVDRadioGroup& group, const TPositionCoding& coding) {
  group.OnLoad = [&group, &coding](QObject&, int stored, int& index) {
    index = coding.Position(stored).value_or(group.ItemIndex());
  };
  group.OnStore = [&group, &coding](QObject&, int shown, int& stored) {
    stored = coding.Stored(shown, CellValue(group));
  };
}
