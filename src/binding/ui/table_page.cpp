#include "binding/ui/table_page.h"

#include "binding/help_anchor.h"
#include "binding/ui/context_help.h"
#include "binding/ui/control_tooltip.h"
#include "binding/ui/track_bar_setup.h"
#include "binding/ui/vd_frame.h"

TPageControls BuildTablePage(TVDFrame& frame, const TPageTable& table, IPageHost& host) {
  TPageControls controls = TPageControls::Build(frame, table.Rows);
  const auto page = PageLabelContext(frame, controls, &host);
  ApplyValueLabels(page, controls, table.Labels);
  ApplyByteLines(page, controls);
  AttachControlHelp(controls, host, PageHelpTopic(table));
  AttachControlTooltips(controls, table, host);
  return controls;
}
