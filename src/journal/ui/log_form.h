#pragma once

#include <QDockWidget>
#include <QStringList>
#include <functional>
#include <memory>

#include "journal/ui/log_colors.h"
#include "journal/ui/log_prompts.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSettings;
class QTableView;
class QToolBar;
class TCaptureWriter;
class TLogger;
class TLogModel;
struct TLogFilterCommand;

// The journal window: the journal's filtered view as a grid, the filter switches on a panel
// above it, a context menu, following the newest entry as a terminal does (until the user
// scrolls up or pauses), repeats in one row, a search (Ctrl+F), relative times against an
// entry picked with Ctrl + click, the two export commands, and bus captures: recording the
// adapter's traffic and opening a recording into a journal window of its own. Commands are
// QActions named after their command names ("aShock", "aSaveLog", ...).
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
  QToolBar* ViewBar() const { return viewBar_; }
  QLineEdit* SearchField() const { return search_; }
  QMenu* ContextMenu() const { return contextMenu_; }
  // The window's status line: where an export or a recording went.
  QString StatusText() const;

  // What "Записать трафик шины..." hands the recording to (the program's adapter link);
  // without it the command is off.
  using TCaptureTarget = std::function<void(std::shared_ptr<TCaptureWriter>)>;
  void SetCaptureTarget(TCaptureTarget target);
  // Opens a bus capture into a journal window of its own; nullptr (after saying why) when
  // the file cannot be read.
  TLogForm* OpenCapture(const QString& fileName);

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
  void CreateViewCommands();
  void CreateGrid();
  void CreatePanel();
  void CreateViewBar();
  void CreateContextMenu();
  void ToggleFilters(const TLogFilterCommand& command, bool on);
  void SaveLog(bool all);
  void ToggleRecording(bool on);
  void StopRecording();
  void AskAndOpenCapture();
  void FindNext(bool forward);
  void ShowStatus(const QString& text);
  void ShowPauseState();
  void FollowNewEntries();
  void OnTopRowChanged(int top);
  void PickTimeBase(int row);
  void ClearTimeBase();
  static QStringList SavedCommandNames();

  TLogger& logger_;
  TLogColors colors_;
  std::unique_ptr<ILogPrompts> prompts_;
  TLogModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QToolBar* panel_ = nullptr;
  QToolBar* viewBar_ = nullptr;
  QLineEdit* search_ = nullptr;
  QLabel* status_ = nullptr;
  QMenu* contextMenu_ = nullptr;
  QAction* showLast_ = nullptr;
  QAction* pause_ = nullptr;
  QAction* showAll_ = nullptr;
  QAction* record_ = nullptr;
  TCaptureTarget captureTarget_;
  std::shared_ptr<TCaptureWriter> recording_;
  QString exportFolder_;
  QString captureFolder_;
  QAction* rawVisible_ = nullptr;
  QAction* panelVisible_ = nullptr;
};
