// The help: every registered page and every window has its help page, every anchor the
// program opens is there, every link of the help resolves, and F1 and "Справка" on a control
// open the right place in the help window.

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTextBrowser>
#include <QTreeWidget>

#include "binding/help_anchor.h"
#include "binding/ui/context_help.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "link/adapter.h"
#include "pages/settings_pages.h"
#include "shell/help_index.h"
#include "shell/help_topics.h"
#include "shell/help_viewer.h"
#include "shell/main_form.h"
#include "shell/version_info.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

const QString kHelpFolder = QStringLiteral(VARDEX_HELP_SOURCE_DIR);

const THelpIndex& Help() {
  static const THelpIndex index(kHelpFolder);
  return index;
}

TPageRegistry Registered() {
  TPageRegistry pages;
  RegisterSettingsPages(pages);
  return pages;
}

TEST(HelpPages, EveryRegisteredPageHasItsHelpWithAnAnchorForEverySection) {
  const TPageRegistry pages = Registered();
  ASSERT_GE(pages.Pages().size(), 30u);
  for (const TPageInfo& info : pages.Pages()) {
    ASSERT_NE(info.Table, nullptr) << info.Name.toStdString();
    const QString topic = PageHelpTopic(*info.Table);
    const THelpIndex::TPage* page = Help().Find(topic);
    ASSERT_NE(page, nullptr) << "no help page " << topic.toStdString() << " for "
                             << info.Name.toStdString();
    EXPECT_FALSE(page->Title.isEmpty()) << topic.toStdString();
    // Above the first section the page says what it is for, in more words than its title.
    EXPECT_GT(page->Sections.front().Text.size(), page->Title.size() + 40) << topic.toStdString();
    const auto rows = info.Table->Rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].Kind != ckHeading) continue;
      const QString anchor = RowSectionAnchor(rows, i);
      EXPECT_TRUE(page->Anchors.contains(anchor))
          << topic.toStdString() << "#" << anchor.toStdString() << " (" << rows[i].Caption << ")";
    }
  }
  // The module information page is the window's own.
  EXPECT_NE(Help().Find(PageHelpTopic(QLatin1String(TVersionInfo::kPageName), nullptr)), nullptr);
}

TEST(HelpPages, EveryWindowAndEveryTopicAPageButtonOpensHasItsHelp) {
  for (const TWindowHelp& window : WindowHelpTopics()) {
    const QString topic = QLatin1String(window.Topic);
    ASSERT_NE(Help().Find(topic), nullptr) << window.ClassName << ": " << window.Topic;
    if (*window.Anchor != '\0') {
      EXPECT_TRUE(Help().HasAnchor(topic, QLatin1String(window.Anchor)))
          << window.Topic << "#" << window.Anchor;
    }
  }
  // Topics that buttons of pages and dialogs open by name.
  for (const char* topic : {"mr_settings", "main_outputs", "program_settings", "index"}) {
    EXPECT_NE(Help().Find(QLatin1String(topic)), nullptr) << topic;
  }
}

TEST(HelpPages, EveryLinkResolvesToAPageAndAnchorOfTheHelp) {
  int links = 0;
  for (const THelpIndex::TPage& page : Help().Pages()) {
    for (const QString& link : page.Links) {
      if (link.startsWith(QStringLiteral("http"))) continue;
      ++links;
      const QString file = link.section(u'#', 0, 0);
      const QString anchor = link.section(u'#', 1);
      ASSERT_TRUE(file.isEmpty() || file.endsWith(QStringLiteral(".htm")))
          << page.Topic.toStdString() << ": " << link.toStdString();
      const QString topic = file.isEmpty() ? page.Topic : file.chopped(4);
      const THelpIndex::TPage* target = Help().Find(topic);
      ASSERT_NE(target, nullptr) << page.Topic.toStdString() << ": " << link.toStdString();
      if (!anchor.isEmpty()) {
        EXPECT_TRUE(target->Anchors.contains(anchor))
            << page.Topic.toStdString() << ": " << link.toStdString();
      }
    }
  }
  EXPECT_GT(links, 40) << "the pages link to each other and to the contents";
}

TEST(HelpPages, AnchorsAreNotRepeatedWithinAPage) {
  QDirIterator files(kHelpFolder, {QStringLiteral("*.htm")});
  const QRegularExpression id(QStringLiteral(" id=\"([^\"]+)\""));
  while (files.hasNext()) {
    QFile file(files.next());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    QSet<QString> seen;
    for (auto it = id.globalMatch(html); it.hasNext();) {
      const QString anchor = it.next().captured(1);
      EXPECT_FALSE(seen.contains(anchor))
          << file.fileName().toStdString() << "#" << anchor.toStdString();
      seen.insert(anchor);
    }
  }
}

