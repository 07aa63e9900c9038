#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "link/lan_msg.h"
#include "memory/memory_location.h"
#include "memory/transfer_fault.h"
#include "shell/command_table.h"
#include "shell/fault_text.h"
#include "shell/select_device.h"

class QAction;
class IShellDialogs;
class ITransferContext;
class TAdapter;
class TBusWorker;
class TCancelToken;
class TDeviceMemoryItem;
class TLanDevice;
class TLanDevices;
class TModuleAvailability;
class TModuleCommands;
class TOptionsData;
class TPageArea;
class TWriteReport;
struct TConfigDiff;
struct TPageTable;

// What the data commands ask of the window they serve.
class IDataCommandsWindow {
 public:
  virtual ~IDataCommandsWindow() = default;
  // The window takes no input and shows the progress window until the matching end.
  virtual void BeginBusy() = 0;
  virtual void EndBusy() = 0;
  virtual void ReportProgress(const QString& name, int maximum, int position) = 0;
  virtual void ShowStatusText(const QString& text, bool refresh) = 0;
  virtual bool DemoMode() const = 0;
  // Shows the page of a page command.
  virtual void ShowPage(const QString& command, bool addToHistory, int category) = 0;
  // Shows how the program's settings (side A) differ from those of the file `fileName`.
  virtual void ShowComparison(const TConfigDiff& diff, const QString& fileName) = 0;
  // "Записать" may go on: the window may first list what it will send.
  virtual bool ConfirmWriteAll() { return true; }
};

// The window's data commands: reading, writing and factory settings as jobs of the bus
// worker, refresh and reconnect, saving and opening configuration files, and the live
// commands for the main module.
class TDataCommands : public QObject {
  Q_OBJECT

 public:
  struct TParts {
    TAdapter& Adapter;
    TLanDevices& Registry;
    TBusWorker& Worker;
    TModuleAvailability& Availability;
    TModuleCommands& Commands;
    TPageArea& Pages;
    IShellDialogs& Dialogs;
    TOptionsData& Options;
  };

  TDataCommands(TParts parts, IDataCommandsWindow& window, QObject* parent = nullptr);

  void ReadAll();
  void ReadModule(const TModuleCommandSpec& desc);
  void WriteAll();
  void WriteModule(const TModuleCommandSpec& desc);
  void SetDefaultsModule(uint8_t lanAddr, TMemoryLocations locations);
  void Refresh();
  void Reconnect();
  void SaveFile();
  void OpenFile();
  // "Сравнить с файлом...": the settings the pages show, unwritten changes included, against
  // a configuration file, through the pages of these tables.
  void CompareWithFile(const std::vector<const TPageTable*>& tables);
  // "Выход из программирования": every module leaves programming mode.
  void ExitProgramming();
  // Stops the transfers that are running or queued after the packet in flight ("Отмена").
  void CancelTransfers();
  // The write commands follow what is still to be written.
  void RecountUnwritten();
  void MarkUnwritten() { unwritten_ = true; }
  bool UnwrittenChanges() const { return unwritten_; }
  // The last opened file carried this program's version.
  bool FileCompatible() const { return fileCompatible_; }
  // Sends messages without waiting here: they go out on the bus worker.
  void SendOnBus(std::vector<TLanMsg> messages);
  void WireLiveCommands(const std::function<QAction*(const QString&)>& action);
  // Where the registry and the bus channel put their questions and error notes: the notes of
  // one command come to the user as one message when it ends.
  IUserQuestions& TransferQuestions() { return transferQuestions_; }
  // Why an area was left unread or unwritten: what the bus channel saw, else the state of the
  // adapter and the module.
  TFaultCause CauseOf(const TDeviceMemoryItem& area) const;

 signals:
  // After a read or write of the main module's settings: its security switches and whether
  // it arms itself by the tag.
  void SettingsRead(bool antiHijack, bool repeatAuthorisation, bool selfArmByTag);

 private:
  // Runs a transfer of the registry as a job of the bus worker: the window is busy and the
  // progress window offers "Отмена" until it ends; `then` runs afterwards on this thread.
  void RunTransfer(std::function<void(const ITransferContext&)> transfer,
                   std::function<void()> then = {});
  // Runs a user command: an adapter failure was journalled already, anything else is shown.
  void RunCommand(const std::function<void()>& command);
  void PostReadChecks(bool askStatus);
  // "Проверять запись": a write reads back what it sent.
  void VerifyWritesAsOptionsSay();
  // Every write ends with what it wrote in the status bar, and a failed one with the list
  // of what is left.
  std::shared_ptr<TWriteReport> StartWriteReport(const std::vector<TLanDevice*>& devices,
                                                 TMemoryLocations locations);
  void TellWriteReport(TWriteReport& report);
  // A read that left areas unread says which and why, once for the command. `asked` is the
  // module a read command named: when the read could not reach it at all, that is said too.
  void TellReadFaults(const TModuleCommandSpec* asked = nullptr);
  // The progress of a transfer, shown in the progress window.
  std::function<void(const QString&, int, int)> Progress();
  // Refresh and reconnect: once the link is up and the module lists are current, `then` runs;
  // without a link or a page nothing is done.
  void ConnectAndRescan(std::function<void()> then);
  void ForgetNewlyPresent();
  // Shows the last page of the history again without recording it.
  void ShowLastHistoryPage();
  // A command for the main module, sent only while it is there.
  void SendToMainModule(uint8_t command, std::initializer_list<uint8_t> data);
  static std::vector<TDeviceMemoryItem*> MatchLines(const std::vector<TSelectDevice::TLine>& lines,
                                                    const std::vector<TDeviceMemoryItem*>& areas);

  TAdapter& adapter_;
  TLanDevices& registry_;
  TBusWorker& worker_;
  TModuleAvailability& availability_;
  TModuleCommands& commands_;
  TPageArea& pages_;
  IShellDialogs& dialogs_;
  TOptionsData& options_;
  IDataCommandsWindow& window_;
  TTransferQuestions transferQuestions_;
  std::vector<std::shared_ptr<TCancelToken>> transfers_;
  bool unwritten_ = false;
  bool fileCompatible_ = true;
};
