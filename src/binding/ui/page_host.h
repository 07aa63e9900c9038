#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "journal/event_favourites.h"
#include "link/lan_msg.h"

class QAction;
class QObject;
class QWidget;
class TVDFrame;

// What a settings page may ask of the window that hosts it. The main window implements it;
// pages never see the window itself.
class IPageHost {
 public:
  virtual ~IPageHost() = default;

  // Shows the page of a page command ("aMainOptions"), recorded in the history.
  virtual void ShowPageCommand(const QString& command) = 0;
  virtual void ShowStatusText(const QString& text, bool refresh) = 0;
  // Opens the help of one bound control on the page's help topic.
  virtual void ShowControlHelp(QWidget* control, const QString& topic) = 0;
  // Opens a help page of its own ("main_outputs"); says so when there is none.
  virtual void ShowHelpTopic(const QString& topic) = 0;
  // What the help page `topic` says of the setting at `anchor` beyond its caption; empty
  // where it says nothing more or there is no help.
  virtual QString HelpSentence(const QString& /*topic*/, const QString& /*anchor*/) { return {}; }
  virtual void BeginBusy() = 0;
  virtual void EndBusy() = 0;
  virtual void ReportProgress(const QString& name, int maximum, int position) = 0;
  // Offline editing: every control enabled, nothing read automatically.
  virtual bool DemoMode() const = 0;
  // The main module's firmware as the module information page last saw it.
  virtual uint8_t MainVersionMajor() const = 0;
  virtual uint8_t MainVersionMinor() const = 0;
  virtual uint8_t MainGeneration() const = 0;
  // The module answers on the bus (always in demo mode, where nothing is sent anyway).
  virtual bool ModuleAvailable(uint8_t address) const = 0;
  // Asks the user a yes/no question; true for yes.
  virtual bool Confirm(const QString& text) = 0;
  // Asks under a caption of its own, with a warning sign and No preselected; true for yes.
  virtual bool ConfirmWarning(const QString& caption, const QString& text) = 0;
  // Another settings page of the window ("MainOutputs"), made now when it was not made yet,
  // for a rule of one page that changes what another shows; nullptr when there is none.
  virtual TVDFrame* SettingsPage(const QString& name) = 0;
  // One of the window's commands ("aMeasureTaho") for a page button to carry; nullptr when
  // the window has no such command.
  virtual QAction* WindowCommand(const QString& name) = 0;
  // Every message from the bus goes to `onMessage` on the window's thread while `watcher`
  // lives.
  virtual void WatchMessages(QObject& watcher, std::function<void(const TLanMsg&)> onMessage) = 0;
  // The installer's favourite events, kept with the program's options.
  virtual TEventFavourites EventFavourites() = 0;
  // A page's own note in the bus journal, decoded like a message of `source` with `command`
  // and three data bytes; nothing where there is no journal.
  virtual void AddJournalNote(uint8_t /*source*/, uint8_t /*command*/,
                              std::array<uint8_t, 3> /*data*/) {}
};
