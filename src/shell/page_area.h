#pragma once

#include <QPointer>
#include <QStackedWidget>
#include <functional>
#include <memory>
#include <vector>

#include "binding/ui/page_registry.h"
#include "shell/page_history.h"

class IBoundControl;
class THeadlessPage;
class TLivePoller;
class TModuleAvailability;
class TModuleCommands;
class TVDFrame;

// The window's page area: the stack of pages, the current one and the history of what was
// shown. Showing a page hides the last one (its requests to the modules are dropped and its
// live values no longer polled), enables the page's controls by the availability of their
// modules, asks for what it shows that was not read yet and keeps its live values fresh.
//
// A page made from a table gets its widgets the first time it is needed: until then the
// rows of its table stand in for them, bound without widgets, so that reads, writes and
// files cover its cells while start-up does not grow with the number of pages.
class TPageArea : public QStackedWidget {
  Q_OBJECT

 public:
  TPageArea(TModuleAvailability& availability, TModuleCommands& commands, TLivePoller& poller,
            QWidget* parent);

  // Binds a page's widgets to the memory images and the bus; called once per page, before
  // the page shows anything.
  using TPageSetUp = std::function<void(TVDFrame& page)>;

  ~TPageArea() override;

  void SetPageSetUp(TPageSetUp setUp) { setUp_ = std::move(setUp); }
  void AddPage(TVDFrame* page);
  // A page built when first needed; returns the controls that stand in for its widgets until
  // then, to be bound like the widgets of a built page.
  std::vector<IBoundControl*> AddDeferredPage(const TPageInfo& info, IPageHost& host);
  // After the last page: no page is current until the first one is shown.
  void FinishPages();
  // The page, built now if it was not yet; nullptr when there is no such page.
  TVDFrame* Page(const QString& name);
  // The pages built so far.
  std::vector<TVDFrame*> Pages() const;
  // Builds every page of the module: factory settings take the defaults the pages' own
  // handlers give, not only the ones their tables hold.
  void BuildPagesOf(uint8_t lanAddr);
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
  // The same for a widget of the current page.
  bool FocusWidget(QWidget* control);

 private:
  struct TDeferredPage {
    TPageInfo Info;
    IPageHost* Host = nullptr;
    std::unique_ptr<THeadlessPage> StandIn;
  };

  TVDFrame* Build(TDeferredPage& deferred);
  void ApplyEnabling(TVDFrame& page);
  void ApplyMainFirmware();
  template <class F>
  void ForEveryControl(F apply) const;

  TModuleAvailability& availability_;
  TModuleCommands& commands_;
  TLivePoller& poller_;
  TPageSetUp setUp_;
  std::vector<TDeferredPage> deferred_;
  QPointer<TVDFrame> current_;
  TPageHistory history_;
  bool demoMode_ = false;
  uint8_t mainMajor_ = 0;
  int boardGeneration_ = 0;
};
