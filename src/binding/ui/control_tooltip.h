#pragma once

#include <QString>

class IPageHost;
class TPageControls;
struct TControlRow;
struct TPageTable;

// What the tooltip of a bound control tells an installer, one item a line: the caption, the
// table's hint, the module and the cell (memory, byte, bit), the factory value and what the
// page's help says of the setting beyond its caption. Plain text: hints carry line breaks.
QString ControlTooltip(const TPageTable& table, const TControlRow& row,
                       const QString& helpSentence);

// Gives every bound control of a table page that tooltip.
void AttachControlTooltips(const TPageControls& controls, const TPageTable& table, IPageHost& host);
