#include "shell/help_viewer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

THelpViewer::THelpViewer(QString folder, TOpener opener)
    : folder_(folder.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/help")
                               : std::move(folder)),
      opener_(opener ? std::move(opener)
                     : TOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); })) {}

QUrl THelpViewer::TopicUrl(const QString& topic, const QString& anchor) const {
  const QFileInfo page(QDir(folder_).filePath(topic + QStringLiteral(".htm")));
  if (topic.isEmpty() || !page.isFile()) return {};
  QUrl url = QUrl::fromLocalFile(page.absoluteFilePath());
  if (!anchor.isEmpty()) url.setFragment(anchor);
  return url;
}

bool THelpViewer::Show(const QString& topic, const QString& anchor) const {
  const QUrl url = TopicUrl(topic, anchor);
  return !url.isEmpty() && opener_(url);
}
