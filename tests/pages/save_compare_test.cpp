// A configuration saved from the window holds every area it offered: compared with the program
// right after saving, it matches for every module of the virtual vehicle, whether or not the
// module's pages were ever shown.

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "binding/ui/page_registry.h"
#include "link/adapter.h"
#include "pages/settings_pages.h"
#include "scripted_dialogs.h"
#include "shell/compare_form.h"
#include "shell/main_form.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

// Every line of the comparison tree, indented by depth, for a readable failure.
QStringList TreeLines(const QTreeWidget& tree) {
  QStringList lines;
  const auto walk = [&lines](const auto& self, const QTreeWidgetItem* item, int depth) -> void {
    QStringList cells;
    for (int c = 0; c < item->columnCount(); ++c) cells << item->text(c);
    lines << QString(depth * 2, u' ') + cells.join(QStringLiteral(" | "));
    for (int i = 0; i < item->childCount(); ++i) self(self, item->child(i), depth + 1);
  };
  for (int i = 0; i < tree.topLevelItemCount(); ++i) walk(walk, tree.topLevelItem(i), 0);
  return lines;
}

TEST(SaveCompareTest, AFileSavedAfterReadingComparesEqualForEveryModule) {
  TPageRegistry pages;
  RegisterSettingsPages(pages);
  TOptionsData options;
  const auto vehicle = MakeTestVehicle();
  const auto adapter = ConnectTo(vehicle);
  auto scripted = std::make_unique<TScriptedDialogs>();
  TScriptedDialogs& dialogs = *scripted;
  TMainForm form(*adapter, options, pages, std::move(scripted));
  const auto idle = [&form] { return form.BusIdle() && !form.Busy().IsBusy(); };
  ASSERT_TRUE(SpinUntil([&] { return form.CurrentPage() && !form.ScanPending(); }, 10s));
  ASSERT_TRUE(SpinUntil(idle, 10s));

  form.Action(QStringLiteral("aRead"))->trigger();
  ASSERT_TRUE(SpinUntil(idle, 60s));
  // Saving starts from a module's page; only the main module's pages are ever built here.
  form.ShowPage(QStringLiteral("aMainOptions"), true);
  ASSERT_TRUE(SpinUntil(idle, 10s));

  const QTemporaryDir dir;
  dialogs.fileName = dir.filePath(QStringLiteral("car.ini"));
  // Saved twice: with the other modules' pages never built (their bytes known only through
  // stand-ins), and again after every page was shown and its widgets took the bytes over.
  for (const bool everyPageShown : {false, true}) {
    SCOPED_TRACE(everyPageShown ? "every page shown" : "only the main module's page shown");
    if (everyPageShown) {
      for (const TPageInfo& page : pages.Pages()) {
        form.ShowPage(QStringLiteral("a") + page.Name, true);
        ASSERT_TRUE(SpinUntil(idle, 10s)) << page.Name.toStdString();
        EXPECT_EQ(form.CurrentPage()->objectName(), page.Name);
      }
      form.ShowPage(QStringLiteral("aMainOptions"), true);
    }
    dialogs.informed.clear();
    dialogs.offeredLines.clear();
    form.SaveFile();
    QStringList modules;
    for (const auto& line : dialogs.offeredLines) {
      if (!modules.contains(line.Module)) modules << line.Module;
    }
    EXPECT_GE(modules.size(), 5) << modules.join(u',').toStdString();

    form.Action(QStringLiteral("aCompare"))->trigger();
    TCompareForm* compare = form.CompareForm();
    EXPECT_EQ(compare, nullptr) << (compare ? TreeLines(*compare->Tree()).join(u'\n').toStdString()
                                            : std::string());
    EXPECT_EQ(dialogs.informed,
              QStringList{QStringLiteral("Настройки совпадают с файлом \"car.ini\".")});
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
    if (compare) compare->close();
  }
}

}  // namespace
