#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "shell/help_index.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QTreeWidget;

// The program's help: HTML topics in a "help" folder, opened at a topic and an anchor (by
// default in the system browser; the main window shows them in its help window). The folder sits
// beside the program in the build tree and in the data folder when the program is installed from
// its package.
class THelpViewer {
 public:
  static constexpr char kIndexTopic[] = "index";
  using TOpener = std::function<bool(const QUrl&)>;

  // `folder` defaults to FindFolder(DefaultFolders()); `opener` to the system browser.
  explicit THelpViewer(QString folder = {}, TOpener opener = {});

  // Where the help is looked for, in order: beside the program, then the installed data
  // folder. Beside the program comes first so that a program run from its build tree shows
  // its own help even when an older package is installed.
  static QStringList DefaultFolders();
  // The first of `folders` that holds the index topic. When none does, the first of them, so
  // that the lookup stays where the program itself puts its help.
  static QString FindFolder(const QStringList& folders);

  // The address of a topic and anchor; empty when the topic's page is not there.
  QUrl TopicUrl(const QString& topic, const QString& anchor = {}) const;
  // Opens the topic; false when it is not there or nothing could show it.
  bool Show(const QString& topic, const QString& anchor = {}) const;
  const QString& Folder() const { return folder_; }

 private:
  QString folder_;
  TOpener opener_;
};

// The help window: the contents of the help folder as a tree (groups, pages, their sections),
// a search over the help text and the page itself, with its links followed inside the window.
class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit THelpWindow(const QString& folder, QWidget* parent = nullptr);

  // Shows the page of `url` (a help page, perhaps with an anchor) and brings the window up.
  bool Open(const QUrl& url);
  const THelpIndex& Index() const { return index_; }
  QTreeWidget* Contents() const { return contents_; }
  QLineEdit* SearchField() const { return searchField_; }
  QListWidget* SearchHits() const { return hits_; }
  QTextBrowser* Browser() const { return browser_; }

 private:
  void FillContents();
  void RunSearch();
  // Marks the place shown in the contents tree.
  void SelectInContents(const QUrl& url);
  QUrl PageUrl(const QString& topic, const QString& anchor) const;

  QString folder_;
  THelpIndex index_;
  QTreeWidget* contents_;
  QLineEdit* searchField_;
  QListWidget* hits_;
  QTextBrowser* browser_;
};
