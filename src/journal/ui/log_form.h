#pragma once

#include <QDockWidget>
#include <QStringList>
#include <memory>

#include "journal/ui/log_colors.h"
#include "journal/ui/log_prompts.h"

class QAction;
class QMenu;
class QSettings;
class QTableView;
class QToolBar;
class TLogger;
class TLogModel;
struct TLogFilterCommand;

// The journal window: the journal's filtered view as a grid, the filter switches on a panel
// above it, a context menu, following the newest entry, relative times against an entry
// picked with Ctrl + click, and the two export commands. Commands are QActions named after
// their command names ("aShock", "aSaveLog", ...).
class TLogForm : public QDockWidget {
  Q_OBJECT

 public:
  // `prompts` asks for file names and shows results; dialogs and message boxes when null.
  TLogForm(TLogger& logger, TLogColors colors, QWidget* parent = nullptr,
           std::unique_ptr<ILogPrompts> prompts = nullptr);
  ~TLogForm() override;

  QAction* Command(const QString& name) const;
  QTableView* Grid() const { return grid_; }
  TLogModel* Model() const { return model_; }
  QToolBar* FilterPanel() const { return panel_; }
  QMenu* ContextMenu() const { return contextMenu_; }

  // The panel's visibility and the checked switches, kept in `group` of the layout
  // settings. Reading applies every switch whose saved state differs from the current one.
  void ReadSettings(QSettings& settings, const QString& group);
  void WriteSettings(QSettings& settings, const QString& group) const;

 signals:
  // "Сбросить индикатор": the main window resets its live status indicator.
  void ClearIndicatorRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddCommand(const char* name, const char* caption, const char* hint);
  void CreateCommands();
  void CreateGrid();
  void CreatePanel();
  void CreateContextMenu();
  void ToggleFilters(const TLogFilterCommand& command, bool on);
  void SaveLog();
  void SaveFilteredLog();
  void ReportExport(bool written, const QString& fileName, const QString& error,
                    const QString& doneText);
  void FollowNewEntries();
  void OnTopRowChanged(int top);
  void PickTimeBase(int row);
  void ClearTimeBase();
  static QStringList SavedCommandNames();

  TLogger& logger_;
  std::unique_ptr<ILogPrompts> prompts_;
  TLogModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QToolBar* panel_ = nullptr;
  QMenu* contextMenu_ = nullptr;
  QAction* showLast_ = nullptr;
  QAction* rawVisible_ = nullptr;
  QAction* panelVisible_ = nullptr;
};
