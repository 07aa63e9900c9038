#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSettings>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "binding/ui/page_host.h"
#include "binding/ui/vd_frame.h"
#include "journal/message_decoder.h"
#include "link/lan_msg.h"
#include "shell/busy_state.h"
#include "shell/data_commands.h"
#include "shell/help_viewer.h"
#include "shell/module_commands.h"
#include "shell/options_data.h"
#include "shell/page_history.h"
#include "shell/shell_dialogs.h"

class TAlarmCauseForm;
class TBoardWatch;
class TIndicatorForm;
class TLiveStatus;
class TStatusImages;
class QLabel;
class QMenu;
class QToolButton;
class TAdapter;
class TBusWorker;
class TChangesForm;
class TCompareForm;
class TSettingSearch;
class ITransferContext;
class TCancelToken;
class TModuleAvailability;
class TPageArea;
class TLanDevices;
class TLanRW;
class TDeviceMemoryItem;
class TElementsForm;
class TLinkKeeper;
class TLinkStatusField;
class IPortCatalogue;
class TLogForm;
class TLogger;
class TmInfoForm;
class TVersionInfo;
class TPageRegistry;
class TPendingMarks;
class TProgress;

// The program's frame: commands, menus and toolbar, the page area with its history, the
// status bar and the timers that keep the link alive.
class TMainForm : public QMainWindow,
                  public IPageHost,
                  public IDecoderHost,
                  public IDataCommandsWindow {
  Q_OBJECT

 public:
  static constexpr int kStartDelayMs = 1500;

  // `dialogs` answers the window's questions; the real message boxes when none is given.
  TMainForm(TAdapter& adapter, TOptionsData& options, const TPageRegistry& pages,
            std::unique_ptr<IShellDialogs> dialogs = nullptr, QWidget* parent = nullptr);
  ~TMainForm() override;

  // IPageHost
  void ShowPageCommand(const QString& command) override;
  void ShowStatusText(const QString& text, bool refresh) override;
  void ShowControlHelp(QWidget* control, const QString& topic) override;
  void ShowHelpTopic(const QString& topic) override;
  void WatchMessages(QObject& watcher, std::function<void(const TLanMsg&)> onMessage) override;
  QAction* WindowCommand(const QString& name) override { return Action(name); }
  TEventFavourites EventFavourites() override { return options_.EventFavourites(); }
  void AddJournalNote(uint8_t source, uint8_t command, std::array<uint8_t, 3> data) override;
  void BeginBusy() override;
  void EndBusy() override;
  void ReportProgress(const QString& name, int maximum, int position) override;
  bool DemoMode() const override { return demoMode_; }
  bool ModuleAvailable(uint8_t address) const override;
  bool Confirm(const QString& text) override;
  bool ConfirmWarning(const QString& caption, const QString& text) override;
  TVDFrame* SettingsPage(const QString& name) override { return Page(name); }
  uint8_t MainVersionMajor() const override { return mainMajor_; }
  uint8_t MainVersionMinor() const override { return mainMinor_; }
  uint8_t MainGeneration() const override { return mainGeneration_; }
  // IDecoderHost: the journal saw a module speak.
  void MarkModulePresent(int address) override;

  // What the module information learned about the main module's firmware.
  void SetMainVersion(uint8_t major, uint8_t minor);
  void SetMainGeneration(uint8_t generation);

  // Makes the page of `command` current; see the history and the enabling rules.
  void ShowPage(const QString& command, bool addToHistory, int category = -1) override;
  // Lists the differences in the comparison window, or says that there are none.
  void ShowComparison(const TConfigDiff& diff, const QString& fileName) override;
  // Shows the page `page` and brings its control `control` into view with the focus.
  void ShowSetting(const QString& page, const QString& control);
  // The comparison window, while it is open.
  TCompareForm* CompareForm() const;
  // "Изменения...": what the next write sends; the window while it is open.
  void ShowChanges();
  TChangesForm* ChangesForm() const;
  // "Записать" lists what it sends first when the options say so and more than one module
  // has changes; false when the user cancels.
  bool ConfirmWriteAll() override;
  QAction* Action(const QString& name) const;
  TVDFrame* CurrentPage() const;
  TVDFrame* Page(const QString& name) const;
  const TPageHistory& History() const;
  void SetDemoMode(bool on);
  // What the idle processing keeps up to date: check marks, the link-dependent commands and
  // the link field of the status bar.
  void UpdateCommandStates();
  // The ports "Выбрать порт..." offers and how ports read; without one only the port in use
  // is offered.
  void SetPortCatalogue(IPortCatalogue* catalogue) { portCatalogue_ = catalogue; }
  // "Выбрать порт...": the chosen port is opened at once and kept for the next start.
  void ChoosePort();
  // The status bar's field of the port and the link.
  QString LinkStatusText() const;
  QString StatusText() const;
  const TBusyState& Busy() const { return busy_; }
  TOptionsData& Options() { return options_; }
  TAdapter& Adapter() { return adapter_; }
  // F1: the help of the tool window that has the focus, else of the page shown, else of the
  // main window; says so when there is none.
  void ShowHelp();
  // Opens a help page at an anchor (the page's top when the page lacks it); says so when
  // the page is not there.
  void OpenHelp(const QString& topic, const QString& anchor = {});
  // The help page of a page of the window ("MainOptions": "main_options").
  QString PageTopic(const QString& pageName) const;
  // The help window, made when first needed.
  THelpWindow& HelpWindow();
  QString HelpSentence(const QString& topic, const QString& anchor) override;

  TLanDevices& Registry() { return *registry_; }
  TModuleCommands& ModuleCommands() { return *moduleCommands_; }
  TModuleAvailability& Availability() { return *availability_; }
  // Every exchange with the bus runs as a job of this worker.
  TBusWorker& BusWorker() { return *worker_; }
  // No transfer, probe or command is queued or running.
  bool BusIdle() const;
  // The module scan runs one module per idle turn until it completes.
  bool ScanPending() const;
  void RestartScan();
  // The module answers and grants access, as the last scan found.
  bool IsAvailable(uint8_t lanAddr) const;
  bool UnwrittenChanges() const { return data_->UnwrittenChanges(); }
  const std::set<uint8_t>& PresentModules() const;
  bool RelayModulePresent() const;
  bool ValidatorPresent() const { return validatorPresent_; }
  TLogger& Logger() { return *logger_; }
  TLogForm* LogForm() const { return logForm_; }
  const TLiveStatus& LiveStatus() const { return *liveStatus_; }
  TIndicatorForm* IndicatorForm() const { return indicatorForm_; }
  TSettingSearch* SettingSearch() const { return settingSearch_; }
  TStatusImages* StatusImages() const { return statusImages_; }
  TAlarmCauseForm* AlarmCauseForm() const;
  TElementsForm* ElementsForm() const { return elementsForm_; }
  TPendingMarks& PendingMarks() const { return *pendingMarks_; }
  TmInfoForm* InfoForm() const { return infoForm_; }
  // Saves the options and the layout of the window and its tool windows.
  void SaveState(QSettings& settings) const;
  void RestoreState(QSettings& settings);

  // The data commands: read, write, factory settings, refresh, reconnect, save and open.
  TDataCommands& Data() { return *data_; }
  // Each of these runs the data command of that name.
  void ReadAll() { data_->ReadAll(); }
  void Refresh() { data_->Refresh(); }
  void SaveFile() { data_->SaveFile(); }
  void OpenFile() { data_->OpenFile(); }
  void ExitProgramming() { data_->ExitProgramming(); }
  bool FileCompatible() const { return data_->FileCompatible(); }

 signals:
  // The main module was seen and has gone: live displays return to "unknown".
  void MainModuleLost();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowCanReadings();
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  // The live status goes on the commands' line when both fit, under it otherwise.
  void ArrangeToolBars();
  void CreateStatusBar();
  void CreatePages();
  // The tables of the settings pages, for comparisons.
  std::vector<const TPageTable*> PageTables() const;
  void CreateToolWindows();
  void CreateSettingSearch();
  void ConnectVersionInfo(TVersionInfo& page);
  QAction* AddAction(const QString& name, const QString& caption, const QString& hint = {},
                     const QString& shortcut = {});
  QMenu* BuildShowMenu();
  void ShowHistoryEntry(const TPageHistory::TEntry* entry);
  void ShowSettings();
  // Opens `port` instead of the port in use and keeps it in the options.
  void SwitchPort(const QString& port);
  QString PortTitle(const QString& port) const;
  void ShowAbout();
  void ApplyColour();
  void CreateLink();
  void WireModuleCommands();
  // The live side: the status images, the indicator and the windows the status asks for.
  void CreateLiveStatus();
  void ApplyDefaultLayout();
  void ShowAlarmCause(const QString& cause);
  void CheckWarnings(bool autoArm);

  TAdapter& adapter_;
  TOptionsData& options_;
  std::unique_ptr<IShellDialogs> dialogs_;
  std::unique_ptr<TLanDevices> registry_;
  // Bound with the pages' controls; goes before the registry's areas.
  std::unique_ptr<TBoardWatch> boardWatch_;
  std::unique_ptr<TLanRW> rw_;
  std::unique_ptr<TModuleCommands> moduleCommands_;
  std::unique_ptr<TBusWorker> worker_;
  TModuleAvailability* availability_ = nullptr;
  TDataCommands* data_ = nullptr;
  const TPageRegistry& pages_;
  THelpViewer help_;
  std::map<QString, QAction*> actions_;
  TPageArea* pageArea_ = nullptr;
  bool demoMode_ = false;
  uint8_t mainMajor_ = 0;
  uint8_t mainMinor_ = 0;
  uint8_t mainGeneration_ = 0;
  bool validatorPresent_ = false;
  TLogger* logger_ = nullptr;
  TLogForm* logForm_ = nullptr;
  TElementsForm* elementsForm_ = nullptr;
  TPendingMarks* pendingMarks_ = nullptr;
  TLiveStatus* liveStatus_ = nullptr;
  TStatusImages* statusImages_ = nullptr;
  TIndicatorForm* indicatorForm_ = nullptr;
  TSettingSearch* settingSearch_ = nullptr;
  QPointer<TAlarmCauseForm> alarmCause_;
  std::vector<std::pair<QPointer<QObject>, std::function<void(const TLanMsg&)>>> watchers_;
  bool autoArmWarned_ = false;
  bool powerDownWarned_ = false;
  TmInfoForm* infoForm_ = nullptr;
  QLabel* statusText_ = nullptr;
  TLinkStatusField* linkField_ = nullptr;
  IPortCatalogue* portCatalogue_ = nullptr;
  TProgress* progress_ = nullptr;
  TBusyState busy_;
  TLinkKeeper* linkKeeper_ = nullptr;
  QTimer startTimer_;
  QTimer idleTimer_;
  QToolButton* writeButton_ = nullptr;
  QMenu* showMenu_ = nullptr;
  QMenu* writeMenu_ = nullptr;
  QMenu* defaultsMenu_ = nullptr;
  QPointer<TCompareForm> compareForm_;
  QPointer<TChangesForm> changesForm_;
  THelpWindow* helpWindow_ = nullptr;
};
