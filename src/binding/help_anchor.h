#pragma once

#include <QString>

#include "binding/control_table.h"

class TComponentData;
struct TPageTable;

// The anchor of a bound control's entry in the page's help topic, or empty for kinds that
// have no entry: check box "cb<addr>b<bit>", track bar "tb<addr>h<0|1>" (1 for the high
// half of a byte), radio group "rg<addr>b<bit>".
QString HelpAnchor(TControlKind kind, const TComponentData& data);

// The help page of a page: its table's help topic, or else its instance name in lower case
// with words joined by "_" ("MainOutputs": "main_outputs", "GSMMessages": "gsm_messages").
QString PageHelpTopic(const TPageTable& table);
QString PageHelpTopic(const QString& pageName, const char* tableTopic);

// The anchor of the page's section that opens with the `ordinal`-th heading of its table,
// from 1: "s1", "s2". Controls above the first heading have none.
QString SectionAnchor(int ordinal);
// The anchor of the section a table row stands in; empty above the first heading.
QString RowSectionAnchor(std::span<const TControlRow> rows, std::size_t index);
