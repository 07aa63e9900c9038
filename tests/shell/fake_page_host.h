#pragma once

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "binding/ui/page_host.h"

// A window that hosts pages and remembers what they asked of it; demo mode, an absent module
// and the user's answer to confirmations on request.
class TFakePageHost : public IPageHost {
 public:
  void ShowPageCommand(const QString& command) override { Shown.append(command); }
  void ShowStatusText(const QString& text, bool) override { Status.append(text); }
  void ShowControlHelp(QWidget* control, const QString& topic) override {
    Help.emplace_back(control, topic);
  }
  void ShowHelpTopic(const QString& topic) override { Help.emplace_back(nullptr, topic); }
  void BeginBusy() override {}
  void EndBusy() override {}
  void ReportProgress(const QString&, int, int) override {}
  bool DemoMode() const override { return Demo; }
  uint8_t MainVersionMajor() const override { return Major; }
  uint8_t MainVersionMinor() const override { return 0; }
  uint8_t MainGeneration() const override { return 0; }
  bool ModuleAvailable(uint8_t address) const override { return address != Absent; }
  bool Confirm(const QString& text) override {
    Asked.append(text);
    return Yes;
  }
  bool ConfirmWarning(const QString& caption, const QString& text) override {
    Asked.append(caption + QStringLiteral(": ") + text);
    return Yes;
  }
  TVDFrame* SettingsPage(const QString& name) override { return Pages.value(name); }
  QAction* WindowCommand(const QString& name) override { return Commands.value(name); }
  void WatchMessages(QObject& watcher, std::function<void(const TLanMsg&)> onMessage) override {
    Watchers.emplace_back(&watcher, std::move(onMessage));
  }
  TEventFavourites EventFavourites() override {
    return {[this](int number) { return Favourites.contains(number); },
            [this](int number, bool favourite) {
              if (favourite) {
                Favourites.insert(number);
              } else {
                Favourites.remove(number);
              }
            },
            [] { return uint32_t{0x7F7FF0}; }};
  }
  void AddJournalNote(uint8_t source, uint8_t command, std::array<uint8_t, 3> data) override {
    Notes.push_back({source, command, data[0], data[1], data[2]});
  }
  // A message from the bus, to every page that watches.
  void Deliver(const TLanMsg& msg) {
    for (const auto& [watcher, onMessage] : Watchers) {
      if (watcher) onMessage(msg);
    }
  }

  bool Demo = false;
  uint8_t Major = 0;      // the main module's firmware major version
  uint8_t Absent = 0xFF;  // the one module that does not answer; none by default
  bool Yes = true;
  // The other pages a page may reach, and the window's commands, by name.
  QHash<QString, TVDFrame*> Pages;
  QHash<QString, QAction*> Commands;
  QStringList Shown;
  QStringList Status;
  QStringList Asked;
  QSet<int> Favourites;
  std::vector<std::pair<QWidget*, QString>> Help;
  // Journal notes: source, command and the three data bytes.
  std::vector<std::array<uint8_t, 5>> Notes;
  std::vector<std::pair<QPointer<QObject>, std::function<void(const TLanMsg&)>>> Watchers;
};
