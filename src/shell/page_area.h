#pragma once

#include <QPointer>
#include <QStackedWidget>
#include <vector>

#include "shell/page_history.h"

class TLivePoller;
class TModuleAvailability;
class TModuleCommands;
class TVDFrame;

// The window's page area: the stack of pages, the current one and the history of what was
// shown. Showing a page hides the last one (its requests to the modules are dropped and its
// live values no longer polled), enables the page's controls by the availability of their
// modules, asks for what it shows that was not read yet and keeps its live values fresh.
class TPageArea : public QStackedWidget {
  Q_OBJECT

 public:
  TPageArea(TModuleAvailability& availability, TModuleCommands& commands, TLivePoller& poller,
            QWidget* parent);

  void AddPage(TVDFrame* page);
  // After the last page: no page is current until the first one is shown.
  void FinishPages();
  TVDFrame* Page(const QString& name) const;
  std::vector<TVDFrame*> Pages() const;
  TVDFrame* CurrentPage() const { return current_; }
  TPageHistory& History() { return history_; }
  const TPageHistory& History() const { return history_; }

  // Offline editing: every control enabled, nothing read automatically.
  void SetDemoMode(bool on);
  // What the connected car's main module runs and is built on (0: not known yet). Every
  // page's controls follow at once, not only the shown page's: a write stores them all.
  void SetMainFirmware(uint8_t major);
  void SetBoardGeneration(int generation);
  // Makes the page current; false when there is no such page.
  bool ShowPage(const QString& name, bool addToHistory, int category);
  // Opens the section of the current page's control `name`, scrolls to it and gives it the
  // focus; false when the page has no such widget.
  bool FocusControl(const QString& name);

 private:
  void ApplyEnabling(TVDFrame& page);
  void ApplyMainFirmware();
  template <class F>
  void ForEveryControl(F apply) const;

  TModuleAvailability& availability_;
  TModuleCommands& commands_;
  TLivePoller& poller_;
  QPointer<TVDFrame> current_;
  TPageHistory history_;
  bool demoMode_ = false;
  uint8_t mainMajor_ = 0;
  int boardGeneration_ = 0;
};
