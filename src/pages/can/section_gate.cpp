#include "pages/can/section_gate.h"

#include "binding/ui/category_panels.h"
#include "binding/ui/vd_frame.h"

bool CanFirmwareKnown(uint8_t major, bool demoMode) {
  return demoMode || major == 4 || major == 5;
}

void EnableSections(TVDFrame& frame, const QStringList& captions, bool enabled) {
  for (TPanelCategory* category : frame.CategoryPanels1()->Categories()) {
    if (captions.contains(category->Caption())) category->Panel()->setEnabled(enabled);
  }
}
