#include "pages/main/times_page.h"

#include <QLabel>
#include <QLayout>
#include <QVBoxLayout>

#include "binding/ui/context_help.h"
#include "binding/ui/track_bar_setup.h"
#include "binding/ui/vd_track_bar.h"
#include "link/lan_msg.h"
#include "pages/main/times_table.h"

TMainTimes::TMainTimes(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      controls_(TPageControls::Build(*this, MainTimesTable().Rows)) {
  ApplyValueLabels(controls_, MainTimesTable().Labels);
  AddWindowLiftNote();
  AttachControlHelp(controls_, host, QLatin1String(MainTimesTable().HelpTopic));
}

// The window lift pulse is also the time the sensors are ignored while the windows move: a
// note under the caption says so, the caption itself stays the setting's name.
void TMainTimes::AddWindowLiftNote() {
  TVDBoundLabel* caption = controls_.Get<TVDTrackBar>("VDTrackBar3").ExtLabel();
  auto* holder = new QWidget;
  delete caption->parentWidget()->layout()->replaceWidget(caption, holder);
  auto* column = new QVBoxLayout(holder);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(caption);
  auto* note = new QLabel(QStringLiteral(" (время игнор. датчиков)"));
  note->setObjectName(QStringLiteral("lbWindowLiftNote"));
  column->addWidget(note);
}
