#include "shell/help_viewer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "shell/help_index.h"

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

// A help page as the help folder holds them: a lead paragraph, two sections, entries.
constexpr char kPage[] = R"(<!DOCTYPE html>
<html lang="ru">
<head><meta charset="utf-8"><meta name="vardex-group" content="Главный модуль"><title>Главный модуль: Охрана</title></head>
<body>
<h1>Главный модуль: Охрана</h1>
<p>Общие настройки охраны.</p>
<h2 id="s1">Сирена</h2>
<ul><li id="cb82b5"><b>Сирена</b>: Звучит 30 секунд при тревоге.</li>
<li id="cb82b6"><b>Тихий режим</b></li></ul>
<h2 id="s2">Замки</h2>
<p>Запирание дверей — <a href="other.htm#s1">см. там</a>. Ёлка.</p>
</body></html>
)";

TEST(HelpIndex, ReadsTitleGroupSectionsAnchorsAndLinks) {
  THelpIndex index;
  index.AddPage(QStringLiteral("main_test"), QString::fromUtf8(kPage));
  const THelpIndex::TPage* page = index.Find(QStringLiteral("main_test"));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Title, QStringLiteral("Главный модуль: Охрана"));
  EXPECT_EQ(page->Group, QStringLiteral("Главный модуль"));
  ASSERT_EQ(page->Sections.size(), 3u) << "the lead and two sections";
  EXPECT_EQ(page->Sections[1].Anchor, QStringLiteral("s1"));
  EXPECT_EQ(page->Sections[2].Title, QStringLiteral("Замки"));
  for (const char* anchor : {"s1", "s2", "cb82b5", "cb82b6"}) {
    EXPECT_TRUE(index.HasAnchor(QStringLiteral("main_test"), QLatin1String(anchor))) << anchor;
  }
  EXPECT_FALSE(index.HasAnchor(QStringLiteral("main_test"), QStringLiteral("s3")));
  EXPECT_EQ(page->Links, QStringList{QStringLiteral("other.htm#s1")});
}

TEST(HelpIndex, SearchFindsTheSectionsHoldingEveryWordWhateverTheCaseAndYo) {
  THelpIndex index;
  index.AddPage(QStringLiteral("main_test"), QString::fromUtf8(kPage));
  const struct {
    const char* Text;
    std::vector<const char*> Anchors;
  } cases[] = {
      {"сирена", {"s1"}},
      {"СЕКУНД тревоге", {"s1"}},
      {"елка", {"s2"}},    // "Ёлка" in the text
      {"ёлка двери", {}},  // "двери" is not there: every word must be
      {"запирание ДВЕРЕЙ", {"s2"}},
      {"охраны", {""}},  // the lead above the sections
      {"  ", {}},
  };
  for (const auto& c : cases) {
    QStringList found;
    for (const auto& hit : index.Search(QString::fromUtf8(c.Text))) found << hit.Section->Anchor;
    QStringList expected;
    for (const char* anchor : c.Anchors) expected << QLatin1String(anchor);
    EXPECT_EQ(found, expected) << c.Text;
  }
}

TEST(HelpIndex, TheSentenceOfAnEntryIsWhatFollowsItsCaption) {
  THelpIndex index;
  index.AddPage(QStringLiteral("main_test"), QString::fromUtf8(kPage));
  EXPECT_EQ(index.Sentence(QStringLiteral("main_test"), QStringLiteral("cb82b5")),
            QStringLiteral("Звучит 30 секунд при тревоге."));
  // An entry that only names the setting says nothing more; a heading is no entry.
  EXPECT_EQ(index.Sentence(QStringLiteral("main_test"), QStringLiteral("cb82b6")), QString());
  EXPECT_EQ(index.Sentence(QStringLiteral("main_test"), QStringLiteral("s1")), QString());
  EXPECT_EQ(index.Sentence(QStringLiteral("nothing"), QStringLiteral("cb82b5")), QString());
}

}  // namespace
