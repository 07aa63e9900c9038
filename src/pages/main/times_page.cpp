#include "pages/main/times_page.h"

#include <QLabel>
#include <QLayout>
#include <QVBoxLayout>

#include "binding/ui/table_page.h"
#include "binding/ui/vd_track_bar.h"
#include "link/lan_msg.h"
#include "pages/main/times_table.h"

TMainTimes::TMainTimes(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent), controls_(BuildTablePage(*this, MainTimesTable(), host)) {
  AddWindowLiftNote();
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
