#include "shell/help_viewer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "install_dirs.h"

namespace {

QString PagePath(const QString& folder, const QString& topic) {
  return QDir(folder).filePath(topic + QStringLiteral(".htm"));
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
