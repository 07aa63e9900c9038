#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The program's help: HTML topics in the "help" folder beside the program, opened in the
// system browser at a topic and an anchor.
class THelpViewer {
 public:
  static constexpr char kIndexTopic[] = "index";
  using TOpener = std::function<bool(const QUrl&)>;

  // `folder` defaults to the help folder beside the program; `opener` to the system browser.
  explicit THelpViewer(QString folder = {}, TOpener opener = {});

  // The address of a topic and anchor; empty when the topic's page is not there.
  QUrl TopicUrl(const QString& topic, const QString& anchor = {}) const;
  // Opens the topic; false when it is not there or nothing could show it.
  bool Show(const QString& topic, const QString& anchor = {}) const;
  const QString& Folder() const { return folder_; }

 private:
  QString folder_;
  TOpener opener_;
};
