#pragma once

#include <QString>
#include <vector>

#include "binding/page_table.h"

class TBaseDeviceMemoryItem;
class TComponentData;

// A bound setting's value as a line of text, as the page shows it: a check box 0 or 1; a
// radio group its item index and, in brackets, the item's text; a track bar its position and,
// in brackets, its value label where that shows something else; a memo its text in double
// quotes; a data item its bytes in upper-case hexadecimal separated by spaces; a label its
// value.
QString SettingValueText(const TControlRow& row, const QString& controlName,
                         const TPageTable& table, TBaseDeviceMemoryItem& area,
                         const TComponentData& data);

// A bound row of a page as the settings lists name it: the control's name, the section it
// stands in (none for a data item, which has no control of its own) and its caption (its
// name when the row has none).
struct TSettingRow {
  const TControlRow* Row = nullptr;
  QString Name;
  QString Section;
  QString Caption;
};

// The bound rows of a page in page order.
std::vector<TSettingRow> SettingRows(const TPageTable& table);
