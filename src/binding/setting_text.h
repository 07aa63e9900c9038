#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "binding/page_table.h"
#include "memory/memory_location.h"

class TBaseDeviceMemoryItem;
class TComponentData;

// What a bound row's control shows as one number: a check box 0 or 1, a radio group its item
// (a state past the items as the last one), a track bar its position (coded, and brought
// into its range), a data item its first byte; nothing for a memo.
std::optional<int> ShownNumber(const TControlRow& row, TBaseDeviceMemoryItem& area,
                               const TComponentData& data);

// A bound setting's value as a line of text, as the page shows it: a check box 0 or 1; a
// radio group its item index and, in brackets, the item's text; a track bar its position and,
// in brackets, its value label where that shows something else; a memo its text in double
// quotes, or the lines it shows for its bytes separated by "; "; a data item its bytes in
// upper-case hexadecimal separated by spaces; a label its value. `page` gives the value labels the
// other controls of the page they read.
QString SettingValueText(const TControlRow& row, const QString& controlName,
                         const TPageTable& table, TBaseDeviceMemoryItem& area,
                         const TComponentData& data, const ILabelContext& page);

// Puts a value written as SettingValueText writes it into the row's cell of `area`; empty on
// success, else why the text is no value the control can take (in the user's language). The
// part in brackets is checked for a radio group's item; a track bar's value label depends on
// other settings, so the caller compares the whole text with SettingValueText once every
// value is in (SettingTextMatches). Labels and other rows without a value of their own refuse.
QString StoreSettingText(const TControlRow& row, TBaseDeviceMemoryItem& area,
                         const TComponentData& data, const QString& text,
                         const ILabelContext& page);

// Whether a value given as text is what the setting shows: the same text, or its number alone
// where the listing adds a bracketed item or label.
bool SettingTextMatches(const QString& given, const QString& shown);

// The area that holds a module's memory; nullptr where there is none.
using TAreaLookup = std::function<TBaseDeviceMemoryItem*(uint8_t lanAddr, TMemoryLocation memID)>;

// The value labels' view of a page read from areas without its widgets: another control
// shows what its cell holds; nothing while its area is not loaded, as on the page before it
// was.
class TTableLabelContext final : public ILabelContext {
 public:
  TTableLabelContext(const TPageTable& table, TAreaLookup areas);
  std::optional<int> Shown(std::string_view control) const override;
  int BoardGeneration() const override;

 private:
  const TPageTable& table_;
  TAreaLookup areas_;
  QStringList names_;
};

// A bound row of a page as the settings lists name it: the control's name, the section it
// stands in (none for a data item, which has no control of its own) and its caption (its
// name when the row has none).
struct TSettingRow {
  const TControlRow* Row = nullptr;
  QString Name;
  QString Section;
  QString Caption;
};

// The bound rows of a page in page order, but for twins of another page's settings.
std::vector<TSettingRow> SettingRows(const TPageTable& table);