// The main window on the virtual vehicle; the build puts the help beside the test program,
// where the window looks for it.
class HelpWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(form_, nullptr);
    ASSERT_TRUE(QFile::exists(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/index.htm"))));
    pages_ = Registered();
    vehicle_ = MakeTestVehicle();
    adapter_ = ConnectTo(vehicle_);
    form_ = std::make_unique<TMainForm>(*adapter_, options_, pages_);
    form_->show();
    ASSERT_TRUE(SpinUntil([&] { return form_->CurrentPage() && !form_->ScanPending(); }, 10s));
  }
  void TearDown() override {
    form_.reset();
    adapter_.reset();
  }
  QUrl Shown() const { return form_->HelpWindow().Browser()->source(); }

  TOptionsData options_;
  TPageRegistry pages_;
  std::shared_ptr<TVirtualAdapter> vehicle_;
  std::unique_ptr<TAdapter> adapter_;
  std::unique_ptr<TMainForm> form_;
};

TEST_F(HelpWindowTest, F1OpensTheHelpOfThePageShown) {
  for (const char* page : {"MainSecurity", "GSMMessages", "MainRelays"}) {
    form_->ShowPage(QStringLiteral("a") + QLatin1String(page), true);
    form_->Action(QStringLiteral("aHelp"))->trigger();
    ASSERT_TRUE(form_->HelpWindow().isVisible());
    EXPECT_EQ(Shown().fileName(), form_->PageTopic(QLatin1String(page)) + QStringLiteral(".htm"));
    // The contents tree marks the page shown.
    const QTreeWidgetItem* current = form_->HelpWindow().Contents()->currentItem();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->data(0, Qt::UserRole).toUrl(), Shown());
  }
}

TEST_F(HelpWindowTest, HelpOnAControlOpensItsEntryOrElseItsSection) {
  // Every control enabled: a disabled one offers no menu.
  form_->SetDemoMode(true);
  form_->ShowPage(QStringLiteral("aMainSecurity"), true);
  ASSERT_TRUE(SpinUntil([&] { return form_->BusIdle() && !form_->Busy().IsBusy(); }, 10s));
  TVDFrame* page = form_->CurrentPage();
  ASSERT_TRUE(page);
  // Check boxes with an entry of their own in the help open it; the others open their section.
  int own = 0;
  for (auto* box : page->findChildren<TVDCheckBox*>()) {
    // Controls of other firmware stay greyed even in demo mode.
    if (box->contextMenuPolicy() != Qt::CustomContextMenu || !box->isEnabled()) continue;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1), box->mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(box, &event);
    auto* menu = box->findChild<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_TRUE(menu) << box->text().toStdString();
    auto* help = menu->findChild<QAction*>(QLatin1String(kControlHelpAction));
    ASSERT_TRUE(help);
    EXPECT_EQ(help->text(), QStringLiteral("Справка"));
    help->trigger();
    menu->close();
    delete menu;
    const QString anchor = Shown().fragment();
    EXPECT_EQ(Shown().fileName(), QStringLiteral("main_security.htm"));
    ASSERT_FALSE(anchor.isEmpty()) << box->text().toStdString();
    EXPECT_TRUE(Help().HasAnchor(QStringLiteral("main_security"), anchor));
    if (!anchor.startsWith(u's')) ++own;
  }
  EXPECT_GT(own, 0);
  EXPECT_TRUE(form_->HelpWindow().isVisible());
}

TEST_F(HelpWindowTest, TheContentsListEveryPageAndTheSearchFindsTheText) {
  THelpWindow& window = form_->HelpWindow();
  int pages = 0;
  QTreeWidget* tree = window.Contents();
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if ((*it)->data(0, Qt::UserRole).toUrl().fragment().isEmpty() &&
        (*it)->data(0, Qt::UserRole).isValid()) {
      ++pages;
    }
  }
  EXPECT_EQ(pages, static_cast<int>(Help().Pages().size()));
  EXPECT_EQ(tree->topLevelItem(0)->text(0), Help().Find(QStringLiteral("index"))->Title)
      << "the start page heads the contents";

  window.SearchField()->setText(QStringLiteral("ИММОБИЛАЙЗЕР"));
  ASSERT_GT(window.SearchHits()->count(), 0);
  window.SearchHits()->setCurrentRow(0);
  EXPECT_TRUE(Shown().isLocalFile());
  window.SearchField()->setText(QStringLiteral("слово которого нет нигде"));
  EXPECT_EQ(window.SearchHits()->count(), 0);
}

}  // namespace
