#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <span>

class QWidget;

// The help page of each of the program's windows, found by the window's class.
struct TWindowHelp {
  const char* ClassName;
  const char* Topic;
  const char* Anchor;
};
std::span<const TWindowHelp> WindowHelpTopics();

// The help of the innermost window around `widget` that has a help page; nullptr when none
// has (a page of the main window has its own).
const TWindowHelp* WindowHelpFor(const QWidget* widget);

// F1 in a window of its own (a dialog, the event list, a program editor) opens that window's
// help; the main window's F1 is its help command.
class THelpKey : public QObject {
 public:
  using TOpen = std::function<void(const QString& topic, const QString& anchor)>;
  THelpKey(const QWidget& mainWindow, TOpen open, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const QWidget& mainWindow_;
  TOpen open_;
};
