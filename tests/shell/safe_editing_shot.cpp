// Shows the main window against the virtual vehicle, changes a few settings of two modules
// after a read and saves DIR/pending_marks.png (a page with pending marks, its sections and
// the module panel) and DIR/changes_view.png ("Изменения"). DIR defaults to
// build/screenshots/safe_editing. Runs on the offscreen platform unless another is chosen.
#include <QAction>
#include <QTimer>
#include <cstdio>

#include "binding/ui/category_panels.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "binding/ui/vd_track_bar.h"
#include "shell/changes_form.h"
#include "shell/pending_marks.h"
#include "shot_window.h"

namespace {

// Changes the first `count` enabled check boxes and the first enabled track bar of a page.
void ChangeSettings(TMainForm& form, const QString& page, int count) {
  TVDFrame* frame = form.Page(page);
  if (frame == nullptr) return;
  for (TVDCheckBox* box : frame->findChildren<TVDCheckBox*>()) {
    if (count > 0 && box->isEnabled() && box->isVisible()) {
      box->click();
      --count;
    }
  }
  for (TVDTrackBar* bar : frame->findChildren<TVDTrackBar*>()) {
    if (bar->isEnabled() && bar->isVisible()) {
      bar->setValue(bar->value() == bar->maximum() ? bar->minimum() : bar->value() + 1);
      return;
    }
  }
}

bool Save(QWidget& widget, const QString& path) {
  QApplication::processEvents();
  const bool saved = widget.grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString dir = ShotFolder(argc, argv, QStringLiteral("build/screenshots/safe_editing"));
  TSimOptions simOptions;
  simOptions.LinkModel = false;
  TShotWindow shot(simOptions);
  TMainForm& form = shot.form;
  form.resize(1400, 900);
  form.show();
  shot.WaitStarted(10000);
  form.ReadAll();
  shot.WaitIdle(30000);

  for (const char* page : {"SlaveOptions", "MainOptions"}) {
    form.ShowPage(QStringLiteral("a") + QLatin1String(page), true);
    shot.WaitIdle(10000);
    ChangeSettings(form, QLatin1String(page), 3);
  }
  form.PendingMarks().Update();
  // The sections with marks open, the others closed, so that the marks show in one picture.
  for (TPanelCategory* section : form.CurrentPage()->CategoryPanels1()->Categories()) {
    section->SetCollapsed(!section->Pending());
  }
  int failures = Save(form, dir + QStringLiteral("/pending_marks.png")) ? 0 : 1;

  form.Action(QStringLiteral("aChanges"))->trigger();
  TChangesForm* changes = form.ChangesForm();
  if (changes == nullptr) return 1;
  changes->resize(1000, 520);
  failures += Save(*changes, dir + QStringLiteral("/changes_view.png")) ? 0 : 1;
  return failures == 0 ? 0 : 1;
}
