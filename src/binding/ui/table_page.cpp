#include "binding/ui/table_page.h"

#include "binding/ui/context_help.h"
#include "binding/ui/track_bar_setup.h"

TPageControls BuildTablePage(TVDFrame& frame, const TPageTable& table, IPageHost& host) {
  TPageControls controls = TPageControls::Build(frame, table.Rows);
  ApplyValueLabels(controls, table.Labels);
  AttachControlHelp(controls, host, QLatin1String(table.HelpTopic));
  return controls;
}
