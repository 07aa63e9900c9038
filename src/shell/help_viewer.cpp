#include "shell/help_viewer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <map>

#include "install_dirs.h"
#include "shell/command_table.h"

namespace {

QString PagePath(const QString& folder, const QString& topic) {
  return QDir(folder).filePath(topic + QStringLiteral(".htm"));
}

constexpr int kUrlRole = Qt::UserRole;
constexpr char kProgramGroup[] = "Программа";

// Groups in the order the user meets them: the program's windows, then the modules as the
// module panel lists them, then whatever else the help holds.
int GroupRank(const QString& group) {
  if (group == QString::fromUtf8(kProgramGroup)) return 0;
  int rank = 1;
  for (const TPanelCategorySpec& category : ModulePanelCategories()) {
    if (group == QString::fromUtf8(category.Caption).trimmed()) return rank;
    ++rank;
  }
  return rank;
}

}  // namespace

THelpViewer::THelpViewer(QString folder, TOpener opener)
    : folder_(folder.isEmpty() ? FindFolder(DefaultFolders()) : std::move(folder)),
      opener_(opener ? std::move(opener)
                     : TOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); })) {}

QStringList THelpViewer::DefaultFolders() {
  return {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help")),
          QString::fromUtf8(kInstalledHelpDir)};
}

QString THelpViewer::FindFolder(const QStringList& folders) {
  for (const QString& folder : folders) {
    if (QFileInfo(PagePath(folder, QLatin1String(kIndexTopic))).isFile()) return folder;
  }
  return folders.value(0);
}

QUrl THelpViewer::TopicUrl(const QString& topic, const QString& anchor) const {
  const QFileInfo page(PagePath(folder_, topic));
  if (topic.isEmpty() || !page.isFile()) return {};
  QUrl url = QUrl::fromLocalFile(page.absoluteFilePath());
  if (!anchor.isEmpty()) url.setFragment(anchor);
  return url;
}

bool THelpViewer::Show(const QString& topic, const QString& anchor) const {
  const QUrl url = TopicUrl(topic, anchor);
  return !url.isEmpty() && opener_(url);
}

THelpWindow::THelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(folder),
      index_(folder),
      contents_(new QTreeWidget),
      searchField_(new QLineEdit),
      hits_(new QListWidget),
      browser_(new QTextBrowser) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Vardex — справка"));
  resize(1000, 700);
  contents_->setObjectName(QStringLiteral("tvHelpContents"));
  contents_->setHeaderHidden(true);
  searchField_->setObjectName(QStringLiteral("edHelpSearch"));
  searchField_->setPlaceholderText(QStringLiteral("Слова для поиска"));
  searchField_->setClearButtonEnabled(true);
  hits_->setObjectName(QStringLiteral("lbHelpHits"));
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenExternalLinks(true);
  browser_->setSearchPaths({folder_});

  auto* search = new QWidget;
  auto* searchLayout = new QVBoxLayout(search);
  searchLayout->setContentsMargins(4, 4, 4, 4);
  searchLayout->addWidget(searchField_);
  searchLayout->addWidget(hits_, 1);
  auto* tabs = new QTabWidget;
  tabs->addTab(contents_, QStringLiteral("Содержание"));
  tabs->addTab(search, QStringLiteral("Поиск"));
  auto* splitter = new QSplitter;
  splitter->addWidget(tabs);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({280, 720});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  FillContents();
  const auto follow = [this](const QVariant& url) {
    if (url.isValid()) browser_->setSource(url.toUrl());
  };
  connect(contents_, &QTreeWidget::currentItemChanged, this,
          [follow](QTreeWidgetItem* item) { follow(item ? item->data(0, kUrlRole) : QVariant()); });
  connect(searchField_, &QLineEdit::textChanged, this, &THelpWindow::RunSearch);
  connect(hits_, &QListWidget::currentItemChanged, this,
          [follow](QListWidgetItem* item) { follow(item ? item->data(kUrlRole) : QVariant()); });
}

QUrl THelpWindow::PageUrl(const QString& topic, const QString& anchor) const {
  QUrl url = QUrl::fromLocalFile(QDir(folder_).absoluteFilePath(topic + QStringLiteral(".htm")));
  if (!anchor.isEmpty()) url.setFragment(anchor);
  return url;
}

void THelpWindow::FillContents() {
  std::vector<const THelpIndex::TPage*> pages;
  for (const THelpIndex::TPage& page : index_.Pages()) pages.push_back(&page);
  std::stable_sort(pages.begin(), pages.end(), [](const auto* a, const auto* b) {
    // The start page heads the tree.
    const bool aIndex = a->Topic == QLatin1String(THelpViewer::kIndexTopic);
    const bool bIndex = b->Topic == QLatin1String(THelpViewer::kIndexTopic);
    if (aIndex != bIndex) return aIndex;
    return GroupRank(a->Group) < GroupRank(b->Group);
  });
  std::map<QString, QTreeWidgetItem*> groups;
  for (const THelpIndex::TPage* page : pages) {
    QTreeWidgetItem* parent = nullptr;
    if (!page->Group.isEmpty()) {
      QTreeWidgetItem*& group = groups[page->Group];
      if (group == nullptr) {
        group = new QTreeWidgetItem(contents_, {page->Group});
        group->setFlags(Qt::ItemIsEnabled);
      }
      parent = group;
    }
    auto* item = parent ? new QTreeWidgetItem(parent, {page->Title})
                        : new QTreeWidgetItem(contents_, {page->Title});
    item->setData(0, kUrlRole, PageUrl(page->Topic, {}));
    for (const THelpIndex::TSection& section : page->Sections) {
      if (section.Anchor.isEmpty()) continue;
      auto* child = new QTreeWidgetItem(item, {section.Title});
      child->setData(0, kUrlRole, PageUrl(page->Topic, section.Anchor));
    }
  }
}

void THelpWindow::RunSearch() {
  hits_->clear();
  for (const THelpIndex::THit& hit : index_.Search(searchField_->text())) {
    const QString text = hit.Section->Title.isEmpty()
                             ? hit.Page->Title
                             : hit.Page->Title + QStringLiteral(" — ") + hit.Section->Title;
    auto* item = new QListWidgetItem(text, hits_);
    item->setData(kUrlRole, PageUrl(hit.Page->Topic, hit.Section->Anchor));
  }
}

bool THelpWindow::Open(const QUrl& url) {
  if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile()) return false;
  browser_->setSource(url);
  SelectInContents(url);
  show();
  raise();
  activateWindow();
  return true;
}

void THelpWindow::SelectInContents(const QUrl& url) {
  QUrl page = url;
  page.setFragment({});
  QTreeWidgetItem* found = nullptr;
  for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
    const QUrl item = (*it)->data(0, kUrlRole).toUrl();
    if (item == url) {
      found = *it;
      break;
    }
    if (item == page && found == nullptr) found = *it;
  }
  if (found == nullptr) return;
  // The browser already shows the place; choosing the item must not move it.
  const QSignalBlocker blocker(contents_);
  contents_->setCurrentItem(found);
  contents_->scrollToItem(found);
}
