// Renders the help and the setting search of the main window on the virtual vehicle into
// DIR (default docs/screenshots/help): the search with its matches, the help window that F1
// opened on a page, and a control's tooltip over its page.

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolTip>
#include <cstdio>

#include "binding/ui/page_registry.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "link/adapter.h"
#include "pages/settings_pages.h"
#include "shell/help_viewer.h"
#include "shell/main_form.h"
#include "shell/setting_search.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

bool Save(const QPixmap& shot, const QDir& dir, const char* name) {
  const QString path = dir.filePath(QLatin1String(name));
  const bool saved = shot.save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1])
                          : QStringLiteral("docs/screenshots/help"));
  QDir().mkpath(dir.path());

  auto vehicle = MakeTestVehicle();
  auto adapter = ConnectTo(vehicle);
  TOptionsData options;
  TPageRegistry pages;
  RegisterSettingsPages(pages);
  TMainForm form(*adapter, options, pages);
  form.resize(1280, 800);
  form.show();
  const auto idle = [&form] { return form.BusIdle() && !form.Busy().IsBusy(); };
  SpinUntil([&form] { return form.CurrentPage() && !form.ScanPending(); }, 10s);
  form.ReadAll();
  SpinUntil(idle, 30s);
  int failures = 0;

  // The search, as Ctrl+Shift+F and typing leave it.
  TSettingSearch* search = form.SettingSearch();
  form.resizeDocks({search}, {420}, Qt::Vertical);
  search->Activate();
  search->Field()->setText(QStringLiteral("иммобилайзер"));
  SpinFor(200ms);
  failures += Save(form.grab(), dir, "setting_search.png") ? 0 : 1;

  // F1 on the security page.
  form.ShowPage(QStringLiteral("aMainSecurity"), true);
  SpinUntil(idle, 10s);
  form.CurrentPage()->setFocus();
  form.Action(QStringLiteral("aHelp"))->trigger();
  THelpWindow& help = form.HelpWindow();
  help.resize(1100, 720);
  SpinFor(200ms);
  failures += Save(help.grab(), dir, "help_f1.png") ? 0 : 1;

  // "Справка" on a control: the page's help at the control's entry.
  const QString topic = form.PageTopic(QStringLiteral("MainSecurity"));
  form.OpenHelp(topic, QStringLiteral("s2"));
  SpinFor(200ms);
  std::printf("section anchor scrolls the help: %s\n",
              help.Browser()->verticalScrollBar()->value() > 0 ? "yes" : "no");
  failures += Save(help.grab(), dir, "help_section.png") ? 0 : 1;
  help.hide();

  // A tooltip over its control.
  TVDFrame* page = form.CurrentPage();
  TVDCheckBox* box = nullptr;
  for (auto* candidate : page->findChildren<TVDCheckBox*>()) {
    if (candidate->isVisible() && candidate->toolTip().contains(QStringLiteral("Заводское"))) {
      box = candidate;
      break;
    }
  }
  if (box == nullptr) return 1;
  const QPoint at = box->mapTo(&form, QPoint(20, box->height()));
  QToolTip::showText(box->mapToGlobal(QPoint(20, box->height())), box->toolTip(), box);
  SpinFor(300ms);
  QPixmap shot = form.grab();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->inherits("QTipLabel") && top->isVisible()) {
      QPainter painter(&shot);
      painter.drawPixmap(at, top->grab());
    }
  }
  failures += Save(shot, dir, "tooltip.png") ? 0 : 1;
  return failures == 0 ? 0 : 1;
}
