#include "binding/ui/table_page.h"

#include "binding/help_anchor.h"
#include "binding/ui/context_help.h"
#include "binding/ui/control_tooltip.h"
#include "binding/ui/track_bar_setup.h"

TPageControls BuildTablePage(TVDFrame& frame, const TPageTable& table, IPageHost& host) {
  TPageControls controls = TPageControls::Build(frame, table.Rows);
  ApplyValueLabels(controls, table.Labels);
  AttachControlHelp(controls, host, PageHelpTopic(table));
  AttachControlTooltips(controls, table, host);
  return controls;
}
