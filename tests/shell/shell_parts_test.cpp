#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <set>
#include <string>

#include "shell/busy_state.h"
#include "shell/command_table.h"
#include "shell/help_viewer.h"
#include "test_support.h"

namespace {

TEST(BusyState, OnlyTheOutermostEndEnablesTheWindow) {
  std::vector<std::string> calls;
  TBusyState busy([&](bool on) { calls.push_back(on ? "enable" : "disable"); },
                  [&](bool on) { calls.push_back(on ? "show" : "hide"); });
  busy.Begin();  // write all
  busy.Begin();  // an automatic read inside it
  busy.End();
  EXPECT_TRUE(busy.IsBusy());
  busy.End();
  EXPECT_FALSE(busy.IsBusy());
  busy.End();  // an unmatched end changes nothing
  EXPECT_EQ(calls, (std::vector<std::string>{"disable", "show", "show", "enable", "hide"}));
}

TEST(HelpViewer, OpensTopicsAtAnchorsAndRefusesMissingOnes) {
  QTemporaryDir dir;
  QFile page(QDir(dir.path()).filePath(QStringLiteral("main_rstart.htm")));
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.close();
  std::vector<QUrl> opened;
  THelpViewer help(dir.path(), [&](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  EXPECT_TRUE(help.Show(QStringLiteral("main_rstart"), QStringLiteral("cb12b3")));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].fragment(), QStringLiteral("cb12b3"));
  EXPECT_TRUE(opened[0].path().endsWith(QStringLiteral("/main_rstart.htm")));
  EXPECT_FALSE(help.Show(QStringLiteral("main_outputs")));
  EXPECT_EQ(opened.size(), 1u);
}

TEST(CommandTable, EveryReferenceNamesAnExistingCommand) {
  std::set<std::string> pageCommands, moduleCommands, all;
  for (const auto& c : MenuPageCommands()) pageCommands.insert(c.Name);
  for (const auto& c : PanelPageCommands()) pageCommands.insert(c.Name);
  for (const auto& c : ModuleCommandTable()) {
    EXPECT_TRUE(moduleCommands.insert(c.Name).second) << c.Name;
  }
  for (const auto& c : MainCommands()) EXPECT_TRUE(all.insert(c.Name).second) << c.Name;
  for (const auto& category : ModulePanelCategories()) {
    for (const char* name : category.Commands) EXPECT_TRUE(pageCommands.contains(name)) << name;
  }
  for (const auto& entry : WriteSubmenu()) {
    if (entry.Name) {
      EXPECT_TRUE(moduleCommands.contains(entry.Name)) << entry.Name;
    }
  }
  for (const auto& entry : DefaultsSubmenu()) {
    const std::string name = entry.Name;
    if (name != "aDef3Sms") {
      EXPECT_TRUE(moduleCommands.contains(name)) << name;
    }
  }
}

}  // namespace
