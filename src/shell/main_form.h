#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>

#include "binding/ui/page_host.h"
#include "binding/ui/vd_frame.h"
#include "shell/busy_state.h"
#include "shell/help_viewer.h"
#include "shell/options_data.h"
#include "shell/page_history.h"

class QLabel;
class QMenu;
class QStackedWidget;
class QToolButton;
class TAdapter;
class TLinkKeeper;
class TPageRegistry;
class TProgress;

// The program's frame: commands, menus and toolbar, the page area with its history, the
// status bar and the timers that keep the link alive.
class TMainForm : public QMainWindow, public IPageHost {
  Q_OBJECT

 public:
  static constexpr int kStartDelayMs = 1500;

  TMainForm(TAdapter& adapter, TOptionsData& options, const TPageRegistry& pages,
            QWidget* parent = nullptr);
  ~TMainForm() override;

  // IPageHost
  void ShowPageCommand(const QString& command) override;
  void ShowStatusText(const QString& text, bool refresh) override;
  void ShowControlHelp(QWidget* control, const QString& topic) override;
  void BeginBusy() override;
  void EndBusy() override;
  void ReportProgress(const QString& name, int maximum, int position) override;
  bool DemoMode() const override { return demoMode_; }
  uint8_t MainVersionMajor() const override { return mainMajor_; }
  uint8_t MainVersionMinor() const override { return mainMinor_; }
  uint8_t MainGeneration() const override { return mainMajor_; }

  // Makes the page of `command` current; see the history and the enabling rules.
  void ShowPage(const QString& command, bool addToHistory, int category = -1);
  QAction* Action(const QString& name) const;
  TVDFrame* CurrentPage() const { return currentPage_; }
  TVDFrame* Page(const QString& name) const;
  const TPageHistory& History() const { return history_; }
  void SetDemoMode(bool on);
  // What the idle processing keeps up to date: check marks and the link-dependent commands.
  void UpdateCommandStates();
  QString StatusText() const;
  const TBusyState& Busy() const { return busy_; }
  TOptionsData& Options() { return options_; }
  TAdapter& Adapter() { return adapter_; }
  // Shows the help file's start page, or says that there is none.
  void ShowHelp();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void CreatePages();
  QAction* AddAction(const QString& name, const QString& caption, const QString& hint = {},
                     const QString& shortcut = {});
  QMenu* BuildShowMenu();
  void ShowHistoryEntry(const TPageHistory::TEntry* entry);
  void ShowSettings();
  void ShowAbout();
  void ApplyColour();

  TAdapter& adapter_;
  TOptionsData& options_;
  const TPageRegistry& pages_;
  THelpViewer help_;
  std::map<QString, QAction*> actions_;
  QStackedWidget* pageArea_ = nullptr;
  QPointer<TVDFrame> currentPage_;
  TPageHistory history_;
  bool demoMode_ = false;
  uint8_t mainMajor_ = 0;
  uint8_t mainMinor_ = 0;
  QLabel* statusText_ = nullptr;
  TProgress* progress_ = nullptr;
  TBusyState busy_;
  TLinkKeeper* linkKeeper_ = nullptr;
  QTimer startTimer_;
  QTimer idleTimer_;
  QToolButton* writeButton_ = nullptr;
  QMenu* showMenu_ = nullptr;
  QMenu* writeMenu_ = nullptr;
  QMenu* defaultsMenu_ = nullptr;
};
