#include "shell/help_viewer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A help folder as the build puts it beside the program or the package installs it.
void PutHelp(const QString& folder) {
  ASSERT_TRUE(QDir().mkpath(folder));
  QFile index(QDir(folder).filePath(QStringLiteral("index.htm")));
  ASSERT_TRUE(index.open(QIODevice::WriteOnly));
}

class HelpFolder : public ::testing::Test {
 protected:
  QString Beside() const { return root_.filePath(QStringLiteral("usr/bin/help")); }
  QString Installed() const { return root_.filePath(QStringLiteral("usr/share/vardex/help")); }
  QStringList Folders() const { return {Beside(), Installed()}; }

  QTemporaryDir root_;
};

TEST_F(HelpFolder, TheHelpBesideTheProgramWinsOverTheInstalledOne) {
  PutHelp(Beside());
  PutHelp(Installed());
  EXPECT_EQ(THelpViewer::FindFolder(Folders()), Beside());
}

TEST_F(HelpFolder, AnInstalledProgramOpensTheHelpOfItsDataFolder) {
  PutHelp(Installed());
  EXPECT_EQ(THelpViewer::FindFolder(Folders()), Installed());
  // A help folder beside the program without the index is not the help.
  ASSERT_TRUE(QDir().mkpath(Beside()));
  const THelpViewer help(THelpViewer::FindFolder(Folders()), [](const QUrl&) { return true; });
  EXPECT_EQ(help.Folder(), Installed());
  const QUrl index = help.TopicUrl(QLatin1String(THelpViewer::kIndexTopic));
  EXPECT_EQ(index.toLocalFile(), QDir(Installed()).filePath(QStringLiteral("index.htm")));
}

TEST_F(HelpFolder, WithoutHelpAnywhereTheLookupStaysBesideTheProgram) {
  EXPECT_EQ(THelpViewer::FindFolder(Folders()), Beside());
  const THelpViewer help(THelpViewer::FindFolder(Folders()), [](const QUrl&) { return true; });
  EXPECT_FALSE(help.Show(QLatin1String(THelpViewer::kIndexTopic)));
}

TEST(HelpViewer, LooksBesideTheProgramFirstThenInTheInstalledDataFolder) {
  const QStringList folders = THelpViewer::DefaultFolders();
  ASSERT_EQ(folders.size(), 2);
  EXPECT_EQ(folders[0],
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help")));
  // The installed folder does not depend on where the program was started from.
  EXPECT_TRUE(QDir::isAbsolutePath(folders[1])) << folders[1].toStdString();
  EXPECT_TRUE(folders[1].endsWith(QStringLiteral("/vardex/help"))) << folders[1].toStdString();
}

}  // namespace
