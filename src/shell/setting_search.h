#pragma once

#include <QDockWidget>
#include <QString>
#include <functional>
#include <vector>

#include "binding/page_table.h"

class QLineEdit;
class TLanDevices;
class TVDFrame;
class QTreeWidget;
class QTreeWidgetItem;

// The text a search compares: case folded, and "ё" read as "е", as installers type either.
QString SearchFold(const QString& text);

// The module a page belongs to as the module panel names it ("CAN-модуль"), or else as the
// bus names the page's module.
QString PageModule(const TPageTable& table);

// Every visible setting of every settings page, found by part of its caption. The pages are
// searched through their tables, so that a page not built yet is found as well as a built one.
class TSettingIndex {
 public:
  struct TEntry {
    const TPageTable* Table = nullptr;
    const TControlRow* Row = nullptr;
    // The control's object name on the built page.
    QString Control;
    QString Module;
    QString Section;
    QString Caption;
    uint8_t LanAddr = 0;
    QString Folded;
  };

  explicit TSettingIndex(const std::vector<const TPageTable*>& tables);

  // The entries whose caption holds `text`, in page order; nothing for a blank text.
  std::vector<const TEntry*> Find(const QString& text) const;
  const std::vector<TEntry>& Entries() const { return entries_; }

 private:
  std::vector<TEntry> entries_;
};

// The setting's value in its module's image as the page shows it; "не прочитано" while its
// bytes were neither read nor edited.
QString CurrentValueText(const TSettingIndex::TEntry& entry, const TLanDevices& registry);

// "Найти настройку": a field and the list of the settings whose caption holds what was typed,
// with their module, page, section and current value. Enter or a double click on a match
// asks for its control.
class TSettingSearch : public QDockWidget {
  Q_OBJECT

 public:
  // The setting's value as the page shows it.
  using TValueText = std::function<QString(const TSettingIndex::TEntry& entry)>;

  TSettingSearch(const std::vector<const TPageTable*>& tables, TValueText value,
                 QWidget* parent = nullptr);

  QLineEdit* Field() const { return field_; }
  QTreeWidget* Matches() const { return matches_; }
  // Shows the window and puts the cursor into the field with its text selected.
  void Activate();
  // Lists the matches of the field's text again (values change while the window is open).
  void Refresh();

 signals:
  void SettingChosen(const TSettingIndex::TEntry& entry);

 private:
  void Choose(QTreeWidgetItem* item);

  TSettingIndex index_;
  TValueText value_;
  QLineEdit* field_;
  QTreeWidget* matches_;
};

// The widget of a table row on its built page: the bound control of the row's cell with the
// row's caption, which the table itself states.
QWidget* FindRowWidget(const TVDFrame& page, const TSettingIndex::TEntry& entry);

// Lets the user's eye find a control the program has just scrolled to: it lights up and fades
// back within about a second.
void FlashControl(QWidget& control);
